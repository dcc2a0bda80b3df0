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

// One row of a tool's option table. A row that is given more than once
// takes the last value.
struct CommandOption
{
    const char* name;  // with its hyphens: "--lat"
    OptionKind kind;
    double lowest, highest;  // OPTION_NUMBER and OPTION_WHOLE
    double* number;          // OPTION_NUMBER, OPTION_WHOLE, OPTION_TIME
    const char** text;       // OPTION_TEXT
    bool* given;             // set when the option appears; may be null
};

// Longest message ReadCommandOptions writes, terminator included.
const size_t OPTION_ERROR_MAX = 160;

// Reads argv[1] ... argv[argc - 1] by the table of count rows. False at the
// first argument that is no option of the table, lacks its value or has one
// out of range, with a message naming the option and what it takes into
// error ("--lat must be a number from -90 to 90: 100").
bool ReadCommandOptions(int argc, const char* const* argv, const CommandOption* options, size_t count,
                        char (&error)[OPTION_ERROR_MAX]);
