// Tests of the UTF-8 decoding: every form it must take, and every ill-formed one it must refuse byte by byte.
#include "common/Characters.h"

#include <gtest/gtest.h>

TEST(DecodeUtf8, TakesWellFormedCharactersAndRefusesTheRestByteByByte)
{
    static const struct
    {
        const char* bytes;
        unsigned code;  // NOT_A_CHARACTER: refused
        size_t length;
    } cases[] = {
        {"B", 'B', 1},
        {"\xc3\xa9", 0xE9, 2},                     // é
        {"\xe0\xa0\x80", 0x800, 3},                // the smallest of three bytes
        {"\xed\x9f\xbf", 0xD7FF, 3},               // just below the surrogates
        {"\xee\x80\x80", 0xE000, 3},               // just above them
        {"\xf0\x90\x80\x80", 0x10000, 4},          // the smallest of four bytes
        {"\xf4\x8f\xbf\xbf", 0x10FFFF, 4},         // the last code point
        {"\xc1\x82", NOT_A_CHARACTER, 1},          // B in two bytes
        {"\xe0\x81\x82", NOT_A_CHARACTER, 1},      // B in three
        {"\xe0\x9f\xbf", NOT_A_CHARACTER, 1},      // U+07FF in three
        {"\xf0\x8f\xbf\xbf", NOT_A_CHARACTER, 1},  // U+FFFF in four
        {"\xed\xa0\x80", NOT_A_CHARACTER, 1},      // the first surrogate
        {"\xed\xbf\xbf", NOT_A_CHARACTER, 1},      // the last
        {"\xf4\x90\x80\x80", NOT_A_CHARACTER, 1},  // U+110000
        {"\xf5\x80\x80\x80", NOT_A_CHARACTER, 1},  // a lead beyond Unicode
        {"\x80", NOT_A_CHARACTER, 1},              // a stray continuation byte
        {"\xe2\x82", NOT_A_CHARACTER, 1},          // cut short by the end
        {"\xe2\x82\x41", NOT_A_CHARACTER, 1},      // and by a letter
    };
    for (const auto& c : cases) {
        size_t length = 0;
        const unsigned code = DecodeUtf8(reinterpret_cast<const unsigned char*>(c.bytes), length);
        EXPECT_EQ(c.code, code) << testing::PrintToString(c.bytes);
        EXPECT_EQ(c.length, length) << testing::PrintToString(c.bytes);
    }
}
