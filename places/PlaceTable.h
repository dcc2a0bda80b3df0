// The place table's file: its header, the check of its checksum, its unpacking, and the reader of its records.
#pragma once

#include <cstddef>
#include <memory>

// Why a place table was refused.
enum class PlaceTableError
{
    NONE,
    MISSING,         // no bytes at all
    WRONG_MAGIC,     // not a place table
    WRONG_VERSION,   // a place table of another format
    LENGTH,          // shorter or longer than its header says
    WRONG_CHECKSUM,  // the packed records are not those the header sums
    UNPACKING,       // zlib refused the packed records or they unpack to another length
    CONTENTS,        // the records disagree with the header or with each other
    NO_MEMORY,
};

// What the error means, in English, for the tools and the log.
const char* PlaceTableErrorText(PlaceTableError error);

// The numbers of records the header gives.
struct PlaceTableCounts
{
    unsigned countries;
    unsigned countryNames;  // the countries' other names (in Slovenian, short forms, codes)
    unsigned regions;
    unsigned places;
    unsigned alternates;  // the places' other names
    unsigned zoneKeys;
    unsigned zoneGuesses;
};

// The file tools/places/make_places.py writes: the magic, then
// little-endian 32-bit words: the format version, the counts in the order
// of PlaceTableCounts, the records' unpacked size, the size of their texts
// (which come first, the numbers after them), their packed size and the
// CRC-32 of the packed bytes; then the records as one raw deflate stream.
const unsigned PLACE_TABLE_VERSION = 2;
const char PLACE_TABLE_MAGIC[] = "UMBPLACE";
const size_t PLACE_TABLE_MAGIC_SIZE = sizeof PLACE_TABLE_MAGIC - 1;
const int PLACE_TABLE_HEADER_WORDS = 12;
const size_t PLACE_TABLE_HEADER_SIZE = PLACE_TABLE_MAGIC_SIZE + PLACE_TABLE_HEADER_WORDS * 4;

// A table's records, unpacked from its file once its header and checksum
// passed: their texts (zero-terminated, one after another) into a block
// that lives as long as the table, their numbers into one that is freed
// once they are read.
class CPlaceTable
{
public:
    PlaceTableError Open(const unsigned char* file, size_t size);
    const PlaceTableCounts& Counts() const { return m_counts; }
    const unsigned char* Texts() const { return m_texts.get(); }
    size_t TextsSize() const { return m_textsSize; }
    const unsigned char* Numbers() const { return m_numbers.get(); }
    size_t NumbersSize() const { return m_numbersSize; }
    void FreeNumbers()
    {
        m_numbers.reset();
        m_numbersSize = 0;
    }

private:
    PlaceTableCounts m_counts = {};
    std::unique_ptr<unsigned char[]> m_texts, m_numbers;
    size_t m_textsSize = 0, m_numbersSize = 0;
};

// Reads records: numbers as little-endian base-128 groups (signed ones
// zigzagged), texts zero-terminated, two-letter codes without a terminator.
// Running off the end sets a flag instead of reading past it.
class CRecordReader
{
public:
    CRecordReader(const unsigned char* data, size_t size) : m_data(data), m_size(size) { }

    bool IsOk() const { return m_ok; }
    bool IsAtEnd() const { return m_pos == m_size; }
    unsigned long Number();
    long Signed();
    // A number that counts or indexes records: below limit, else the reader fails.
    int Index(unsigned long limit);
    const char* Text();
    void Code(char out[3]);

private:
    const unsigned char* m_data;
    size_t m_size, m_pos = 0;
    bool m_ok = true;
};
