// A value written into a node: null, text, integer, boolean or floating point.
#pragma once

#include <QString>

#include <variant>

// Null removes an attribute (or gives "" as element text); every other kind is written as text:
// integers in decimal, booleans as "true"/"false", floats as general float text (FloatText.h).
class TXMLValue
{
public:
    TXMLValue() = default; // null
    TXMLValue(std::nullptr_t) {}
    TXMLValue(const QString &text) : FValue(text) {}
    TXMLValue(const char *text) : FValue(QString::fromUtf8(text)) {}
    TXMLValue(int value) : FValue(value) {}
    TXMLValue(qint64 value) : FValue(value) {}
    TXMLValue(bool value) : FValue(value) {}
    TXMLValue(float value) : FValue(value) {}
    TXMLValue(double value) : FValue(value) {}

    static TXMLValue Null() { return {}; }
    bool IsNull() const { return std::holds_alternative<std::monostate>(FValue); }
    // The text written into the document; "" for null.
    QString ToText() const;

private:
    std::variant<std::monostate, QString, int, qint64, bool, float, double> FValue;
};
