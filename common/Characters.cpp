// The characters of UTF-8 texts, and which ones are controls.
#include "common/Characters.h"

namespace {

// The control characters: C0 below the space, DEL and C1 after it.
const unsigned FIRST_PRINTABLE = 0x20;
const unsigned DELETE_CHARACTER = 0x7F;
const unsigned LAST_C1_CONTROL = 0x9F;

}  // namespace

bool IsControlCharacter(unsigned code)
{
    return code < FIRST_PRINTABLE || (code >= DELETE_CHARACTER && code <= LAST_C1_CONTROL);
}
