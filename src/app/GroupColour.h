// The colours the file groups of the Station page show their state with: the
// scroll-bar colour while the document is closed or a save runs, the active-caption
// gradient colour while a document is open.
#pragma once

#include <QColor>

class QWidget;

// Light grey: group closed or busy.
QColor ScrollBarColour();
// Light blue: document open, group ready.
QColor ActiveCaptionGradientColour();
// Fills the group's background with colour.
void SetGroupColour(QWidget &group, const QColor &colour);
// The background colour the group was given; the palette's window colour when none was.
QColor GroupColour(const QWidget &group);
