// Conversion of attribute text into the typed values of the SML vocabulary.
#pragma once

#include <QString>

#include <optional>

// Each converter takes the attribute text as NodeValue gives it (nullopt when missing or empty)
// and throws EVariantError "Could not convert variant of type (Null|OleStr) into type (Integer|
// Int64|Boolean|Double)" when the text is not convertible, or "Overflow while converting variant
// of type (OleStr) into type (...)" when it is a number out of range.

// Number (rounded half to even), integer literal (decimal, or hex after "$", "x", "0x"), or
// True/False (1/0).
int XMLTextToInteger(const std::optional<QString> &text);

// 64-bit integer literal, number (rounded half to even), or True/False (1/0).
qint64 XMLTextToInt64(const std::optional<QString> &text);

// "true"/"false" in any letter case, or a number (non-zero is true).
bool XMLTextToBoolean(const std::optional<QString> &text);

// Number with "." or the user's decimal separator, rounded to single precision; also the
// "NAN", "INF" and "-INF" that FloatToXMLText writes for values that are no finite number.
float XMLTextToSingle(const std::optional<QString> &text);
