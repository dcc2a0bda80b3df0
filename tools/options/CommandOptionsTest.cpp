// Tests of the tools' option reader.
#include "tools/options/CommandOptions.h"

#include <gtest/gtest.h>

// The tools' options: each form a row, accepted with its value or refused
// with a message that names the option and what it takes.
TEST(ReadCommandOptions, EachValueIsReadWhollyAndWithinItsRange)
{
    const double REFUSED = -1.0;
    const struct
    {
        const char* option;
        const char* value;
        double expected;      // REFUSED when refused
        const char* message;  // the refusal's message
    } cases[] = {
        {"--lat", "46,05", 46.05, ""},
        {"--lat", "-90", -90.0, ""},
        {"--lat", "100", REFUSED, "--lat must be a number from -90 to 90: 100"},
        {"--lat", "1e1", REFUSED, "--lat must be a number from -90 to 90: 1e1"},
        {"--lat", "45x", REFUSED, "--lat must be a number from -90 to 90: 45x"},
        {"--day", "365", 365.0, ""},
        {"--day", "1e2", REFUSED, "--day must be a whole number from 0 to 365: 1e2"},
        {"--day", "10.5", REFUSED, "--day must be a whole number from 0 to 365: 10.5"},
        {"--time", "24:00", 86400.0, ""},
        {"--time", "9:05:30", 9 * 3600 + 5 * 60 + 30.0, ""},
        {"--time", "43200", 43200.0, ""},
        {"--time", "25:00", REFUSED, "--time must be a time from 00:00 to 24:00 (H:MM or H:MM:SS): 25:00"},
        {"--time", "24:01", REFUSED, "--time must be a time from 00:00 to 24:00 (H:MM or H:MM:SS): 24:01"},
        {"--time", "9:5", REFUSED, "--time must be a time from 00:00 to 24:00 (H:MM or H:MM:SS): 9:5"},
        {"--time", "12:00:60", REFUSED, "--time must be a time from 00:00 to 24:00 (H:MM or H:MM:SS): 12:00:60"},
        {"--time", "-1", REFUSED, "--time must be a time from 00:00 to 24:00 (H:MM or H:MM:SS): -1"},
        {"--lang", nullptr, REFUSED, "--lang needs a value"},
        {"--bogus", "1", REFUSED, "unknown option: --bogus"},
    };
    for (const auto& c : cases) {
        double number = REFUSED;
        const char* text = nullptr;
        const CommandOption options[] = {
            {"--lat", OPTION_NUMBER, -90, 90, &number, nullptr, nullptr},
            {"--day", OPTION_WHOLE, 0, 365, &number, nullptr, nullptr},
            {"--time", OPTION_TIME, 0, 0, &number, nullptr, nullptr},
            {"--lang", OPTION_TEXT, 0, 0, nullptr, &text, nullptr},
        };
        const char* argv[] = {"tool", c.option, c.value};
        char error[OPTION_ERROR_MAX];
        const bool accepted = ReadCommandOptions(c.value ? 3 : 2, argv, options, 4, error);
        EXPECT_EQ(c.expected != REFUSED, accepted) << c.option << " " << (c.value ? c.value : "") << ": " << error;
        EXPECT_EQ(c.expected, number) << c.option << " " << (c.value ? c.value : "");
        EXPECT_STREQ(c.message, error) << c.option << " " << (c.value ? c.value : "");
    }
}
