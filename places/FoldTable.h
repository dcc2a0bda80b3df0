// The generated letter-folding table (places/FoldTable.cpp).
#pragma once

// Code points first .. end-1 fold to FOLDED[offset + code point - first].
struct FoldRange
{
    unsigned first, end, offset;
};

// A code point folds to at most this many bytes of UTF-8, never more than
// its own: a lower-case letter without marks, "ss" for ß, " " for a
// separator, nothing for a combining mark.
const unsigned FOLDED_MAX = 3;
extern const FoldRange FOLD_RANGES[];
extern const unsigned FOLD_RANGE_COUNT;
extern const char FOLDED[][FOLDED_MAX + 1];
