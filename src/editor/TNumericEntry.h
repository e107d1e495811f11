// One-line edit holding a double value shown through a format string.
#pragma once

#include <QColor>
#include <QFlags>
#include <QLineEdit>
#include <QString>

#include <cstdint>
#include <optional>

// A numeric entry field: holds a committed double `Value`, shows it through
// `FormatStr` in the widget's locale, accepts typed numbers (committed by Return
// or by leaving the field), steps with the Up/Down keys and can keep the value
// between limits. Besides the double it offers a 32-bit integer view, a single
// view and an exact 64-bit integer view (kept exactly when the value was set or
// typed as an integer). Typed text that has not been committed never changes
// the value or its views.
class TNumericEntry : public QLineEdit
{
    Q_OBJECT

public:
    enum TEditOption { eoLimitMax = 0x1, eoLimitMin = 0x2, eoMultiply = 0x4 };
    Q_DECLARE_FLAGS(TEditOptions, TEditOption)

    // Normal: the text shows the committed value; Editing: valid typed text
    // differs from it; Error: the text is not a number.
    enum class TState { Normal, Editing, Error };

    // A new field holds 0, shown "0" under the format "#0.#".
    explicit TNumericEntry(QWidget *parent = nullptr);

    double Value() const { return FValue; }
    // Nearest integer (half to even); clamps to +-2147483647, 0 for NaN.
    std::int32_t ValueAsInt() const;
    // Value rounded to single precision; beyond the single range the largest finite
    // single of that sign, as a document cannot read an infinity back.
    float ValueAsSingle() const;
    // The exact integer when the value was set or typed as one; otherwise
    // Value rounded half to even and clamped to the 64-bit range (0 for NaN).
    std::int64_t ValueAsInt64() const;

    // Nothing happens when x equals Value and the text shows it; otherwise the
    // limits are applied to x and x becomes the value.
    void SetValue(double x);
    // Applies n without limits; nothing happens when the field already holds n.
    void SetValueAsInt(std::int32_t n);
    // Applies s without limits; nothing happens when the field already holds s.
    void SetValueAsSingle(float s);
    // Applies n exactly, without limits; nothing happens when it already holds n.
    void SetValueAsInt64(std::int64_t n);

    QString FormatStr() const { return FFormatStr; }
    // Reformats the shown value without OnValueChanged; see FormatNumber.
    void SetFormatStr(const QString &format);

    float Increment() const { return FIncrement; }
    void SetIncrement(float increment) { FIncrement = increment; }
    double MinValue() const { return FMinValue; }
    void SetMinValue(double v) { FMinValue = v; }
    double MaxValue() const { return FMaxValue; }
    void SetMaxValue(double v) { FMaxValue = v; }
    TEditOptions Options() const { return FOptions; }
    void SetOptions(TEditOptions options) { FOptions = options; }

    bool EditorEnabled() const { return FEditorEnabled; }
    // When false, typed characters are refused with a beep; stepping still works.
    void SetEditorEnabled(bool enabled) { FEditorEnabled = enabled; }

    QColor ColorDefault() const { return FColorDefault; }
    void SetColorDefault(const QColor &c);
    QColor ColorEditing() const { return FColorEditing; }
    void SetColorEditing(const QColor &c);
    QColor ColorError() const { return FColorError; }
    void SetColorError(const QColor &c);

    TState State() const { return FState; }
    // Set by the last limit check that found the value at or beyond the limit.
    bool AtLowerLimit() const { return FAtLowerLimit; }
    bool AtUpperLimit() const { return FAtUpperLimit; }

    // While loading, value changes do not emit OnValueChanged (false by default).
    void SetLoading(bool loading) { FLoading = loading; }

    // Commits the typed text as Return does: an empty text reads as "0"; invalid
    // text leaves the value alone, beeps, selects the bad characters and shows
    // the error state.
    void Commit();
    // Puts back the text of the committed value (as Escape does).
    void Revert();
    // One step up or down (Up/Down keys, spin buttons); nothing at a set limit
    // flag, only a beep on a read-only field.
    void StepUp();
    void StepDown();

signals:
    // Emitted after a value change that changed the shown text (not while loading).
    void OnValueChanged();
    // Emitted whenever the state or a limit flag may have changed.
    void StateChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Apply(double x, std::optional<std::int64_t> exact);
    void Reformat();
    double Limited(double x);
    void Step(bool up);
    void CheckText();
    void SetState(TState state);
    void UpdateColor();
    bool HoldsValue(double x) const;

    double FValue = 0;
    std::optional<std::int64_t> FExact = std::int64_t{0};
    QString FFormatStr = QStringLiteral("#0.#");
    float FIncrement = 1;
    double FMinValue = 0;
    double FMaxValue = 0;
    TEditOptions FOptions;
    bool FEditorEnabled = true;
    QColor FColorDefault;
    QColor FColorEditing{0, 255, 0};
    QColor FColorError{255, 0, 0};
    TState FState = TState::Normal;
    QString FOldText = QStringLiteral("0");
    bool FAtLowerLimit = false;
    bool FAtUpperLimit = false;
    bool FLoading = false;
    bool FApplying = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TNumericEntry::TEditOptions)
