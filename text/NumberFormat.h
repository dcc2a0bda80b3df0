// Decimal numbers in text: the one strict reader and the writer of stored ones.
#pragma once

// The one reader of numbers from outside: stored settings, typed degrees and
// the tools' options. Reads text that is wholly one decimal number: blanks
// around it, an optional sign, digits with at most one decimal sign ("." or
// ","), at least one digit; no exponent, no "nan" or "inf", nothing else.
// True with the number in value; false, value untouched, otherwise. Ranges
// are the caller's.
// Texts of more than READ_DECIMAL_MAX characters, blanks aside, are refused.
const int READ_DECIMAL_MAX = 80;
bool ReadDecimal(const char* text, double* value);
bool ReadDecimal(const wchar_t* text, double* value);

// A stored number (ReadDecimal) within float's range; false when the text
// is not wholly one, which counts as missing.
bool ReadStoredFloat(const char* text, float* value);
// A stored whole number (ReadDecimal, no fraction), held to int's range;
// false when the text is not wholly one.
bool ReadStoredInt(const char* text, int* value);

// A number a person typed (ReadDecimal) within -limit ... limit; false,
// value untouched, otherwise.
bool ParseTypedDecimal(const wchar_t* text, float limit, float* value);

// Longest text FormatDecimal writes, terminator included.
const int FORMAT_DECIMAL_MAX = 64;

// Writes value with at most fractionDigits fraction digits, trailing zeros
// dropped and no exponent (as ReadDecimal reads it back), into out, which
// holds FORMAT_DECIMAL_MAX bytes.
void FormatDecimal(float value, int fractionDigits, char separator, char* out);

// ASCII text this program wrote (a number, a date) as UTF-16 in out, which
// holds size characters: the text is cut short to fit.
void WidenAscii(const char* text, wchar_t* out, int size);
