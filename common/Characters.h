// The characters of UTF-8 texts, and which ones are controls.
#pragma once

#include <cstddef>

// The values a byte takes; code points below ASCII_END are ASCII, a byte
// each in UTF-8.
const int BYTE_VALUES = 256;
const unsigned ASCII_END = 0x80;

// Beyond Unicode: what DecodeUtf8 gives for a byte that starts no character.
const unsigned NOT_A_CHARACTER = 0x110000;

// The code point that starts text and the bytes it takes into length; a byte
// that does not start well-formed UTF-8 (a stray or cut sequence, an overlong
// form, an encoded surrogate, a code point beyond U+10FFFF) counts as one
// character of its own, NOT_A_CHARACTER.
unsigned DecodeUtf8(const unsigned char* text, size_t& length);

// Whether code is a control character: one of C0, DEL or one of C1.
bool IsControlCharacter(unsigned code);
