#include "app/GroupColour.h"

#include <QPalette>
#include <QWidget>

QColor ScrollBarColour()
{
    return QColor(200, 200, 200);
}

QColor ActiveCaptionGradientColour()
{
    return QColor(185, 209, 234);
}

void SetGroupColour(QWidget &group, const QColor &colour)
{
    QPalette palette = group.palette();
    palette.setColor(QPalette::Window, colour);
    group.setPalette(palette);
    group.setAutoFillBackground(true);
}

QColor GroupColour(const QWidget &group)
{
    return group.palette().color(QPalette::Window);
}
