// Control factories and show-step helpers shared by the Antenna and Receiver pages.
#pragma once

#include "sml/TXMLNode.h"

#include <QString>

#include <optional>
#include <utility>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;
class TNumericEntry;
class TNumericSpin;

// Format, step, initial value, hint and enforced limits of one numeric field.
struct TFieldSpec {
    TFieldSpec(QString format, float increment, double value, QString hint,
               std::optional<double> min = std::nullopt, std::optional<double> max = std::nullopt)
        : Format(std::move(format)), Increment(increment), Value(value), Hint(std::move(hint)),
          Min(min), Max(max)
    {
    }
    QString Format;
    float Increment;
    double Value;
    QString Hint;
    std::optional<double> Min;
    std::optional<double> Max;
};

// The page title: maroon, 29-pixel Arial.
QLabel *MakePageTitle(const QString &caption, bool bold, QWidget *parent);
// A group box with a "short|long" hint (an empty hint sets none).
QGroupBox *MakeGroup(const QString &caption, const QString &hint, QWidget *parent);
QLabel *MakeLabel(const QString &caption, QWidget *parent);
QLineEdit *MakeEdit(const QString &hint, QWidget *parent, const QString &text = QString());
QCheckBox *MakeCheck(const QString &caption, const QString &hint, QWidget *parent);
// Numeric fields built from a spec; the initial value goes through SetValue.
TNumericEntry *MakeEntry(const TFieldSpec &spec, QWidget *parent);
TNumericSpin *MakeSpin(const TFieldSpec &spec, QWidget *parent);

// A grid with the pages' compact margins and spacing.
QGridLayout *MakeGrid(QWidget *owner);

// Puts a caption, its field and an optional unit into one grid row.
void AddRow(QGridLayout *grid, int row, QWidget *label, QWidget *field, QWidget *unit = nullptr);

// The text of a tested attribute: "" when the element has no such attribute.
// Never creates the attribute.
QString TestedText(const IXMLNode &node, const QString &name);

// Whether the element has a child element of that name; never creates one.
bool HasChild(const IXMLNode &node, const QString &name);

// The local name of the element's first child node (whatever its type); "" when it
// has no children. This is how the pages tell the mount and shape kinds.
QString FirstChildName(const IXMLNode &node);
