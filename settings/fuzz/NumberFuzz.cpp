// libFuzzer target: the number reader on stored and typed texts, and the
// write-then-read round trip of every value it accepts.
#include "settings/NumberFormat.h"
#include "settings/StoredValues.h"

#include <math.h>
#include <stdio.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

namespace {

// Stops the run with the text that broke the rule.
void Require(bool holds, const char* rule, const char* text)
{
    if (!holds) {
        fprintf(stderr, "%s: \"%s\"\n", rule, text);
        abort();
    }
}

// A stored value is written with six fraction digits: reading that text
// gives it back to those digits, and writing it again gives the same text.
void CheckStored(const char* text)
{
    float value;
    if (!ReadStoredFloat(text, &value))
        return;
    Require(isfinite(value), "a stored number reads as finite", text);
    const float used = LatitudeInRange(value);
    char written[FORMAT_DECIMAL_MAX], again[FORMAT_DECIMAL_MAX];
    FormatDecimal(used, 6, false, false, '.', written);
    float back;
    Require(ReadStoredFloat(written, &back), "a written number reads", written);
    Require(fabsf(back - used) <= 1e-6f + fabsf(used) * 1e-6f, "a written number reads as written", written);
    FormatDecimal(back, 6, false, false, '.', again);
    Require(!strcmp(written, again), "writing a read number gives the same text", written);
    int whole;
    if (ReadStoredInt(text, &whole)) {
        char number[16];
        snprintf(number, sizeof number, "%d", PlaceInRange(whole));
        int wholeBack;
        Require(ReadStoredInt(number, &wholeBack) && wholeBack == PlaceInRange(whole), "a whole number reads back",
                number);
    }
}

// A typed degree box shows hundredths with the user's separator: the shown
// text reads as the value it shows.
void CheckTyped(const char* text)
{
    wchar_t wide[READ_DECIMAL_MAX + 8];
    size_t length = 0;
    for (; text[length] && length + 1 < sizeof wide / sizeof wide[0]; length++)
        wide[length] = static_cast<unsigned char>(text[length]);
    wide[length] = L'\0';
    float degrees;
    if (!ParseTypedDecimal(wide, 180.0f, &degrees))
        return;
    Require(fabsf(degrees) <= 180.0f, "a typed degree stays in its range", text);
    const float shown = roundf(degrees * 100.0f) / 100.0f;
    char digits[FORMAT_DECIMAL_MAX];
    FormatDecimal(shown, 2, false, false, ',', digits);
    wchar_t shownText[FORMAT_DECIMAL_MAX];
    for (length = 0; digits[length]; length++)
        shownText[length] = static_cast<unsigned char>(digits[length]);
    shownText[length] = L'\0';
    float back;
    Require(ParseTypedDecimal(shownText, 180.0f, &back) && fabsf(back - shown) <= 0.005f,
            "a shown degree reads as shown", digits);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char* text = static_cast<char*>(malloc(size + 1));
    memcpy(text, data, size);
    text[size] = '\0';
    CheckStored(text);
    CheckTyped(text);
    free(text);
    return 0;
}
