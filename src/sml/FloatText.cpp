#include "FloatText.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>

QString DoubleToXMLText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");

    // 15 significant digits as d.dddddddddddddde[+-]x; the exponent is that of the rounded value.
    // to_chars, unlike printf, ignores the C locale, which the application sets to the user's
    // (whose decimal separator may be a comma).
    char buffer[40];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const QString text = QString::fromLatin1(buffer, int(written.ptr - buffer));
    const int e = text.indexOf(QLatin1Char('e'));
    const int exponent = text.mid(e + 1).toInt();
    const bool negative = text.startsWith(QLatin1Char('-'));
    QString digits = text.left(e);
    digits.remove(QLatin1Char('-'));
    digits.remove(QLatin1Char('.'));
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

    QString result;
    if (exponent >= -4 && exponent <= 14) {
        if (exponent < 0) {
            result = QStringLiteral("0.") + QString(-exponent - 1, QLatin1Char('0')) + digits;
        } else if (digits.size() > exponent + 1) {
            result = digits.left(exponent + 1) + QLatin1Char('.') + digits.mid(exponent + 1);
        } else {
            result = digits + QString(exponent + 1 - digits.size(), QLatin1Char('0'));
        }
    } else {
        result = digits.left(1);
        if (digits.size() > 1)
            result += QLatin1Char('.') + digits.mid(1);
        result += QLatin1Char('E') + QString::number(exponent);
    }
    return negative ? QLatin1Char('-') + result : result;
}

QString FloatToXMLText(float value)
{
    return DoubleToXMLText(static_cast<double>(value));
}

std::optional<double> XMLTextToDouble(const QString &text)
{
    const QString trimmed = text.trimmed();
    const QChar separator = QLocale().decimalPoint().at(0);
    // Accept only sign, digits, one decimal separator ("." or the user's) and an exponent.
    QByteArray ascii;
    ascii.reserve(trimmed.size());
    bool digitSeen = false;
    bool pointSeen = false;
    bool exponentSeen = false;
    bool exponentDigit = false;
    for (int i = 0; i < trimmed.size(); ++i) {
        const QChar c = trimmed.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            (exponentSeen ? exponentDigit : digitSeen) = true;
            ascii += char(c.unicode());
        } else if ((c == QLatin1Char('+') || c == QLatin1Char('-')) &&
                   (i == 0 || (exponentSeen && ascii.endsWith('E')))) {
            ascii += char(c.unicode());
        } else if ((c == QLatin1Char('.') || c == separator) && !pointSeen && !exponentSeen) {
            pointSeen = true;
            ascii += '.';
        } else if ((c == QLatin1Char('e') || c == QLatin1Char('E')) && digitSeen && !exponentSeen) {
            exponentSeen = true;
            ascii += 'E';
        } else {
            return std::nullopt;
        }
    }
    if (!digitSeen || (exponentSeen && !exponentDigit))
        return std::nullopt;
    // from_chars ignores the C locale (Qt sets the user's) and takes no leading "+".
    const char *begin = ascii.constData() + (ascii.startsWith('+') ? 1 : 0);
    const char *end = ascii.constData() + ascii.size();
    double value = 0;
    const auto [ptr, error] = std::from_chars(begin, end, value);
    if (error == std::errc::result_out_of_range) {
        // Too large gives infinity, too small gives zero; the exponent's sign tells which.
        const int e = ascii.indexOf('E');
        const bool tiny = e >= 0 && ascii.at(e + 1) == '-';
        const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        return ascii.startsWith('-') ? -magnitude : magnitude;
    }
    if (error != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}
