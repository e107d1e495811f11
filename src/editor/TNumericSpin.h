// Numeric entry field with up and down buttons at its right edge.
#pragma once

#include "editor/TNumericEntry.h"

class QToolButton;

// A TNumericEntry with up/down buttons (auto-repeat after 500 ms, then every
// 100 ms). The up button is disabled at the upper limit flag, the down button at
// the lower one, both while typed text is pending or invalid, and both when the
// field is disabled.
class TNumericSpin : public TNumericEntry
{
    Q_OBJECT

public:
    explicit TNumericSpin(QWidget *parent = nullptr);

    QToolButton *UpButton() const { return FUp; }
    QToolButton *DownButton() const { return FDown; }

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void UpdateButtons();
    int ButtonWidth() const;

    QToolButton *FUp;
    QToolButton *FDown;
};
