#include "editor/NumberText.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

struct TFormatSpec {
    int MinIntDigits = 0;
    int FracDigits = 0;
    int MinFracDigits = 0;
    bool Grouping = false;
};

bool isDigitPosition(QChar c)
{
    return c == u'0' || c == u'#';
}

TFormatSpec parseFormat(const QString &format)
{
    TFormatSpec spec;
    const int point = format.indexOf(u'.');
    const QStringView whole(format);
    const QStringView intPart = point < 0 ? whole : whole.left(point);
    const QStringView fracPart = point < 0 ? QStringView() : whole.mid(point + 1);
    spec.Grouping = intPart.contains(u',');
    const int firstZero = intPart.indexOf(u'0');
    if (firstZero >= 0)
        for (const QChar c : intPart.mid(firstZero))
            spec.MinIntDigits += isDigitPosition(c) ? 1 : 0;
    for (const QChar c : fracPart) {
        if (!isDigitPosition(c))
            continue;
        ++spec.FracDigits;
        if (c == u'0')
            spec.MinFracDigits = spec.FracDigits;
    }
    return spec;
}

// Lays out unsigned decimal digits (integer part without leading zeros, fraction
// already rounded to the format's positions) as the format asks.
QString layOut(bool negative, QString intDigits, QString fracDigits, const TFormatSpec &spec,
               const QLocale &locale)
{
    while (intDigits.startsWith(u'0'))
        intDigits.remove(0, 1);
    while (fracDigits.size() > spec.MinFracDigits && fracDigits.endsWith(u'0'))
        fracDigits.chop(1);
    const bool allZero = intDigits.isEmpty() && !fracDigits.contains(QRegularExpression("[1-9]"));
    if (intDigits.size() < spec.MinIntDigits)
        intDigits.prepend(QString(spec.MinIntDigits - intDigits.size(), u'0'));
    if (spec.Grouping)
        for (int i = intDigits.size() - 3; i > 0; i -= 3)
            intDigits.insert(i, locale.groupSeparator());
    QString text = (negative && !allZero) ? locale.negativeSign() : QString();
    text += intDigits;
    if (!fracDigits.isEmpty())
        text += locale.decimalPoint() + fracDigits;
    return text;
}

int multiplierExponent(QChar c)
{
    static constexpr char16_t letters[] = u"EPTGMkmunpfa";
    static constexpr int exponents[] = {18, 15, 12, 9, 6, 3, -3, -6, -9, -12, -15, -18};
    for (int i = 0; i < 12; ++i)
        if (c == QChar(letters[i]))
            return exponents[i];
    return 0;
}

int digitValue(QChar c, int radix)
{
    int d = -1;
    if (c >= u'0' && c <= u'9')
        d = c.unicode() - u'0';
    else if (c >= u'a' && c <= u'f')
        d = c.unicode() - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        d = c.unicode() - u'A' + 10;
    return d < radix ? d : -1;
}

// Multiplies an exact value by 10^exponent; nothing when it overflows.
std::optional<std::int64_t> scaled(std::optional<std::int64_t> exact, int exponent)
{
    if (!exact || exponent < 0)
        return std::nullopt;
    std::int64_t v = *exact;
    for (int i = 0; i < exponent; ++i)
        if (__builtin_mul_overflow(v, std::int64_t{10}, &v))
            return std::nullopt;
    return v;
}

// Exact signed value of unsigned digits; nothing when out of the 64-bit range.
std::optional<std::int64_t> exactOf(const QString &digits, int radix, bool negative)
{
    unsigned __int128 v = 0;
    for (const QChar c : digits) {
        v = v * radix + digitValue(c, radix);
        if (v > (static_cast<unsigned __int128>(1) << 64))
            return std::nullopt;
    }
    const auto limit = static_cast<unsigned __int128>(std::numeric_limits<std::int64_t>::max());
    if (!negative && v > limit)
        return std::nullopt;
    if (negative && v > limit + 1)
        return std::nullopt;
    if (negative)
        return v == limit + 1 ? std::numeric_limits<std::int64_t>::min()
                              : -static_cast<std::int64_t>(v);
    return static_cast<std::int64_t>(v);
}

