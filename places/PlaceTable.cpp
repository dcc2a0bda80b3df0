// The place table's file: the header's checks, the CRC-32 and the unpacking by zlib, and the record reader.
#include "places/PlaceTable.h"

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <new>

namespace {

unsigned Word(const unsigned char* bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<unsigned>(bytes[3]) << 24;
}

// A block the records unpack into, filled in turn.
struct UnpackedPart
{
    unsigned char* bytes;
    unsigned size;
};

// Unpacks the raw deflate stream packed into the parts, which it must fill
// exactly, one after the other.
bool Unpack(const unsigned char* packed, unsigned packedSize, const UnpackedPart (&parts)[2])
{
    z_stream stream = {};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return false;
    stream.next_in = const_cast<unsigned char*>(packed);
    stream.avail_in = packedSize;
    int result = Z_OK;
    bool filled = true;
    for (const UnpackedPart& part : parts) {
        stream.next_out = part.bytes;
        stream.avail_out = part.size;
        while (result == Z_OK && stream.avail_out)
            result = inflate(&stream, Z_NO_FLUSH);
        filled = filled && !stream.avail_out;
    }
    // Past the last byte only the stream's end may follow.
    if (result == Z_OK)
        result = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    return filled && result == Z_STREAM_END && !stream.avail_in;
}

}  // namespace

const char* PlaceTableErrorText(PlaceTableError error)
{
    switch (error) {
    case PlaceTableError::NONE: return "the place table is sound";
    case PlaceTableError::MISSING: return "the place table is missing";
    case PlaceTableError::WRONG_MAGIC: return "this is not a place table";
    case PlaceTableError::WRONG_VERSION: return "the place table is of another format version";
    case PlaceTableError::LENGTH: return "the place table is cut short or longer than its header says";
    case PlaceTableError::WRONG_CHECKSUM: return "the place table is damaged: its checksum does not match";
    case PlaceTableError::UNPACKING: return "the place table's records do not unpack";
    case PlaceTableError::CONTENTS: return "the place table's records disagree with its header";
    case PlaceTableError::NO_MEMORY: return "there is no memory for the place table";
    }
    return "the place table is refused";
}

PlaceTableError CPlaceTable::Open(const unsigned char* file, size_t size)
{
    if (!file || !size)
        return PlaceTableError::MISSING;
    if (size < PLACE_TABLE_MAGIC_SIZE || memcmp(file, PLACE_TABLE_MAGIC, PLACE_TABLE_MAGIC_SIZE))
        return PlaceTableError::WRONG_MAGIC;
    if (size < PLACE_TABLE_MAGIC_SIZE + 4)
        return PlaceTableError::LENGTH;
    if (Word(file + PLACE_TABLE_MAGIC_SIZE) != PLACE_TABLE_VERSION)
        return PlaceTableError::WRONG_VERSION;
    if (size < PLACE_TABLE_HEADER_SIZE)
        return PlaceTableError::LENGTH;
    unsigned words[PLACE_TABLE_HEADER_WORDS];
    for (int w = 0; w < PLACE_TABLE_HEADER_WORDS; ++w)
        words[w] = Word(file + PLACE_TABLE_MAGIC_SIZE + 4 * w);
    m_counts = {words[1], words[2], words[3], words[4], words[5], words[6], words[7]};
    const unsigned unpackedSize = words[8], textsSize = words[9], packedSize = words[10], checksum = words[11];
    const unsigned char* packed = file + PLACE_TABLE_HEADER_SIZE;
    if (size - PLACE_TABLE_HEADER_SIZE != packedSize)
        return PlaceTableError::LENGTH;
    if (crc32(crc32(0, nullptr, 0), packed, packedSize) != checksum)
        return PlaceTableError::WRONG_CHECKSUM;
    // Every record takes a byte at least: a count beyond the size is damage,
    // and the records' sizes fit an int.
    const unsigned counts[] = {m_counts.countries,  m_counts.countryNames, m_counts.regions,    m_counts.places,
                               m_counts.alternates, m_counts.zoneKeys,     m_counts.zoneGuesses};
    if (unpackedSize > INT32_MAX || textsSize > unpackedSize)
        return PlaceTableError::CONTENTS;
    for (unsigned count : counts) {
        if (count > unpackedSize)
            return PlaceTableError::CONTENTS;
    }
    const unsigned numbersSize = unpackedSize - textsSize;
    m_texts.reset(new (std::nothrow) unsigned char[textsSize ? textsSize : 1]);
    m_numbers.reset(new (std::nothrow) unsigned char[numbersSize ? numbersSize : 1]);
    if (!m_texts || !m_numbers)
        return PlaceTableError::NO_MEMORY;
    if (!Unpack(packed, packedSize, {{m_texts.get(), textsSize}, {m_numbers.get(), numbersSize}})) {
        m_texts.reset();
        m_numbers.reset();
        return PlaceTableError::UNPACKING;
    }
    m_textsSize = textsSize;
    m_numbersSize = numbersSize;
    return PlaceTableError::NONE;
}

unsigned long CRecordReader::Number()
{
    unsigned long value = 0;
    for (int shift = 0; shift < 32; shift += 7) {
        if (m_pos == m_size)
            break;
        const unsigned char byte = m_data[m_pos++];
        value |= static_cast<unsigned long>(byte & 0x7F) << shift;
        if (byte < 0x80)
            return value;
    }
    m_ok = false;
    return 0;
}

long CRecordReader::Signed()
{
    const unsigned long value = Number();
    return value & 1 ? -static_cast<long>(value >> 1) - 1 : static_cast<long>(value >> 1);
}

int CRecordReader::Index(unsigned long limit)
{
    const unsigned long value = Number();
    if (value < limit)
        return static_cast<int>(value);
    m_ok = false;
    return 0;
}

const char* CRecordReader::Text()
{
    const void* end = memchr(m_data + m_pos, 0, m_size - m_pos);
    if (!end) {
        m_ok = false;
        return "";
    }
    const char* text = reinterpret_cast<const char*>(m_data + m_pos);
    m_pos = static_cast<const unsigned char*>(end) - m_data + 1;
    return text;
}

void CRecordReader::Code(char out[3])
{
    out[0] = out[1] = out[2] = '\0';
    if (m_size - m_pos < 2) {
        m_ok = false;
        return;
    }
    memcpy(out, m_data + m_pos, 2);
    m_pos += 2;
}
