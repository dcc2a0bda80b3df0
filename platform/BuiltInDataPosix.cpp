// The place table linked into the native build: the assembler takes in the file the string UMBRANT_PLACE_TABLE names.
#include "platform/BuiltInData.h"

asm(".section .rodata\n"
    ".balign 16\n"
    ".globl umbrant_place_table, umbrant_place_table_end\n"
    "umbrant_place_table:\n"
    ".incbin \"" UMBRANT_PLACE_TABLE "\"\n"
    "umbrant_place_table_end:\n"
    ".previous\n");

extern "C" const unsigned char umbrant_place_table[];
extern "C" const unsigned char umbrant_place_table_end[];

DataBytes BuiltInPlaceTable()
{
    return {umbrant_place_table, static_cast<size_t>(umbrant_place_table_end - umbrant_place_table)};
}
