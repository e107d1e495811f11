// Number text as written into and read from SML documents.
#pragma once

#include <QString>

#include <optional>

// General float text of a single-precision value widened to double: 15 significant digits,
// trailing zeros dropped, fixed notation for decimal exponents -4..14, otherwise "E" notation
// ("9.99999974737875E-5"). Always "." as decimal separator; zero is "0". NaN and infinities give
// "NAN", "INF" and "-INF".
QString FloatToXMLText(float value);

// Same rules for a double value (15 significant digits).
QString DoubleToXMLText(double value);

// Reads a decimal number written with "." or the user's decimal separator, optional sign, fraction
// and exponent, surrounded by optional blanks. No group separators. Returns nullopt when the text
// is not such a number (also for NaN/infinity words); an out-of-range exponent gives +-inf.
std::optional<double> XMLTextToDouble(const QString &text);
