// Place table files made in the tests from records: the header, the packing by zlib and the checksum.
#pragma once

#include "places/PlaceTable.h"

#include <zlib.h>

#include <cstring>
#include <vector>

// The table file that holds records (size bytes: textsSize of texts, then
// the numbers) with the given counts, as tools/places/make_places.py writes
// one (zlib packs it instead of zopfli).
inline std::vector<unsigned char> PlaceTableFile(const PlaceTableCounts& counts, const unsigned char* records,
                                                 size_t size, size_t textsSize)
{
    std::vector<unsigned char> packed(compressBound(static_cast<uLong>(size)) + 16);
    z_stream stream = {};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    stream.next_in = const_cast<unsigned char*>(records);
    stream.avail_in = static_cast<uInt>(size);
    stream.next_out = packed.data();
    stream.avail_out = static_cast<uInt>(packed.size());
    deflate(&stream, Z_FINISH);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    const unsigned words[PLACE_TABLE_HEADER_WORDS] = {
        PLACE_TABLE_VERSION,
        counts.countries,
        counts.countryNames,
        counts.regions,
        counts.places,
        counts.alternates,
        counts.zoneKeys,
        counts.zoneGuesses,
        static_cast<unsigned>(size),
        static_cast<unsigned>(textsSize),
        static_cast<unsigned>(packed.size()),
        static_cast<unsigned>(crc32(crc32(0, nullptr, 0), packed.data(), static_cast<uInt>(packed.size())))};
    std::vector<unsigned char> file(PLACE_TABLE_MAGIC, PLACE_TABLE_MAGIC + PLACE_TABLE_MAGIC_SIZE);
    for (unsigned word : words) {
        for (int shift = 0; shift < 32; shift += 8)
            file.push_back(static_cast<unsigned char>(word >> shift));
    }
    file.insert(file.end(), packed.begin(), packed.end());
    return file;
}
