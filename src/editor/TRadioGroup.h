// A captioned group of exclusive radio buttons addressed by item index.
#pragma once

#include <QGroupBox>
#include <QStringList>

#include <functional>

class QButtonGroup;

class TRadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    // Items are laid out top to bottom; none is selected until SetItemIndex.
    TRadioGroup(const QString &caption, const QStringList &items, QWidget *parent = nullptr);

    // The selected item, or -1 when none is selected.
    int ItemIndex() const;

    // Selects item index; -1 or an index out of range clears the selection. Never runs OnClick.
    void SetItemIndex(int index);

    int Count() const;

    // Called after the user clicks an item (also a click on the already selected one).
    std::function<void()> OnClick;

private:
    QButtonGroup *FButtons;
};
