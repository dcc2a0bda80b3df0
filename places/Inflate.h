// Unpacking of raw deflate data.
#pragma once

#include <cstddef>

// Unpacks the raw deflate stream packed (packedSize bytes) into out, which
// it must fill exactly (outSize bytes). False for a damaged or short stream.
bool Inflate(const unsigned char* packed, size_t packedSize, unsigned char* out, size_t outSize);
