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
// of PlaceTableCounts, the records' unpacked size, their packed size and the
// CRC-32 of the packed bytes; then the records as one raw deflate stream.
const unsigned PLACE_TABLE_VERSION = 1;
const char PLACE_TABLE_MAGIC[] = "UMBPLACE";
const size_t PLACE_TABLE_MAGIC_SIZE = sizeof PLACE_TABLE_MAGIC - 1;
const int PLACE_TABLE_HEADER_WORDS = 11;
const size_t PLACE_TABLE_HEADER_SIZE = PLACE_TABLE_MAGIC_SIZE + PLACE_TABLE_HEADER_WORDS * 4;

// A table's records, unpacked from its file once its header and checksum
// passed; the texts its reader gives live as long as it does.
class CPlaceTable
{
public:
    PlaceTableError Open(const unsigned char* file, size_t size);
    const PlaceTableCounts& Counts() const { return m_counts; }
    const unsigned char* Records() const { return m_records.get(); }
    size_t RecordsSize() const { return m_recordsSize; }
    // Frees the records once read.
    void Close()
    {
        m_records.reset();
        m_recordsSize = 0;
    }

private:
    PlaceTableCounts m_counts = {};
    std::unique_ptr<unsigned char[]> m_records;
    size_t m_recordsSize = 0;
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
