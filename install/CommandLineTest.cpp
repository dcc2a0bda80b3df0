// Tests of the command-line options.
#include "install/CommandLine.h"

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
    EXPECT_FALSE(Has(std::string(1, '"').append(600, ' ').append(424, 'b').append("\" -install").c_str(), "install"));
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
