// Tests of the command-line options.
#include "install/CommandLine.h"
#include "settings/CommandOptions.h"

#include <gtest/gtest.h>

#include <random>
#include <string.h>
#include <string>
#include <vector>

namespace {

bool Has(const char* commandLine, const char* name)
{
    return FindOption(commandLine, name, nullptr, nullptr, 0);
}

std::string ValueOf(const std::string& commandLine, const char* name, int valueOutMax = 63)
{
    std::vector<char> value(valueOutMax + 1, 'z');
    FindOption(commandLine.c_str(), name, nullptr, value.data(), valueOutMax);
    return value.data();
}

}  // namespace

TEST(FindOption, HyphenAtStartOrAfterSpaceStartsAName)
{
    EXPECT_TRUE(Has("-install", "install"));
    EXPECT_TRUE(Has("-Install", "install"));
    EXPECT_TRUE(Has("-INSTALL", "install"));
    EXPECT_TRUE(Has("-install", "INSTALL"));
    EXPECT_TRUE(Has("  -install  ", "install"));
    EXPECT_TRUE(Has("-install other words", "install"));
    EXPECT_TRUE(Has("first -install", "install"));
    EXPECT_TRUE(Has("-a b -install", "install"));

    EXPECT_FALSE(Has("install", "install"));
    EXPECT_FALSE(Has("/install", "install"));
    EXPECT_FALSE(Has("--install", "install"));
    EXPECT_FALSE(Has("x-install", "install"));
    EXPECT_FALSE(Has("\"-install\"", "install"));
    EXPECT_FALSE(Has("\"a -install\"", "install"));
    EXPECT_FALSE(Has("\"a -install b\"", "install"));
    EXPECT_FALSE(Has("\"a\" \"-install b\"", "install"));
}

TEST(FindOption, NamesMatchWhole)
{
    EXPECT_FALSE(Has("-installx", "install"));
    EXPECT_FALSE(Has("-instal", "install"));
    EXPECT_FALSE(Has("-install", "uninstall"));
    EXPECT_FALSE(Has("-uninstall", "install"));
    EXPECT_FALSE(Has("-", "install"));
    // Only the ASCII letters ignore case.
    EXPECT_FALSE(Has("-\xC8", "\xE8"));
}

TEST(FindOption, UninstallAndInstallTogether)
{
    // Start-up asks for uninstall first, so this one wins.
    EXPECT_TRUE(Has("-uninstall -install", "uninstall"));
    EXPECT_TRUE(Has("-uninstall -install", "install"));
    EXPECT_FALSE(Has("-install", "uninstall"));
}

TEST(FindOption, OnlyTheSpaceSeparates)
{
    EXPECT_FALSE(Has("\t-install", "install"));
    EXPECT_FALSE(Has("-install\tx", "install"));
    EXPECT_FALSE(Has("a\t-install", "install"));
}

TEST(FindOption, NothingToFind)
{
    EXPECT_FALSE(Has("", "install"));
    EXPECT_FALSE(Has("     ", "install"));
    EXPECT_FALSE(Has(nullptr, "install"));
    EXPECT_FALSE(FindOption("-install", nullptr, nullptr, nullptr, 0));
}

TEST(FindOption, OtherNameIsAnAlternative)
{
    EXPECT_TRUE(FindOption("-u", "uninstall", "u", nullptr, 0));
    EXPECT_TRUE(FindOption("-UNINSTALL", "uninstall", "u", nullptr, 0));
    EXPECT_FALSE(FindOption("-x", "uninstall", "u", nullptr, 0));
}

