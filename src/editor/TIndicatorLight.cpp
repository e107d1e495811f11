#include "editor/TIndicatorLight.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

TIndicatorLight::TIndicatorLight(const QString &caption, QWidget *parent)
    : QWidget(parent), FCaption(new QLabel(caption, this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(Diameter() + 6, 0, 0, 0);
    layout->addWidget(FCaption);
    layout->addStretch();
}

void TIndicatorLight::SetLit(bool lit)
{
    if (FLit == lit)
        return;
    FLit = lit;
    update();
}

QString TIndicatorLight::Caption() const
{
    return FCaption->text();
}

int TIndicatorLight::Diameter() const
{
    return fontMetrics().height() - 2;
}

void TIndicatorLight::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int d = Diameter();
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.setBrush(FLit ? QColor(0, 230, 0) : QColor(0, 80, 0));
    painter.drawEllipse(QRectF(1.5, (height() - d) / 2.0, d - 1, d - 1));
}
