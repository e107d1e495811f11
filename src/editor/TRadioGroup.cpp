#include "editor/TRadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(const QString &caption, const QStringList &items, QWidget *parent)
    : QGroupBox(caption, parent), FButtons(new QButtonGroup(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items[i], this);
        FButtons->addButton(button, i);
        layout->addWidget(button);
    }
    layout->addStretch();
    // Only user clicks reach idClicked; SetItemIndex uses setChecked, which does not.
    connect(FButtons, &QButtonGroup::idClicked, this, [this](int) {
        if (OnClick)
            OnClick();
    });
}

int TRadioGroup::ItemIndex() const
{
    return FButtons->checkedId();
}

int TRadioGroup::Count() const
{
    return static_cast<int>(FButtons->buttons().size());
}

void TRadioGroup::SetItemIndex(int index)
{
    if (index >= 0 && index < Count()) {
        FButtons->button(index)->setChecked(true);
        return;
    }
    // An exclusive group refuses to uncheck its last checked button.
    if (QAbstractButton *checked = FButtons->checkedButton()) {
        FButtons->setExclusive(false);
        checked->setChecked(false);
        FButtons->setExclusive(true);
    }
}
