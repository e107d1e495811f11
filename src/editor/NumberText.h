// Text of the numeric fields: formatting a value through a format string and
// reading typed numbers, both in a given locale.
#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

// "0" and "#" are digit positions, "." marks the decimal separator, a "," before
// it groups the integer digits in threes. Non-finite values show as "NAN",
// "INF" or "-INF"; an empty format shows up to 15 significant digits.
QString FormatNumber(double value, const QString &format, const QLocale &locale);
// The same for an exact 64-bit integer, digit for digit.
QString FormatInteger(std::int64_t value, const QString &format, const QLocale &locale);

// The outcome of reading a typed number.
struct TParsedNumber {
    bool Valid = false;
    double Value = 0;
    // The exact value when the text is a whole number that fits 64 bits.
    std::optional<std::int64_t> Exact;
    // First and last invalid character (indices into the text); -1 when valid.
    int FirstBad = -1;
    int LastBad = -1;
};

// Reads a typed number: an optional reading prefix ("!" decimal, "$" hex,
// "%" integer, "&" binary), an optional sign ("+", "-" or the locale's own, as
// FormatNumber shows it), then the digits; decimal reading
// takes the locale's decimal separator once, ignores its group separator in the
// integer part, takes an exponent ("E"/"e", sign, digits) and one last
// multiplier letter of "EPTGMkmunpfa"; integer reading takes only the
// multipliers above 1. Empty text or a lone sign reads as 0. Surrounding blanks
// are ignored. Never throws: invalid text gives Valid false and the bad range.
TParsedNumber ParseNumber(const QString &text, const QLocale &locale);
