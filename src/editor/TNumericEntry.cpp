#include "editor/TNumericEntry.h"

#include "editor/NumberText.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

constexpr double kInt32Limit = 2147483647.0;
constexpr double kInt64Bound = 9223372036854775808.0; // 2^63

bool refusedWhileReadOnlyTyping(const QKeyEvent &event)
{
    if (event.matches(QKeySequence::Copy) || event.matches(QKeySequence::SelectAll))
        return false;
    return !event.text().isEmpty() || event.key() == Qt::Key_Delete ||
           event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Cut) ||
           event.matches(QKeySequence::Undo) || event.matches(QKeySequence::Redo);
}

} // namespace

TNumericEntry::TNumericEntry(QWidget *parent) : QLineEdit(parent)
{
    FColorDefault = palette().color(QPalette::Base);
    setText(FOldText);
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (!FEditorEnabled) {
            // Paste or drop on a field that refuses typing: put the value back.
            QApplication::beep();
            Revert();
        }
    });
    connect(this, &QLineEdit::textChanged, this, [this] { CheckText(); });
}

std::int32_t TNumericEntry::ValueAsInt() const
{
    if (FExact)
        return static_cast<std::int32_t>(
            std::clamp<std::int64_t>(*FExact, -2147483647, 2147483647));
    if (std::isnan(FValue))
        return 0;
    if (FValue >= kInt32Limit)
        return 2147483647;
    if (FValue <= -kInt32Limit)
        return -2147483647;
    return static_cast<std::int32_t>(std::nearbyint(FValue));
}

float TNumericEntry::ValueAsSingle() const
{
    constexpr double largest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(FValue, -largest, largest));
}

std::int64_t TNumericEntry::ValueAsInt64() const
{
    if (FExact)
        return *FExact;
    if (std::isnan(FValue))
        return 0;
    if (FValue >= kInt64Bound)
        return std::numeric_limits<std::int64_t>::max();
    if (FValue <= -kInt64Bound)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(std::nearbyint(FValue));
}

bool TNumericEntry::HoldsValue(double x) const
{
    return FState == TState::Normal && text() == FOldText && FValue == x;
}

void TNumericEntry::SetValue(double x)
{
    if (HoldsValue(x))
        return;
    Apply(Limited(x), std::nullopt);
}

void TNumericEntry::SetValueAsInt(std::int32_t n)
{
    if (HoldsValue(n) && (!FExact || *FExact == n))
        return;
    Apply(n, n);
}

void TNumericEntry::SetValueAsSingle(float s)
{
    if (HoldsValue(s))
        return;
    Apply(s, std::nullopt);
}

void TNumericEntry::SetValueAsInt64(std::int64_t n)
{
    if (HoldsValue(static_cast<double>(n)) && FExact == n)
        return;
    Apply(static_cast<double>(n), n);
}

void TNumericEntry::SetFormatStr(const QString &format)
{
    FFormatStr = format;
    Reformat();
}

void TNumericEntry::Reformat()
{
    FOldText = FExact ? FormatInteger(*FExact, FFormatStr, locale())
                      : FormatNumber(FValue, FFormatStr, locale());
    FApplying = true;
    setText(FOldText);
    FApplying = false;
    SetState(TState::Normal);
}

void TNumericEntry::SetColorDefault(const QColor &c)
{
    FColorDefault = c;
    UpdateColor();
}

void TNumericEntry::SetColorEditing(const QColor &c)
{
    FColorEditing = c;
    UpdateColor();
}

void TNumericEntry::SetColorError(const QColor &c)
{
    FColorError = c;
    UpdateColor();
}

void TNumericEntry::Apply(double x, std::optional<std::int64_t> exact)
{
    FValue = x;
    FExact = exact;
    // The limit flags describe the value now held, also after a set operation that
    // bypasses the limits: a value back inside them can be stepped again.
    if (FOptions.testFlag(eoLimitMin))
        FAtLowerLimit = x <= FMinValue;
    if (FOptions.testFlag(eoLimitMax))
        FAtUpperLimit = x >= FMaxValue;
    const QString shown =
        exact ? FormatInteger(*exact, FFormatStr, locale()) : FormatNumber(x, FFormatStr, locale());
    FApplying = true;
    if (text() != shown)
        setText(shown);
    FApplying = false;
    SetState(TState::Normal);
    const bool changed = shown != FOldText;
    // The old text is brought up to date first, so that a handler that sets the
    // value again compares against what is now shown.
    FOldText = shown;
    if (changed && !FLoading)
        emit OnValueChanged();
    emit StateChanged();
}

