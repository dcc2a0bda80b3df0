// Tests of the tools' option reader.
#include "tools/options/CommandOptions.h"

#include <gtest/gtest.h>

#include <string>

// The tools' options: each form a row, accepted with its value or refused
// with a message that names the option and what it takes.
TEST(ReadCommandOptions, EachValueIsReadWhollyAndWithinItsRange)
{
    const double REFUSED = -1.0;
    const std::string tooLong(130000, '9');
    const std::string tooLongShown =
        "--lat must be a number from -90 to 90: " + tooLong.substr(0, SHOWN_ARGUMENT_CHARACTERS) + "...";
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
        // An argument comes back shortened, without a terminal's controls.
        {"--lat", tooLong.c_str(), REFUSED, tooLongShown.c_str()},
        {"--lat", "\x1b]0;x\a\x7f", REFUSED, "--lat must be a number from -90 to 90: \\x1B]0;x\\x07\\x7F"},
        {"--lat", "46\xc2\xb0\xc2\x9b", REFUSED, "--lat must be a number from -90 to 90: 46\xc2\xb0\\xC2\\x9B"},
        {"--bo\x9bgus\xe2\x80", "1", REFUSED, "unknown option: --bo\\x9Bgus\\xE2\\x80"},
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

// An option given a second time is refused, whatever its values.
TEST(ReadCommandOptions, AnOptionIsGivenOnce)
{
    double number = 0;
    bool flag = false;
    const CommandOption options[] = {
        {"--lat", OPTION_NUMBER, -90, 90, &number, nullptr, nullptr},
        {"--exact", OPTION_FLAG, 0, 0, nullptr, nullptr, &flag},
    };
    const struct
    {
        const char* argv[5];
        const char* message;
    } cases[] = {
        {{"tool", "--lat", "45", "--lat", "45"}, "--lat is given twice"},
        {{"tool", "--exact", "--lat", "1", "--exact"}, "--exact is given twice"},
    };
    for (const auto& c : cases) {
        char error[OPTION_ERROR_MAX];
        EXPECT_FALSE(ReadCommandOptions(5, c.argv, options, 2, error)) << c.message;
        EXPECT_STREQ(c.message, error);
    }
}
