// Texts folded for matching names, by the generated folding table: written out whole, or read a code point at a time.
#include "places/LetterFold.h"

#include "common/Characters.h"
#include "places/FoldTable.h"

namespace {

// The folding of code, or null when the table does not cover it (its
// ranges rise).
const char* FoldedCharacter(unsigned code)
{
    for (unsigned r = 0; r < FOLD_RANGE_COUNT && code >= FOLD_RANGES[r].first; ++r) {
        const FoldRange& range = FOLD_RANGES[r];
        if (code < range.end)
            return FOLDED[range.offset + code - range.first];
    }
    return nullptr;
}

// The first byte of code in UTF-8.
unsigned FirstByte(unsigned code)
{
    if (code < SMALLEST_OF_LENGTH[1])
        return code;
    if (code < SMALLEST_OF_LENGTH[2])
        return 0xC0 | code >> 6;
    if (code < SMALLEST_OF_LENGTH[3])
        return 0xE0 | code >> 12;
    return 0xF0 | code >> 18;
}

// The bytes of a folding, at most FOLDED_MAX.
size_t FoldedLength(const char* folded)
{
    size_t length = 0;
    while (length < FOLDED_MAX && folded[length])
        ++length;
    return length;
}

// Whether a folding is a separator's: one space.
bool IsSeparator(const unsigned char* piece, size_t pieceLength)
{
    return pieceLength == 1 && piece[0] == ' ';
}

}  // namespace

// The foldings of the ASCII characters, the most common of names, and
// which bytes may start a separator: looked up without decoding.
struct QuickFoldings
{
    const unsigned char* pieces[ASCII_END];
    size_t lengths[ASCII_END];
    bool isSeparator[ASCII_END];
    bool maySeparate[BYTE_VALUES];  // by the first byte of a character

    QuickFoldings() : maySeparate()
    {
        for (unsigned code = 0; code < ASCII_END; ++code) {
            const char* folded = FoldedCharacter(code);
            pieces[code] = reinterpret_cast<const unsigned char*>(folded);
            lengths[code] = folded ? FoldedLength(folded) : 0;
            isSeparator[code] = IsSeparator(pieces[code], lengths[code]);
        }
        for (unsigned r = 0; r < FOLD_RANGE_COUNT; ++r) {
            for (unsigned code = FOLD_RANGES[r].first; code < FOLD_RANGES[r].end; ++code) {
                const char* folded = FOLDED[FOLD_RANGES[r].offset + code - FOLD_RANGES[r].first];
                if (IsSeparator(reinterpret_cast<const unsigned char*>(folded), FoldedLength(folded)))
                    maySeparate[FirstByte(code)] = true;
            }
        }
    }
};

namespace {

const QuickFoldings& Quick()
{
    static const QuickFoldings foldings;
    return foldings;
}

// The folding of the character that starts in (its bytes into length):
// its piece and the piece's bytes (none for a mark; a separator is " ").
// A character outside the table, or a byte that is not UTF-8, is its own piece.
const unsigned char* FoldCharacter(const QuickFoldings& ascii, const unsigned char* in, size_t& length,
                                   size_t& pieceLength)
{
    if (*in < ASCII_END && ascii.pieces[*in]) {
        length = 1;
        pieceLength = ascii.lengths[*in];
        return ascii.pieces[*in];
    }
    const unsigned code = DecodeUtf8(in, length);
    const char* folded = FoldedCharacter(code);
    pieceLength = folded ? FoldedLength(folded) : length;
    return folded ? reinterpret_cast<const unsigned char*>(folded) : in;
}

}  // namespace