class TReader
{
public:
    TReader(const QString &text, const QLocale &locale) : FText(text), FLocale(locale) {}

    TParsedNumber Read()
    {
        int begin = 0;
        int end = FText.size();
        while (begin < end && FText.at(begin).isSpace())
            ++begin;
        while (end > begin && FText.at(end - 1).isSpace())
            --end;
        int i = begin;
        int radix = 0; // 0: decimal reading with separators, exponent and multipliers
        bool integerReading = false;
        if (i < end) {
            const QChar c = FText.at(i);
            if (c == u'!' || c == u'$' || c == u'%' || c == u'&') {
                radix = c == u'$' ? 16 : c == u'&' ? 2 : c == u'%' ? 10 : 0;
                integerReading = c == u'%';
                ++i;
            }
        }
        if (const int length = SignAt(i, end, FNegative))
            i += length;
        FDigitsStart = i;
        if (radix == 0)
            ReadDecimal(i, end);
        else
            ReadInteger(i, end, radix, integerReading);
        return Result();
    }

private:
    // Length of the sign at i ("+", "-" or the locale's own signs, which the field
    // shows: U+2212 in Swedish, a direction mark before "-" in Hebrew); 0 when none.
    int SignAt(int i, int end, bool &negative) const
    {
        const auto matches = [&](const QString &sign) {
            return !sign.isEmpty() && i + sign.size() <= end &&
                   QStringView(FText).mid(i, sign.size()) == sign;
        };
        if (i < end && (FText.at(i) == u'+' || FText.at(i) == u'-')) {
            negative = FText.at(i) == u'-';
            return 1;
        }
        if (matches(FLocale.negativeSign())) {
            negative = true;
            return static_cast<int>(FLocale.negativeSign().size());
        }
        if (matches(FLocale.positiveSign())) {
            negative = false;
            return static_cast<int>(FLocale.positiveSign().size());
        }
        return 0;
    }

    void Bad(int i)
    {
        FFirstBad = FFirstBad < 0 ? i : std::min(FFirstBad, i);
        FLastBad = std::max(FLastBad, i);
    }

    void ReadInteger(int i, int end, int radix, bool multipliers)
    {
        for (; i < end; ++i) {
            const QChar c = FText.at(i);
            if (digitValue(c, radix) >= 0)
                FIntDigits += c;
            else if (multipliers && i == end - 1 && multiplierExponent(c) > 0 &&
                     !FIntDigits.isEmpty())
                FMultiplier = multiplierExponent(c);
            else
                Bad(i);
        }
        FRadix = radix;
    }

    void ReadDecimal(int i, int end)
    {
        const QString point = FLocale.decimalPoint();
        const QString group = FLocale.groupSeparator();
        enum { Int, Frac, ExpSign, ExpDigits } phase = Int;
        int expIndex = -1;
        for (; i < end; ++i) {
            const QChar c = FText.at(i);
            const bool last = i == end - 1;
            const bool mantissa = phase == Int || phase == Frac;
            if (c.isDigit() && c.unicode() < 128) {
                if (phase == Int)
                    FIntDigits += c;
                else if (phase == Frac)
                    FFracDigits += c;
                else {
                    FExpDigits += c;
                    phase = ExpDigits;
                }
            } else if (phase == Int && FText.mid(i, point.size()) == point) {
                phase = Frac;
                i += point.size() - 1;
            } else if (phase == Int && !group.isEmpty() && FText.mid(i, group.size()) == group) {
                i += group.size() - 1;
            } else if (mantissa && (c == u'e' || c == u'E') && !last) {
                phase = ExpSign;
                expIndex = i;
            } else if (phase == ExpSign && SignAt(i, end, FExpNegative) > 0) {
                i += SignAt(i, end, FExpNegative) - 1;
                phase = ExpDigits;
            } else if (last && multiplierExponent(c) != 0 && phase != ExpSign &&
                       !(phase == ExpDigits && FExpDigits.isEmpty())) {
                FMultiplier = multiplierExponent(c);
            } else {
                Bad(i);
            }
        }
        if (expIndex >= 0 && FExpDigits.isEmpty()) {
            // An exponent without digits: everything from its letter on is wrong.
            Bad(expIndex);
            Bad(end - 1);
        }
        const bool hasMantissa = !FIntDigits.isEmpty() || !FFracDigits.isEmpty();
        if (!hasMantissa && (phase != Int || FMultiplier != 0)) {
            // A separator, exponent or multiplier without any digit before it.
            Bad(FirstAfterSign(end));
        }
    }

