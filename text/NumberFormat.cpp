// Decimal numbers in text: the one strict reader and the writer of stored ones.
#include "text/NumberFormat.h"

#include "common/Saturate.h"

#include <float.h>
#include <math.h>
#include <stdlib.h>

namespace {

template <typename Char> bool IsBlank(Char c)
{
    return c == ' ' || c == '\t';
}

// Surrounding blanks, an optional sign, digits with at most one decimal sign
// ("." or ","), at least one digit, nothing else. The number's own text,
// with the point as its decimal sign, goes to strtod for one correct rounding.
template <typename Char> bool ReadDecimalText(const Char* text, double* value)
{
    if (!text || !value)
        return false;
    const Char* c = text;
    while (IsBlank(*c))
        c++;
    char number[READ_DECIMAL_MAX + 1];
    int length = 0;
    if (*c == '-' || *c == '+')
        number[length++] = static_cast<char>(*c++);
    bool point = false;
    bool anyDigit = false;
    for (; *c && !IsBlank(*c); c++) {
        if (length >= READ_DECIMAL_MAX)
            return false;
        if (*c >= '0' && *c <= '9') {
            anyDigit = true;
            number[length++] = static_cast<char>(*c);
        } else if ((*c == '.' || *c == ',') && !point) {
            point = true;
            number[length++] = '.';
        } else {
            return false;
        }
    }
    while (IsBlank(*c))
        c++;
    if (*c || !anyDigit)
        return false;
    number[length] = '\0';
    const double read = strtod(number, nullptr);
    // Too many digits overflow: such a text is no number this program uses.
    if (!isfinite(read))
        return false;
    *value = read;
    return true;
}

}  // namespace

bool ReadDecimal(const char* text, double* value)
{
    return ReadDecimalText(text, value);
}

bool ReadDecimal(const wchar_t* text, double* value)
{
    return ReadDecimalText(text, value);
}

bool ReadStoredFloat(const char* text, float* value)
{
    double number;
    if (!ReadDecimal(text, &number) || !(fabs(number) <= FLT_MAX))
        return false;
    *value = static_cast<float>(number);
    return true;
}

bool ReadStoredInt(const char* text, int* value)
{
    double number;
    if (!ReadDecimal(text, &number) || number != floor(number))
        return false;
    // Whole numbers beyond int's range keep their side of it.
    *value = SaturateToInt(number);
    return true;
}

bool ParseTypedDecimal(const wchar_t* text, float limit, float* value)
{
    double number;
    if (!ReadDecimal(text, &number) || !(fabs(number) <= limit))
        return false;
    *value = static_cast<float>(number);
    return true;
}

namespace {

// Largest fraction-digit count: with 39 integer digits of the largest float,
// a sign and a separator the text still fits FORMAT_DECIMAL_MAX.
const int MAX_FRACTION_DIGITS = 20;

// Appends to a FORMAT_DECIMAL_MAX buffer, always leaving room for the terminator.
class DecimalWriter
{
public:
    explicit DecimalWriter(char* out) : m_out(out), m_length(0) { }
    void Put(char c)
    {
        if (m_length < FORMAT_DECIMAL_MAX - 1)
            m_out[m_length++] = c;
    }
    void PutText(const char* text)
    {
        while (*text)
            Put(*text++);
    }
    // The next digit of value at place p; value keeps the remainder. In
    // double, where a float's value is exact, so that its digits are its own
    // and a number written, read and written again keeps its text.
    void PutDigit(double& value, double p)
    {
        double digit = floor(value / p);
        // Rounding residue can stray one step outside 0..9.
        if (!(digit >= 0.0))
            digit = 0.0;
        else if (digit > 9.0)
            digit = 9.0;
        value -= digit * p;
        Put((char)('0' + (int)digit));
    }
    void Finish() { m_out[m_length] = '\0'; }

private:
    char* m_out;
    int m_length;
};

}  // namespace

void FormatDecimal(float number, int fractionDigits, char separator, char* out)
{
    DecimalWriter writer(out);
    int n = fractionDigits < 0 ? 0 : (fractionDigits > MAX_FRACTION_DIGITS ? MAX_FRACTION_DIGITS : fractionDigits);
    double threshold = pow(10.0, -n);
    double value = number;

    // A number that rounds to zero in every digit is written as zero, without
    // a sign that would read back as a zero written otherwise.
    if (value == 0.0 || fabs(value) < 0.5 * threshold) {
        writer.Put('0');
        writer.Finish();
        return;
    }
    if (value < 0.0) {
        writer.Put('-');
        value = -value;
    }
    if (isinf(value) || isnan(value)) {
        writer.PutText(isinf(value) ? "inf" : "nan");
        writer.Finish();
        return;
    }

    int e = (int)floor(log10(value));
    double p = pow(10.0, e);
    value += 0.5 * threshold;

    // log10 and the rounding may leave the leading digit at 0 or 10: move the
    // leading place so that it holds 1..9.
    if (value >= p * 10.0) {
        p *= 10.0;
        e++;
    } else if (p >= 1.0 && value < p) {
        p *= 0.1;
        e--;
    }

    if (p < 1.0)
        writer.Put('0');
    while (p >= 1.0) {
        writer.PutDigit(value, p);
        p *= 0.1;
    }

    // Fraction digits up to the last that is not zero.
    if (n >= 1 && value >= threshold) {
        if (e < 0)
            p = 0.1;
        writer.Put(separator);
        for (int i = 0; i < n && value >= threshold; i++) {
            writer.PutDigit(value, p);
            p *= 0.1;
        }
    }
    writer.Finish();
}

void WidenAscii(const char* text, wchar_t* out, int size)
{
    int length = 0;
    for (; text[length] && length < size - 1; length++)
        out[length] = static_cast<unsigned char>(text[length]);
    out[length] = L'\0';
}
