// libFuzzer target: a degree box's typed text, and the text the box then
// shows read again.
#include "text/NumberFormat.h"
#include "tests/FuzzText.h"

#include <math.h>
#include <wchar.h>

namespace {

// The widest range a degree box takes.
const float LIMIT = 180.0f;
const float HUNDREDTHS = 100.0f;

// Narrow text into a wide buffer of FORMAT_DECIMAL_MAX characters or more,
// each byte one character.
void Widen(const char* text, wchar_t* wide, size_t room)
{
    size_t length = 0;
    for (; text[length] && length + 1 < room; length++)
        wide[length] = static_cast<unsigned char>(text[length]);
    wide[length] = L'\0';
}

}  // namespace

// A box shows hundredths with the user's separator: the shown text reads as
// the value it shows.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CFuzzText input(data, size);
    wchar_t typed[READ_DECIMAL_MAX + 8];
    Widen(input.Get(), typed, sizeof typed / sizeof typed[0]);
    float degrees;
    if (!ParseTypedDecimal(typed, LIMIT, &degrees))
        return 0;
    Require(fabsf(degrees) <= LIMIT, "a typed degree stays in its range", input.Get());
    const float shown = roundf(degrees * HUNDREDTHS) / HUNDREDTHS;
    char digits[FORMAT_DECIMAL_MAX];
    FormatDecimal(shown, 2, ',', digits);
    wchar_t shownText[FORMAT_DECIMAL_MAX];
    Widen(digits, shownText, FORMAT_DECIMAL_MAX);
    float back;
    Require(ParseTypedDecimal(shownText, LIMIT, &back) && fabsf(back - shown) <= 0.5f / HUNDREDTHS,
            "a shown degree reads as shown", digits);
    return 0;
}
