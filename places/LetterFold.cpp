// Texts folded for matching names, by the generated folding table.
#include "places/LetterFold.h"

#include "places/PlaceData.h"

namespace {

// Beyond Unicode, so that no folding range holds it: a byte that is kept as it is.
const unsigned NOT_A_CHARACTER = 0x110000;

// The code point that starts text and the bytes it takes; a byte that does
// not start well-formed UTF-8 counts as one character of its own, NOT_A_CHARACTER.
unsigned DecodeCharacter(const unsigned char* text, size_t& length)
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
    length = static_cast<size_t>(extra) + 1;
    return code;
}

// The folding of code, or null when the table does not cover it.
const char* FoldedCharacter(unsigned code)
{
    for (unsigned r = 0; r < FOLD_RANGE_COUNT; ++r) {
        const FoldRange& range = FOLD_RANGES[r];
        if (code >= range.first && code < range.end)
            return FOLDED[range.offset + code - range.first];
    }
    return nullptr;
}

// The bytes of a folding, at most FOLDED_MAX.
size_t FoldedLength(const char* folded)
{
    size_t length = 0;
    while (length < FOLDED_MAX && folded[length])
        ++length;
    return length;
}

}  // namespace

size_t FoldForSearch(const char* text, char* out, size_t outSize)
{
    const unsigned char* in = reinterpret_cast<const unsigned char*>(text);
    size_t used = 0;
    bool spacePending = false;
    while (*in) {
        size_t length;
        unsigned code = DecodeCharacter(in, length);
        const char* folded = FoldedCharacter(code);
        const char* piece = folded ? folded : reinterpret_cast<const char*>(in);
        size_t pieceLength = folded ? FoldedLength(folded) : length;
        in += length;
        if (pieceLength == 1 && piece[0] == ' ') {
            spacePending = used > 0;
            continue;
        }
        if (pieceLength == 0)
            continue;
        if (used + spacePending + pieceLength >= outSize)
            break;
        if (spacePending)
            out[used++] = ' ';
        spacePending = false;
        for (size_t i = 0; i < pieceLength; ++i)
            out[used++] = piece[i];
    }
    out[used] = '\0';
    return used;
}