TEST(FindOption, ValueFollowingTheOption)
{
    EXPECT_EQ(ValueOf("-lat 46 -size 1", "lat"), "46");
    EXPECT_EQ(ValueOf("-lat 46 -size 1", "size"), "1");
    EXPECT_EQ(ValueOf("-dir \"C:\\Program Files\\x\" -y", "dir"), "C:\\Program Files\\x");
    EXPECT_EQ(ValueOf("-dir a\"b c\"d", "dir"), "ab cd");
    EXPECT_EQ(ValueOf("-dir \"-not an option\"", "dir"), "-not an option");
    // Two spaces end the option's hold on what follows.
    EXPECT_EQ(ValueOf("-lat  46", "lat"), "");
    EXPECT_TRUE(Has("-lat  46", "lat"));
    EXPECT_EQ(ValueOf("-lat", "lat"), "");
    EXPECT_EQ(ValueOf("-lat -x 5", "lat"), "");
    // An unclosed quote never finishes its value.
    EXPECT_EQ(ValueOf("-dir \"abc", "dir"), "");
    EXPECT_TRUE(Has("-dir \"abc", "dir"));
}

TEST(FindOption, ValueIsCutAndAlwaysTerminated)
{
    EXPECT_EQ(ValueOf("-n 123456789", "n", 4), "1234");
    EXPECT_EQ(ValueOf("-n 123456789", "n", 0), "");
    EXPECT_EQ(ValueOf("-n 1234", "n", 4), "1234");
    // The value buffer is emptied even when the option is absent.
    EXPECT_EQ(ValueOf("-m 5", "n", 4), "");
    char untouched = 'z';
    EXPECT_TRUE(FindOption("-n 5", "n", nullptr, &untouched, -1));
    EXPECT_EQ(untouched, 'z');
}

TEST(FindOption, NamesAndValuesOf1024CharactersEndTheSearch)
{
    const std::string longest(1023, 'a'), tooLong(1024, 'a');
    EXPECT_TRUE(Has(("x " + longest + " -install").c_str(), "install"));
    EXPECT_FALSE(Has(("x " + tooLong + " -install").c_str(), "install"));
    EXPECT_FALSE(Has(("\"" + std::string(600, ' ') + std::string(424, 'b') + "\" -install").c_str(), "install"));
    // Even after the option was seen.
    EXPECT_FALSE(Has(("-install " + tooLong).c_str(), "install"));
    EXPECT_TRUE(Has(("-install " + longest).c_str(), "install"));
    EXPECT_FALSE(Has(("-" + tooLong + " -install").c_str(), "install"));
    EXPECT_TRUE(Has(("-" + longest + " -install").c_str(), "install"));
    EXPECT_EQ(ValueOf("-v " + longest, "v", 2000), longest);
}

// Random command lines built from the characters that matter to the scanner,
// with long runs now and then: the scan must stay inside its buffers, always
// terminate the value, and report only options that are really typed.
TEST(FindOption, RandomCommandLinesStayInBounds)
{
    static const char alphabet[] = {' ', ' ', '-', '-', '"', 'i', 'n', 's', 't', 'a', 'l', 'I', 'L', '\t', 'x'};
    std::mt19937 random(20261207);
    for (int round = 0; round < 20000; round++) {
        std::string text;
        const int pieces = random() % 12;
        for (int i = 0; i < pieces; i++) {
            if (random() % 16 == 0)
                text.append(1000 + random() % 60, alphabet[5 + random() % 6]);
            else if (random() % 3 == 0)
                text += (random() % 2) ? " -install" : " -Install";
            else
                for (int n = random() % 8; n > 0; n--)
                    text += alphabet[random() % sizeof alphabet];
        }
        const int valueOutMax = static_cast<int>(random() % 10);
        std::vector<char> value(valueOutMax + 1, 'z');
        const bool found = FindOption(text.c_str(), "install", "x", value.data(), valueOutMax);

        ASSERT_LE(strnlen(value.data(), value.size()), static_cast<size_t>(valueOutMax)) << text;
        EXPECT_EQ(strchr(value.data(), '"'), nullptr) << text;
        if (found) {
            std::string lower = text;
            for (char& c : lower)
                c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
            EXPECT_TRUE(lower.rfind("-install", 0) == 0 || lower.find(" -install") != std::string::npos ||
                        lower.rfind("-x", 0) == 0 || lower.find(" -x") != std::string::npos)
                << text;
        }
        if (text.find('-') == std::string::npos) {
            EXPECT_FALSE(found) << text;
        }
    }
}

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
