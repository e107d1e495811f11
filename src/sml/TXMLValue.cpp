#include "TXMLValue.h"

#include "FloatText.h"

QString TXMLValue::ToText() const
{
    struct Visitor {
        QString operator()(std::monostate) const { return QString(); }
        QString operator()(const QString &text) const { return text; }
        QString operator()(int value) const { return QString::number(value); }
        QString operator()(qint64 value) const { return QString::number(value); }
        QString operator()(bool value) const
        {
            return value ? QStringLiteral("true") : QStringLiteral("false");
        }
        QString operator()(float value) const { return FloatToXMLText(value); }
        QString operator()(double value) const { return DoubleToXMLText(value); }
    };
    return std::visit(Visitor{}, FValue);
}
