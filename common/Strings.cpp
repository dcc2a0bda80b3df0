// Heap copies of texts.
#include "common/Strings.h"

#include <cstdlib>
#include <cstring>

char* DuplicateString(const char* text)
{
    if (!text)
        return nullptr;
    size_t size = strlen(text) + 1;
    char* copy = static_cast<char*>(malloc(size));
    if (copy)
        memcpy(copy, text, size);
    return copy;
}