size_t FoldForSearch(const char* text, char* out, size_t outSize)
{
    const QuickFoldings& ascii = Quick();
    const unsigned char* in = reinterpret_cast<const unsigned char*>(text);
    size_t used = 0;
    bool spacePending = false;
    while (*in) {
        size_t length, pieceLength;
        const unsigned char* piece = FoldCharacter(ascii, in, length, pieceLength);
        in += length;
        if (IsSeparator(piece, pieceLength)) {
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
            out[used++] = static_cast<char>(piece[i]);
    }
    out[used] = '\0';
    return used;
}

CFoldedReader::CFoldedReader(const char* text)
    : m_ascii(Quick()), m_in(reinterpret_cast<const unsigned char*>(text)), m_piece(m_in)
{ }

unsigned CFoldedReader::Next()
{
    // The letters of a character's folding one by one; at a separator one
    // space, given once the next letter shows that a word follows.
    while (!m_pieceLeft || m_spacePending) {
        if (m_pieceLeft) {
            m_spacePending = false;
            return ' ';
        }
        if (!*m_in)
            return 0;
        size_t length;
        m_piece = FoldCharacter(m_ascii, m_in, length, m_pieceLeft);
        m_in += length;
        if (IsSeparator(m_piece, m_pieceLeft)) {
            m_spacePending = m_started;
            m_pieceLeft = 0;
        }
        m_started |= m_pieceLeft > 0;
    }
    size_t length;
    const unsigned code = DecodeUtf8(m_piece, length);
    // A piece's bytes are whole characters but for a lone bad byte.
    length = length < m_pieceLeft ? length : m_pieceLeft;
    m_piece += length;
    m_pieceLeft -= length;
    return code;
}

CWordScanner::CWordScanner(const char* text) : m_ascii(Quick()), m_in(reinterpret_cast<const unsigned char*>(text))
{ }

bool CWordScanner::Next(const char*& start, unsigned (&letters)[KEY_LETTERS])
{
    // To the first character that folds to a letter.
    size_t length = 0, pieceLength = 0;
    const unsigned char* piece = nullptr;
    for (; *m_in; m_in += length) {
        piece = FoldCharacter(m_ascii, m_in, length, pieceLength);
        if (pieceLength && !IsSeparator(piece, pieceLength))
            break;
    }
    if (!*m_in)
        return false;
    start = reinterpret_cast<const char*>(m_in);
    // Its first letters: an ASCII letter from the table at once, a
    // character the table leaves as it is read once.
    int count = 0;
    for (;;) {
        if (piece == m_in) {
            size_t letterLength;
            letters[count++] = *m_in < ASCII_END ? *m_in : DecodeUtf8(m_in, letterLength);
            pieceLength = 0;
        }
        while (pieceLength && count < KEY_LETTERS) {
            size_t letterLength = 1;
            letters[count++] = *piece < ASCII_END ? *piece : DecodeUtf8(piece, letterLength);
            letterLength = letterLength < pieceLength ? letterLength : pieceLength;
            piece += letterLength;
            pieceLength -= letterLength;
        }
        m_in += length;
        for (unsigned char byte; count < KEY_LETTERS && (byte = *m_in) < ASCII_END && m_ascii.lengths[byte] == 1 &&
                                 !m_ascii.isSeparator[byte];
             ++m_in)
            letters[count++] = m_ascii.pieces[byte][0];
        if (count == KEY_LETTERS || !*m_in)
            break;
        piece = FoldCharacter(m_ascii, m_in, length, pieceLength);
        if (IsSeparator(piece, pieceLength))
            break;
    }
    for (int i = count; i < KEY_LETTERS; ++i)
        letters[i] = 0;
    // On to the word's end, a byte at a time but where a separator may start.
    while (count == KEY_LETTERS && *m_in) {
        if (*m_in < ASCII_END ? !m_ascii.isSeparator[*m_in] : !m_ascii.maySeparate[*m_in]) {
            ++m_in;
            continue;
        }
        if (*m_in < ASCII_END)
            break;
        piece = FoldCharacter(m_ascii, m_in, length, pieceLength);
        if (IsSeparator(piece, pieceLength))
            break;
        m_in += length;
    }
    return true;
}
