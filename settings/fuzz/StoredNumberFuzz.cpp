// libFuzzer target: stored numbers read, held to their range, written and
// read again.
#include "text/NumberFormat.h"
#include "settings/StoredValues.h"
#include "tests/FuzzText.h"

#include <math.h>

// A stored value is written with six fraction digits: reading that text
// gives it back to those digits, and writing it again gives the same text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CFuzzText input(data, size);
    const char* text = input.Get();
    float value;
    if (ReadStoredFloat(text, &value)) {
        Require(isfinite(value), "a stored number reads as finite", text);
        const float used = LatitudeInRange(value);
        char written[FORMAT_DECIMAL_MAX], again[FORMAT_DECIMAL_MAX];
        FormatDecimal(used, 6, '.', written);
        float back;
        Require(ReadStoredFloat(written, &back), "a written number reads", written);
        Require(fabsf(back - used) <= 1e-6f + fabsf(used) * 1e-6f, "a written number reads as written", written);
        FormatDecimal(back, 6, '.', again);
        Require(!strcmp(written, again), "writing a read number gives the same text", written);
    }
    int whole;
    if (ReadStoredInt(text, &whole)) {
        char number[16];
        snprintf(number, sizeof number, "%d", PlaceInRange(whole));
        int back;
        Require(ReadStoredInt(number, &back) && back == PlaceInRange(whole), "a whole number reads back", number);
    }
    return 0;
}
