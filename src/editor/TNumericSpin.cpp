#include "editor/TNumericSpin.h"

#include <QResizeEvent>
#include <QStyle>
#include <QToolButton>

namespace
{

QToolButton *makeButton(QWidget *parent, Qt::ArrowType arrow)
{
    auto *button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(500);
    button->setAutoRepeatInterval(100);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::ArrowCursor);
    button->setAutoRaise(true);
    return button;
}

} // namespace

TNumericSpin::TNumericSpin(QWidget *parent)
    : TNumericEntry(parent), FUp(makeButton(this, Qt::UpArrow)),
      FDown(makeButton(this, Qt::DownArrow))
{
    connect(FUp, &QToolButton::clicked, this, &TNumericEntry::StepUp);
    connect(FDown, &QToolButton::clicked, this, &TNumericEntry::StepDown);
    connect(this, &TNumericEntry::StateChanged, this, &TNumericSpin::UpdateButtons);
    UpdateButtons();
}

QSize TNumericSpin::sizeHint() const
{
    QSize size = TNumericEntry::sizeHint();
    size.rwidth() += ButtonWidth();
    return size;
}

int TNumericSpin::ButtonWidth() const
{
    return fontMetrics().height();
}

void TNumericSpin::resizeEvent(QResizeEvent *event)
{
    TNumericEntry::resizeEvent(event);
    const int w = ButtonWidth();
    const int h = height();
    setTextMargins(0, 0, w, 0);
    FUp->setGeometry(width() - w - 1, 1, w, h / 2 - 1);
    FDown->setGeometry(width() - w - 1, h / 2, w, h - h / 2 - 1);
}

void TNumericSpin::UpdateButtons()
{
    const bool settled = State() == TState::Normal;
    FUp->setEnabled(settled && !AtUpperLimit());
    FDown->setEnabled(settled && !AtLowerLimit());
}
