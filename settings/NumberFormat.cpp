// Decimal text of numbers as the registry store keeps them.
#include "settings/NumberFormat.h"

#include <math.h>

float ParseDecimal(const char* text, int maxLength)
{
    float mantissa = 0.0f;
    float exponent = 0.0f;
    float* accumulator = &mantissa;
    float place = 1.0f;
    float mantissaSign = 1.0f;
    float exponentSign = 1.0f;
    bool inExponent = false;
    bool inFraction = false;

    for (int i = 0; (maxLength <= 0 || i < maxLength) && text[i]; i++) {
        char c = text[i];
        if (c == '-') {
            if (inExponent)
                exponentSign = -1.0f;
            else
                mantissaSign = -1.0f;
        } else if (c == '.') {
            if (!inExponent)
                inFraction = true;
        } else if (c == 'e' || c == 'E') {
            inExponent = true;
            inFraction = false;
            place = 1.0f;
            accumulator = &exponent;
        } else if (c >= '0' && c <= '9') {
            float digit = (float)(c - '0');
            if (inFraction) {
                place *= 0.1f;
                *accumulator += digit * place;
            } else {
                *accumulator = *accumulator * 10.0f + digit;
            }
        }
    }
    // A zero mantissa stays zero whatever the exponent (0 x inf would be nan).
    if (mantissa == 0.0f)
        return mantissa * mantissaSign;
    return powf(10.0f, exponent * exponentSign) * mantissa * mantissaSign;
}

namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

}  // namespace

bool ParseTypedDecimal(const wchar_t* text, float limit, float* value)
{
    const wchar_t* c = text;
    while (IsBlank(*c))
        c++;
    double sign = 1.0;
    if (*c == L'-' || *c == L'+')
        sign = *c++ == L'-' ? -1.0 : 1.0;

    // Double keeps a typed hundredth exact until the one rounding to float.
    double number = 0.0;
    double place = 1.0;
    bool point = false;
    bool digits = false;
    for (; *c && !IsBlank(*c); c++) {
        if (*c >= L'0' && *c <= L'9') {
            digits = true;
            if (point) {
                place *= 0.1;
                number += (*c - L'0') * place;
            } else {
                number = number * 10.0 + (*c - L'0');
            }
        } else if ((*c == L'.' || *c == L',') && !point) {
            point = true;
        } else {
            return false;
        }
    }
    while (IsBlank(*c))
        c++;
    // Too many digits give infinity, which the range refuses.
    if (*c || !digits || !(number <= limit))
        return false;
    *value = static_cast<float>(sign * number);
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
    // The next digit of value at place p; value keeps the remainder. The
    // quotient is floored before it is rounded to single precision, so that
    // a fraction like .5 comes out as .499999 the way stored values always have.
    void PutDigit(float& value, float p)
    {
        double digit = floor((double)value / p);
        // Rounding residue can stray one step outside 0..9.
        if (!(digit >= 0.0))
            digit = 0.0;
        else if (digit > 9.0)
            digit = 9.0;
        value -= (float)digit * p;
        Put((char)('0' + (int)digit));
    }
    void Finish() { m_out[m_length] = '\0'; }

private:
    char* m_out;
    int m_length;
};

}  // namespace

bool FormatDecimal(float value, int fractionDigits, bool padZeros, bool allowExponent, char separator, char* out)
{
    DecimalWriter writer(out);
    int n = fractionDigits < 0 ? 0 : (fractionDigits > MAX_FRACTION_DIGITS ? MAX_FRACTION_DIGITS : fractionDigits);
    float threshold = powf(10.0f, (float)-n);

    if (value == 0.0f) {
        writer.Put('0');
        if (padZeros && n > 0) {
            writer.Put(separator);
            for (int i = 0; i < n; i++)
                writer.Put('0');
        }
        writer.Finish();
        return true;
    }
    if (value < 0.0f) {
        writer.Put('-');
        value = -value;
    }
    if (isinf(value) || isnan(value)) {
        writer.PutText(isinf(value) ? "inf" : "nan");
        writer.Finish();
        return true;
    }

    int e = (int)floorf(log10f(value));
    bool exponentForm = allowExponent && (e >= 6 || e <= -n);
    float p;
    if (exponentForm) {
        // Scaled in double: 10^e of the smallest floats is below float range.
        value = (float)(value / pow(10.0, e));
        p = 1.0f;
    } else {
        p = powf(10.0f, (float)e);
    }
    value += 0.5f * threshold;

    // log10 and the rounding may leave the leading digit at 0 or 10: move the
    // leading place so that it holds 1..9.
    if (exponentForm) {
        if (value >= 10.0f) {
            value /= 10.0f;
            e++;
        } else if (value < 1.0f) {
            value *= 10.0f;
            e--;
        }
    } else if (value >= p * 10.0f) {
        p *= 10.0f;
        e++;
    } else if (p >= 1.0f && value < p) {
        p *= 0.1f;
        e--;
    }

    if (p < 1.0f)
        writer.Put('0');
    while (p >= 1.0f) {
        writer.PutDigit(value, p);
        p *= 0.1f;
    }

    if (n >= 1) {
        if (e < 0)
            p = 0.1f;
        bool trim = !exponentForm && !padZeros;
        if (!trim || value >= threshold) {
            writer.Put(separator);
            for (int i = 0; i < n; i++) {
                if (trim && value < threshold)
                    break;
                writer.PutDigit(value, p);
                p *= 0.1f;
            }
        }
    }

    if (exponentForm) {
        writer.Put('e');
        if (e < 0)
            writer.Put('-');
        int magnitude = e < 0 ? -e : e;
        int place = 1;
        while (place * 10 <= magnitude)
            place *= 10;
        for (; place >= 1; place /= 10)
            writer.Put((char)('0' + magnitude / place % 10));
    }
    writer.Finish();
    return true;
}
