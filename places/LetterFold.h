// Texts folded for matching names: lower case, marks off, separators as one space.
#pragma once

#include <cstddef>

// Writes the UTF-8 text folded for matching into out (outSize bytes, at
// least 1) and returns its length: letters in lower case without their
// marks, those without a decomposition spelled out (ł as l, ß as ss, æ as
// ae), every run of separators (spaces, hyphens, apostrophes, dots) as one
// space, none at either end. A text too long for out is cut at a whole
// character. Characters outside the folding table, and bytes that are not
// UTF-8, stay as they are.
size_t FoldForSearch(const char* text, char* out, size_t outSize);

// The foldings looked up without decoding.
struct QuickFoldings;

// A text read folded as FoldForSearch writes it, a code point at a time,
// without writing it anywhere: what the search reads names through.
class CFoldedReader
{
public:
    explicit CFoldedReader(const char* text);

    // The next code point of the folded text (a byte that is not UTF-8 as
    // NOT_A_CHARACTER), 0 at its end.
    unsigned Next();

private:
    const QuickFoldings& m_ascii;
    const unsigned char* m_in;
    const unsigned char* m_piece;  // what is left of the folding of the character before m_in
    size_t m_pieceLeft = 0;
    bool m_started = false;
    bool m_spacePending = false;
};

// The words of a text as the search keeps them, one after the other: where
// each starts in the text, and its first letters folded.
class CWordScanner
{
public:
    static const int KEY_LETTERS = 4;

    explicit CWordScanner(const char* text);

    // The next word: where it starts, and its first KEY_LETTERS letters
    // folded (0 past its end); false after the last.
    bool Next(const char*& start, unsigned (&letters)[KEY_LETTERS]);

private:
    const QuickFoldings& m_ascii;
    const unsigned char* m_in;
};