double TNumericEntry::Limited(double x)
{
    if (FOptions.testFlag(eoLimitMin)) {
        FAtLowerLimit = x <= FMinValue;
        if (FAtLowerLimit)
            x = FMinValue;
    }
    if (FOptions.testFlag(eoLimitMax)) {
        FAtUpperLimit = x >= FMaxValue;
        if (FAtUpperLimit)
            x = FMaxValue;
    }
    emit StateChanged();
    return x;
}

void TNumericEntry::Commit()
{
    QString typed = text();
    if (typed.isEmpty())
        typed = QStringLiteral("0");
    if (FState == TState::Normal && text() == FOldText) {
        // The text still shows the committed value: committing it again must not
        // replace the value by its rounded display (51.4778 shown as "51.48").
        const double limited = Limited(FValue);
        Apply(limited, limited == FValue ? FExact : std::nullopt);
        return;
    }
    const TParsedNumber parsed = ParseNumber(typed, locale());
    if (!parsed.Valid) {
        SetState(TState::Error);
        QApplication::beep();
        setFocus(Qt::OtherFocusReason);
        const int first = std::min(parsed.FirstBad, static_cast<int>(text().size()));
        setSelection(first, std::max(1, parsed.LastBad - parsed.FirstBad + 1));
        return;
    }
    const double limited = Limited(parsed.Value);
    Apply(limited, limited == parsed.Value ? parsed.Exact : std::nullopt);
}

void TNumericEntry::Revert()
{
    FApplying = true;
    setText(FOldText);
    FApplying = false;
    SetState(TState::Normal);
}

void TNumericEntry::StepUp()
{
    Step(true);
}

void TNumericEntry::StepDown()
{
    Step(false);
}

void TNumericEntry::Step(bool up)
{
    if (isReadOnly()) {
        QApplication::beep();
        return;
    }
    if (up ? FAtUpperLimit : FAtLowerLimit)
        return;
    const double inc = FIncrement;
    double next = 0;
    if (FOptions.testFlag(eoMultiply) && inc != 0 && FValue != 0)
        next = up ? FValue * inc : FValue / inc;
    else
        next = up ? FValue + inc : FValue - inc;
    SetValue(next);
}

void TNumericEntry::CheckText()
{
    if (FApplying)
        return;
    const QString shown = text();
    if (!ParseNumber(shown, locale()).Valid)
        SetState(TState::Error);
    else
        SetState(shown == FOldText ? TState::Normal : TState::Editing);
}

void TNumericEntry::SetState(TState state)
{
    const bool changed = state != FState;
    FState = state;
    UpdateColor();
    if (changed)
        emit StateChanged();
}

void TNumericEntry::UpdateColor()
{
    const QColor color = FState == TState::Normal    ? FColorDefault
                         : FState == TState::Editing ? FColorEditing
                                                     : FColorError;
    QPalette pal = palette();
    if (pal.color(QPalette::Base) == color)
        return;
    pal.setColor(QPalette::Base, color);
    setPalette(pal);
}

void TNumericEntry::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (event->modifiers() & ~Qt::KeypadModifier)
            break;
        Step(event->key() == Qt::Key_Up);
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Commit();
        event->accept();
        return;
    case Qt::Key_Escape:
        if (FState != TState::Normal) {
            Revert();
            event->accept();
            return;
        }
        break;
    default:
        if (!FEditorEnabled && refusedWhileReadOnlyTyping(*event)) {
            QApplication::beep();
            event->accept();
            return;
        }
        break;
    }
    QLineEdit::keyPressEvent(event);
}

void TNumericEntry::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Only leaving the field commits; a window losing activation or a popup
    // opening does not. A programmatic focus change commits without the error
    // state pulling the focus back, so two fields never fight over it.
    switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
        return;
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason:
        Commit();
        return;
    default:
        if (FState == TState::Error) {
            QApplication::beep();
            return;
        }
        Commit();
        return;
    }
}

void TNumericEntry::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    // The separators come from the locale: show the value in the new one.
    if (event->type() == QEvent::LocaleChange)
        Reformat();
}
