// Texts folded for matching names, by the generated folding table.
#include "places/LetterFold.h"

#include "common/Characters.h"
#include "places/FoldTable.h"

namespace {

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
        unsigned code = DecodeUtf8(in, length);
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
