#include "editor/PageControls.h"

#include "editor/Hint.h"
#include "editor/TNumericEntry.h"
#include "editor/TNumericSpin.h"
#include "sml/TXMLNodeList.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace
{

template <class Field> Field *Configure(Field *field, const TFieldSpec &spec)
{
    field->SetFormatStr(spec.Format);
    field->SetIncrement(spec.Increment);
    TNumericEntry::TEditOptions options;
    if (spec.Min) {
        options |= TNumericEntry::eoLimitMin;
        field->SetMinValue(*spec.Min);
    }
    if (spec.Max) {
        options |= TNumericEntry::eoLimitMax;
        field->SetMaxValue(*spec.Max);
    }
    field->SetOptions(options);
    field->SetValue(spec.Value);
    if (!spec.Hint.isEmpty())
        ApplyHint(*field, spec.Hint);
    return field;
}

} // namespace

QLabel *MakePageTitle(const QString &caption, bool bold, QWidget *parent)
{
    auto *title = new QLabel(caption, parent);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(29);
    font.setBold(bold);
    title->setFont(font);
    QPalette palette = title->palette();
    palette.setColor(QPalette::WindowText, QColor(0x80, 0x00, 0x00));
    title->setPalette(palette);
    return title;
}

QGroupBox *MakeGroup(const QString &caption, const QString &hint, QWidget *parent)
{
    auto *group = new QGroupBox(caption, parent);
    if (!hint.isEmpty())
        ApplyHint(*group, hint);
    return group;
}

QLabel *MakeLabel(const QString &caption, QWidget *parent)
{
    return new QLabel(caption, parent);
}

QLineEdit *MakeEdit(const QString &hint, QWidget *parent, const QString &text)
{
    auto *edit = new QLineEdit(text, parent);
    if (!hint.isEmpty())
        ApplyHint(*edit, hint);
    return edit;
}

QCheckBox *MakeCheck(const QString &caption, const QString &hint, QWidget *parent)
{
    auto *check = new QCheckBox(caption, parent);
    ApplyHint(*check, hint);
    return check;
}

TNumericEntry *MakeEntry(const TFieldSpec &spec, QWidget *parent)
{
    return Configure(new TNumericEntry(parent), spec);
}

TNumericSpin *MakeSpin(const TFieldSpec &spec, QWidget *parent)
{
    return Configure(new TNumericSpin(parent), spec);
}

QGridLayout *MakeGrid(QWidget *owner)
{
    auto *grid = new QGridLayout(owner);
    grid->setContentsMargins(6, 2, 6, 3);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    return grid;
}

void AddRow(QGridLayout *grid, int row, QWidget *label, QWidget *field, QWidget *unit)
{
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1, 1, unit ? 1 : 2);
    if (unit)
        grid->addWidget(unit, row, 2);
}

QString TestedText(const IXMLNode &node, const QString &name)
{
    return node->HasAttribute(name) ? node->GetAttribute(name).value_or(QString()) : QString();
}

bool HasChild(const IXMLNode &node, const QString &name)
{
    return node->ChildNodes()->FindNode(name) != nullptr;
}

QString FirstChildName(const IXMLNode &node)
{
    const IXMLNodeList children = node->ChildNodes();
    return children->Count() == 0 ? QString() : children->Nodes(0)->LocalName();
}
