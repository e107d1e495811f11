// Hints of the editing pages: "short|long" texts.
#pragma once

#include <QString>

class QWidget;

// The text before the first "|"; the whole hint when it has no "|".
QString ShortHint(const QString &hint);
// The text after the first "|"; the whole hint when it has no "|".
QString LongHint(const QString &hint);
// Tooltip := short text, statusTip := long text (the window shows the status tip
// in status panel 3); the whole hint is kept in the dynamic property "hint".
void ApplyHint(QWidget &widget, const QString &hint);
