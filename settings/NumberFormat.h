// Decimal text of numbers as the registry store keeps them.
#pragma once

// Decimal text of single-precision numbers as the registry store keeps them.

// Parses text (maxLength characters, 0 = all): digits, one "-", ".", "e";
// every other character is skipped.
float ParseDecimal(const char* text, int maxLength);

// Reads a number a person typed: surrounding spaces, an optional sign, digits
// with at most one decimal point ("." or ","), nothing else. True with the
// number in value when it reads so and lies within -limit ... limit; false,
// value untouched, otherwise.
bool ParseTypedDecimal(const wchar_t* text, float limit, float* value);

// Longest text FormatDecimal writes, terminator included.
const int FORMAT_DECIMAL_MAX = 64;

// Writes value with at most fractionDigits fraction digits into out, which
// holds FORMAT_DECIMAL_MAX bytes. Always true.
bool FormatDecimal(float value, int fractionDigits, bool padZeros, bool allowExponent, char separator, char* out);
