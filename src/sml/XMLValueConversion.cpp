#include "XMLValueConversion.h"

#include "EVariantError.h"
#include "FloatText.h"

#include <cmath>
#include <limits>

namespace
{

[[noreturn]] void conversionFailed(const std::optional<QString> &text, const char *typeName)
{
    throw EVariantError(QStringLiteral("Could not convert variant of type (%1) into type (%2)")
                            .arg(text ? QStringLiteral("OleStr") : QStringLiteral("Null"),
                                 QLatin1String(typeName)));
}

[[noreturn]] void overflow(const char *typeName)
{
    throw EVariantError(
        QStringLiteral("Overflow while converting variant of type (OleStr) into type (%1)")
            .arg(QLatin1String(typeName)));
}

// The text of a non-null value; null fails the conversion at once.
const QString &present(const std::optional<QString> &text, const char *typeName)
{
    if (!text || text->isEmpty())
        conversionFailed(std::nullopt, typeName);
    return *text;
}

// "True"/"False" in any letter case.
std::optional<bool> booleanWord(const QString &text)
{
    const QString word = text.trimmed();
    if (word.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (word.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

// Integer literal: leading blanks, optional sign, decimal digits or hexadecimal digits after "$",
// "x" or "0x". nullopt when malformed or beyond 64 bits.
std::optional<qint64> integerLiteral(const QString &text)
{
    QString s = text;
    int i = 0;
    while (i < s.size() && s.at(i).isSpace())
        ++i;
    s = s.mid(i);
    bool negative = false;
    if (s.startsWith(QLatin1Char('+')) || s.startsWith(QLatin1Char('-'))) {
        negative = s.startsWith(QLatin1Char('-'));
        s = s.mid(1);
    }
    int base = 10;
    for (const char *prefix : {"$", "0x", "x"}) {
        if (s.startsWith(QLatin1String(prefix), Qt::CaseInsensitive)) {
            base = 16;
            s = s.mid(int(qstrlen(prefix)));
            break;
        }
    }
    if (s.isEmpty())
        return std::nullopt;
    quint64 magnitude = 0;
    for (const QChar c : s) {
        const int digit =
            c.isDigit() && c.unicode() < 128 ? c.unicode() - '0'
            : (base == 16 && c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f'))
                ? c.toLower().unicode() - 'a' + 10
                : -1;
        if (digit < 0)
            return std::nullopt;
        if (magnitude > (std::numeric_limits<quint64>::max() - quint64(digit)) / quint64(base))
            return std::nullopt;
        magnitude = magnitude * quint64(base) + quint64(digit);
    }
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0);
    if (magnitude > limit)
        return std::nullopt;
    return negative ? qint64(0 - magnitude) : qint64(magnitude);
}

// A number rounded half to even; nullopt when the text is no number.
std::optional<double> roundedNumber(const QString &text)
{
    const auto number = XMLTextToDouble(text);
    if (!number)
        return std::nullopt;
    return std::nearbyint(*number);
}

template <class Int> Int checkedInteger(double value, const char *typeName)
{
    // Bounds as doubles: the upper bound is exclusive because max() + 1 is a power of two.
    const double low = double(std::numeric_limits<Int>::min());
    const double high = -low;
    if (!(value >= low && value < high))
        overflow(typeName);
    return Int(value);
}

} // namespace

int XMLTextToInteger(const std::optional<QString> &text)
{
    const QString &s = present(text, "Integer");
    if (const auto number = roundedNumber(s))
        return checkedInteger<int>(*number, "Integer");
    if (const auto literal = integerLiteral(s)) {
        if (*literal < std::numeric_limits<int>::min() ||
            *literal > std::numeric_limits<int>::max())
            overflow("Integer");
        return int(*literal);
    }
    if (const auto word = booleanWord(s))
        return *word ? 1 : 0;
    conversionFailed(text, "Integer");
}

qint64 XMLTextToInt64(const std::optional<QString> &text)
{
    const QString &s = present(text, "Int64");
    if (const auto literal = integerLiteral(s))
        return *literal;
    if (const auto number = roundedNumber(s))
        return checkedInteger<qint64>(*number, "Int64");
    if (const auto word = booleanWord(s))
        return *word ? 1 : 0;
    conversionFailed(text, "Int64");
}

bool XMLTextToBoolean(const std::optional<QString> &text)
{
    const QString &s = present(text, "Boolean");
    if (const auto word = booleanWord(s))
        return *word;
    if (const auto number = XMLTextToDouble(s))
        return *number != 0;
    conversionFailed(text, "Boolean");
}

float XMLTextToSingle(const std::optional<QString> &text)
{
    const QString &s = present(text, "Double");
    const auto number = XMLTextToDouble(s);
    if (!number) {
        // The texts written for a value that is no finite number read back as that value, so
        // that a document holding one stays readable.
        const QString word = s.trimmed();
        if (word == QLatin1String("NAN"))
            return std::numeric_limits<float>::quiet_NaN();
        if (word == QLatin1String("INF") || word == QLatin1String("-INF"))
            return word.startsWith(QLatin1Char('-')) ? -std::numeric_limits<float>::infinity()
                                                     : std::numeric_limits<float>::infinity();
        conversionFailed(text, "Double");
    }
    // Fifteen digits of FLT_MAX read back slightly above it: only values that would round to
    // infinity (from the midpoint between FLT_MAX and 2^128 on) overflow.
    if (std::fabs(*number) >= 0x1.ffffffp+127)
        overflow("Double");
    return float(*number);
}
