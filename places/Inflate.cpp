// Unpacking of raw deflate data: stored, fixed and dynamic Huffman blocks.
#include "places/Inflate.h"

namespace {

const int MAX_CODE_BITS = 15;
const int LITERAL_LENGTH_CODES = 288;  // 286 in use, 288 in the fixed code
const int DISTANCE_CODES = 30;
const int CODE_LENGTH_CODES = 19;
const int END_OF_BLOCK = 256;
const int FIRST_LENGTH_CODE = 257;

const unsigned short LENGTH_BASE[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const unsigned char LENGTH_EXTRA[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const unsigned short DISTANCE_BASE[] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                        33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                        1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const unsigned char DISTANCE_EXTRA[] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block lists the lengths of the code-length code.
const unsigned char CODE_LENGTH_ORDER[CODE_LENGTH_CODES] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                            11, 4,  12, 3, 13, 2, 14, 1, 15};

// Codes this long or shorter are read by one look-up of the next bits.
const int FAST_BITS = 9;
const unsigned FAST_SIZE = 1u << FAST_BITS;
// A look-up entry holds the symbol above the code's length.
const int FAST_LENGTH_BITS = 4;
const unsigned FAST_LENGTH_MASK = (1u << FAST_LENGTH_BITS) - 1;

// A canonical Huffman code: how many codes each length has, and the symbols
// in code order; and for every value of the next FAST_BITS bits, the symbol
// and length of the short code they start with (0 for a longer code).
struct Code
{
    short count[MAX_CODE_BITS + 1];
    short symbol[LITERAL_LENGTH_CODES];
    unsigned short fast[FAST_SIZE];
};

// Fills the look-up of the short codes; deflate sends a code's bits first
// bit first, so the look-up is by their reverse.
void BuildFastCode(Code& code)
{
    for (unsigned short& entry : code.fast)
        entry = 0;
    unsigned next = 0;
    int index = 0;
    for (int length = 1; length <= FAST_BITS; ++length, next <<= 1) {
        for (int k = 0; k < code.count[length]; ++k, ++index, ++next) {
            unsigned reversed = 0;
            for (int bit = 0; bit < length; ++bit)
                reversed |= ((next >> bit) & 1u) << (length - 1 - bit);
            for (unsigned i = reversed; i < FAST_SIZE; i += 1u << length)
                code.fast[i] = static_cast<unsigned short>(code.symbol[index] << FAST_LENGTH_BITS | length);
        }
    }
}

// False for an over-subscribed set of lengths; an incomplete one is allowed
// (a block with a single distance code has one).
bool BuildCode(Code& code, const unsigned char* lengths, int symbols)
{
    for (short& count : code.count)
        count = 0;
    for (int s = 0; s < symbols; ++s)
        ++code.count[lengths[s]];
    code.count[0] = 0;
    int left = 1;
    for (int length = 1; length <= MAX_CODE_BITS; ++length) {
        left = left * 2 - code.count[length];
        if (left < 0)
            return false;
    }
    short offset[MAX_CODE_BITS + 2] = {0, 0};
    for (int length = 1; length <= MAX_CODE_BITS; ++length)
        offset[length + 1] = static_cast<short>(offset[length] + code.count[length]);
    for (int s = 0; s < symbols; ++s) {
        if (lengths[s])
            code.symbol[offset[lengths[s]]++] = static_cast<short>(s);
    }
    BuildFastCode(code);
    return true;
}

class CInflater
{
public:
    CInflater(const unsigned char* in, size_t inSize, unsigned char* out, size_t outSize)
        : m_in(in), m_inSize(inSize), m_out(out), m_outSize(outSize)
    { }

    bool Run()
    {
        bool last = false;
        while (!last && m_ok) {
            last = Bits(1) != 0;
            switch (Bits(2)) {
            case 0: Stored(); break;
            case 1: Fixed(); break;
            case 2: Dynamic(); break;
            default: m_ok = false;
            }
        }
        return m_ok && m_outPos == m_outSize;
    }

private:
    unsigned Bits(int needed)
    {
        unsigned long value = m_bitBuffer;
        while (m_bitCount < needed) {
            if (m_inPos == m_inSize) {
                m_ok = false;
                return 0;
            }
            value |= static_cast<unsigned long>(m_in[m_inPos++]) << m_bitCount;
            m_bitCount += 8;
        }
        m_bitBuffer = value >> needed;
        m_bitCount -= needed;
        return static_cast<unsigned>(value & ((1UL << needed) - 1));
    }

    // Reads bytes until the buffer holds needed bits, or the input ends.
    bool Fill(int needed)
    {
        while (m_bitCount < needed && m_inPos < m_inSize) {
            m_bitBuffer |= static_cast<unsigned long>(m_in[m_inPos++]) << m_bitCount;
            m_bitCount += 8;
        }
        return m_bitCount >= needed;
    }

    int Decode(const Code& code)
    {
        if (Fill(FAST_BITS)) {
            const unsigned entry = code.fast[m_bitBuffer & (FAST_SIZE - 1)];
            if (entry) {
                Bits(static_cast<int>(entry & FAST_LENGTH_MASK));
                return static_cast<int>(entry >> FAST_LENGTH_BITS);
            }
        }
        // A long code, or one near the end of the input: bit by bit.
        int value = 0, first = 0, index = 0;
        for (int length = 1; length <= MAX_CODE_BITS && m_ok; ++length) {
            value |= static_cast<int>(Bits(1));
            int count = code.count[length];
            if (value - count < first)
                return code.symbol[index + value - first];
            index += count;
            first = (first + count) << 1;
            value <<= 1;
        }
        m_ok = false;
        return 0;
    }

    void Put(unsigned char byte)
    {
        if (m_outPos == m_outSize) {
            m_ok = false;
            return;
        }
        m_out[m_outPos++] = byte;
    }

    void Stored()
    {
        // To the byte boundary; whole bytes read ahead go back.
        m_inPos -= static_cast<size_t>(m_bitCount / 8);
        m_bitBuffer = 0;
        m_bitCount = 0;
        if (m_inSize - m_inPos < 4) {
            m_ok = false;
            return;
        }
        unsigned length = m_in[m_inPos] | m_in[m_inPos + 1] << 8;
        unsigned complement = m_in[m_inPos + 2] | m_in[m_inPos + 3] << 8;
        m_inPos += 4;
        if ((length ^ 0xFFFF) != complement || m_inSize - m_inPos < length) {
            m_ok = false;
            return;
        }
        for (unsigned i = 0; i < length && m_ok; ++i)
            Put(m_in[m_inPos++]);
    }

    void Codes(const Code& literals, const Code& distances)
    {
        while (m_ok) {
            int symbol = Decode(literals);
            if (symbol < END_OF_BLOCK) {
                Put(static_cast<unsigned char>(symbol));
                continue;
            }
            if (symbol == END_OF_BLOCK)
                return;
            symbol -= FIRST_LENGTH_CODE;
            if (symbol >= static_cast<int>(sizeof LENGTH_BASE / sizeof LENGTH_BASE[0])) {
                m_ok = false;
                return;
            }
            size_t length = LENGTH_BASE[symbol] + Bits(LENGTH_EXTRA[symbol]);
            int where = Decode(distances);
            if (where >= DISTANCE_CODES) {
                m_ok = false;
                return;
            }
            size_t distance = DISTANCE_BASE[where] + Bits(DISTANCE_EXTRA[where]);
            if (distance > m_outPos) {
                m_ok = false;
                return;
            }
            for (; length > 0 && m_ok; --length)
                Put(m_out[m_outPos - distance]);
        }
    }

    void Fixed()
    {
        unsigned char lengths[LITERAL_LENGTH_CODES];
        for (int s = 0; s < LITERAL_LENGTH_CODES; ++s)
            lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        Code literals, distances;
        BuildCode(literals, lengths, LITERAL_LENGTH_CODES);
        for (int s = 0; s < DISTANCE_CODES; ++s)
            lengths[s] = 5;
        BuildCode(distances, lengths, DISTANCE_CODES);
        Codes(literals, distances);
    }

    void Dynamic()
    {
        int literalCount = static_cast<int>(Bits(5)) + FIRST_LENGTH_CODE;
        int distanceCount = static_cast<int>(Bits(5)) + 1;
        int lengthCount = static_cast<int>(Bits(4)) + 4;
        if (literalCount > LITERAL_LENGTH_CODES - 2 || distanceCount > DISTANCE_CODES) {
            m_ok = false;
            return;
        }
        unsigned char lengths[LITERAL_LENGTH_CODES + DISTANCE_CODES] = {};
        for (int i = 0; i < lengthCount; ++i)
            lengths[CODE_LENGTH_ORDER[i]] = static_cast<unsigned char>(Bits(3));
        Code lengthCode, literals, distances;
        if (!BuildCode(lengthCode, lengths, CODE_LENGTH_CODES)) {
            m_ok = false;
            return;
        }
        // The literal and distance lengths, run-length coded.
        int total = literalCount + distanceCount;
        for (int i = 0; i < total && m_ok;) {
            int symbol = Decode(lengthCode);
            if (symbol < 16) {
                lengths[i++] = static_cast<unsigned char>(symbol);
                continue;
            }
            unsigned char repeated = 0;
            int times;
            if (symbol == 16) {
                if (i == 0) {
                    m_ok = false;
                    return;
                }
                repeated = lengths[i - 1];
                times = 3 + static_cast<int>(Bits(2));
            } else {
                times = symbol == 17 ? 3 + static_cast<int>(Bits(3)) : 11 + static_cast<int>(Bits(7));
            }
            if (i + times > total) {
                m_ok = false;
                return;
            }
            while (times-- > 0)
                lengths[i++] = repeated;
        }
        if (!m_ok || !BuildCode(literals, lengths, literalCount) ||
            !BuildCode(distances, lengths + literalCount, distanceCount)) {
            m_ok = false;
            return;
        }
        Codes(literals, distances);
    }

    const unsigned char* m_in;
    size_t m_inSize, m_inPos = 0;
    unsigned char* m_out;
    size_t m_outSize, m_outPos = 0;
    unsigned long m_bitBuffer = 0;
    int m_bitCount = 0;
    bool m_ok = true;
};

}  // namespace

bool Inflate(const unsigned char* packed, size_t packedSize, unsigned char* out, size_t outSize)
{
    return CInflater(packed, packedSize, out, outSize).Run();
}
