// The data the program carries in itself: the place table.
#pragma once

// The place table's resource (resources/Places.rc).
#define PLACE_TABLE_RESOURCE 400

#ifndef RC_INVOKED
#include <cstddef>

// Bytes that live as long as the program.
struct DataBytes
{
    const unsigned char* bytes;
    size_t size;
};

// The place table (places/PlaceTable.bin) as the program carries it: a
// resource of the executable on Windows, linked in natively; empty where it
// is missing.
DataBytes BuiltInPlaceTable();
#endif
