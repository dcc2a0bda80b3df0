// Tests of the command-line options.
#include "install/CommandLine.h"
#include "settings/CommandOptions.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

bool Has(const char* commandLine, const char* name)
{
    return FindOption(commandLine, name);
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
    EXPECT_TRUE(Has("-dir \"C:\\Program Files\\x\" -install", "install"));
    EXPECT_TRUE(Has("-install \"abc", "install")) << "an unclosed quote";
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
    EXPECT_FALSE(Has("-install", nullptr));
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
    // A value right after the option settles it before a long text comes.
    EXPECT_TRUE(Has(("-install x " + tooLong).c_str(), "install"));
}

// Random command lines built from the characters that matter to the scanner,
// with long runs now and then: the scan must stay inside its buffers and
// report only options that are really typed.
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
        const bool found = Has(text.c_str(), "install");
        if (found) {
            std::string lower = text;
            for (char& c : lower)
                c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
            EXPECT_TRUE(lower.rfind("-install", 0) == 0 || lower.find(" -install") != std::string::npos) << text;
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
