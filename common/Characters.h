// The characters of UTF-8 texts, and which ones are controls.
#pragma once

#include <cstddef>

// The values a byte takes; code points below ASCII_END are ASCII, a byte
// each in UTF-8.
const int BYTE_VALUES = 256;
const unsigned ASCII_END = 0x80;

// Beyond Unicode: what DecodeUtf8 gives for a byte that starts no character.
const unsigned NOT_A_CHARACTER = 0x110000;

// The smallest code point a character of 1, 2, 3 or 4 bytes spells: a
// longer form of a smaller one is overlong.
const unsigned SMALLEST_OF_LENGTH[] = {0, 0x80, 0x800, 0x10000};
// UTF-16's surrogates, which UTF-8 never encodes.
const unsigned FIRST_SURROGATE = 0xD800;
const unsigned LAST_SURROGATE = 0xDFFF;
const unsigned LAST_CODE_POINT = 0x10FFFF;

// The code point that starts text and the bytes it takes into length; a byte
// that does not start well-formed UTF-8 (a stray or cut sequence, an overlong
// form, an encoded surrogate, a code point beyond U+10FFFF) counts as one
// character of its own, NOT_A_CHARACTER. Inline: the place search decodes
// every name with it.
inline unsigned DecodeUtf8(const unsigned char* text, size_t& length)
{
    unsigned lead = text[0];
    int extra = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : 0;
    length = 1;
    if (lead >= 0x80 && (lead < 0xC2 || lead >= 0xF5))
        return NOT_A_CHARACTER;
    unsigned code = extra ? lead & (0x3F >> extra) : lead;
    for (int i = 1; i <= extra; ++i) {
        if ((text[i] & 0xC0) != 0x80)
            return NOT_A_CHARACTER;
        code = code << 6 | (text[i] & 0x3F);
    }
    if (code < SMALLEST_OF_LENGTH[extra] || (code >= FIRST_SURROGATE && code <= LAST_SURROGATE) ||
        code > LAST_CODE_POINT)
        return NOT_A_CHARACTER;
    length = static_cast<size_t>(extra) + 1;
    return code;
}

// Whether code is a control character: one of C0, DEL or one of C1.
bool IsControlCharacter(unsigned code);
