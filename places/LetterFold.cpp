// Texts folded for matching names, by the generated folding table.
#include "places/LetterFold.h"

#include "common/Characters.h"
#include "places/PlaceData.h"

#include <cstring>

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
        size_t pieceLength = folded ? strlen(folded) : length;
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
        memcpy(out + used, piece, pieceLength);
        used += pieceLength;
    }
    out[used] = '\0';
    return used;
}
