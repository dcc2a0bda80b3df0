// The tools' command-line options: one table row each, read strictly.
#pragma once

#include <cstddef>

// How an option's value is read. Every number goes through ReadDecimal.
enum OptionKind
{
    OPTION_FLAG,    // no value: sets *given
    OPTION_NUMBER,  // a number from lowest to highest
    OPTION_WHOLE,   // a whole number from lowest to highest
    OPTION_TIME,    // H:MM or H:MM:SS, or whole seconds, 00:00 to 24:00: seconds into *number
    OPTION_TEXT,    // any text into *text
};

// One row of a tool's option table; an option may be given once.
struct CommandOption
{
    const char* name;  // with its hyphens: "--lat"
    OptionKind kind;
    double lowest, highest;  // OPTION_NUMBER and OPTION_WHOLE
    double* number;          // OPTION_NUMBER, OPTION_WHOLE, OPTION_TIME
    const char** text;       // OPTION_TEXT
    bool* given;             // set when the option appears; may be null
};

// Characters of an argument that a message shows at most.
const size_t SHOWN_ARGUMENT_CHARACTERS = 60;
// Bytes of an argument as a message shows it, terminator included: a
// character takes at most four ("\x1B", or four bytes of UTF-8), and a
// longer argument ends in "...".
const size_t SHOWN_ARGUMENT_MAX = SHOWN_ARGUMENT_CHARACTERS * 4 + 4;

// Longest message ReadCommandOptions writes, terminator included.
const size_t OPTION_ERROR_MAX = SHOWN_ARGUMENT_MAX + 100;

// The argument as a message shows it: its first SHOWN_ARGUMENT_CHARACTERS
// characters, with "..." after them when there are more; a control
// character, or a byte that is no UTF-8, as \xHH; so that an argument that is
// long or holds a terminal's escapes is not sent back whole.
void ShowArgument(const char* argument, char (&shown)[SHOWN_ARGUMENT_MAX]);

// Reads argv[1] ... argv[argc - 1] by the table of count rows. False at the
// first argument that is no option of the table, is given a second time,
// lacks its value or has one out of range, with a message naming the option
// and what it takes into error ("--lat must be a number from -90 to 90:
// 100"), the argument shown as ShowArgument shows it. A table has at most
// OPTION_ROWS_MAX rows.
const size_t OPTION_ROWS_MAX = 32;
bool ReadCommandOptions(int argc, const char* const* argv, const CommandOption* options, size_t count,
                        char (&error)[OPTION_ERROR_MAX]);
