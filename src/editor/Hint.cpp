#include "editor/Hint.h"

#include <QVariant>
#include <QWidget>

QString ShortHint(const QString &hint)
{
    const int bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.left(bar);
}

QString LongHint(const QString &hint)
{
    const int bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void ApplyHint(QWidget &widget, const QString &hint)
{
    widget.setToolTip(ShortHint(hint));
    widget.setStatusTip(LongHint(hint));
    widget.setProperty("hint", hint);
}