    // Index of the first character after prefix and sign (for error marking).
    int FirstAfterSign(int end) const { return FDigitsStart < end ? FDigitsStart : end - 1; }

    TParsedNumber Result() const
    {
        TParsedNumber r;
        if (FFirstBad >= 0) {
            r.FirstBad = FFirstBad;
            r.LastBad = FLastBad;
            return r;
        }
        if (FRadix != 0) {
            double v = 0;
            for (const QChar c : FIntDigits)
                v = v * FRadix + digitValue(c, FRadix);
            v *= std::pow(10.0, FMultiplier);
            if (!std::isfinite(v)) {
                // Out of the double range, as in decimal reading: no usable number.
                r.FirstBad = 0;
                r.LastBad = FText.size() - 1;
                return r;
            }
            r.Exact = scaled(exactOf(FIntDigits, FRadix, FNegative), FMultiplier);
            r.Value = r.Exact ? static_cast<double>(*r.Exact) : (FNegative ? -v : v);
            r.Valid = true;
            return r;
        }
        long long exponent = 0;
        for (const QChar c : FExpDigits)
            exponent = std::min(exponent * 10 + (c.unicode() - u'0'), 100000LL);
        if (FExpNegative)
            exponent = -exponent;
        exponent += FMultiplier;
        const QString number = (FNegative ? QStringLiteral("-") : QString()) +
                               (FIntDigits.isEmpty() ? QStringLiteral("0") : FIntDigits) +
                               QStringLiteral(".") + FFracDigits + QStringLiteral("0e") +
                               QString::number(exponent);
        bool ok = false;
        const double v = number.toDouble(&ok);
        if (!ok || !std::isfinite(v)) {
            // Out of the double range: the whole number is unusable.
            r.FirstBad = 0;
            r.LastBad = FText.size() - 1;
            return r;
        }
        r.Valid = true;
        r.Value = v;
        const bool wholeFraction = !FFracDigits.contains(QRegularExpression("[1-9]"));
        if (wholeFraction && FExpDigits.isEmpty())
            r.Exact = scaled(exactOf(FIntDigits, 10, FNegative), FMultiplier);
        if (r.Exact)
            r.Value = static_cast<double>(*r.Exact);
        return r;
    }

    const QString &FText;
    const QLocale &FLocale;
    bool FNegative = false;
    bool FExpNegative = false;
    int FRadix = 0;
    int FDigitsStart = 0;
    int FMultiplier = 0;
    QString FIntDigits;
    QString FFracDigits;
    QString FExpDigits;
    int FFirstBad = -1;
    int FLastBad = -1;
};

} // namespace

QString FormatNumber(double value, const QString &format, const QLocale &locale)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (format.isEmpty())
        return locale.toString(value, 'g', 15);
    const TFormatSpec spec = parseFormat(format);
    const QString digits = QString::number(std::fabs(value), 'f', spec.FracDigits);
    const int point = digits.indexOf(u'.');
    return layOut(std::signbit(value), point < 0 ? digits : digits.left(point),
                  point < 0 ? QString() : digits.mid(point + 1), spec, locale);
}

QString FormatInteger(std::int64_t value, const QString &format, const QLocale &locale)
{
    if (format.isEmpty())
        return locale.toString(static_cast<qlonglong>(value));
    const TFormatSpec spec = parseFormat(format);
    QString digits = QString::number(static_cast<qulonglong>(value < 0 ? -(value + 1) : value) +
                                     (value < 0 ? 1u : 0u));
    return layOut(value < 0, digits, QString(spec.FracDigits, u'0'), spec, locale);
}

TParsedNumber ParseNumber(const QString &text, const QLocale &locale)
{
    return TReader(text, locale).Read();
}
