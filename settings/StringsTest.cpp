#include "settings/Strings.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <windows.h>

namespace {

const int STRING_IDS[] = {50, 51, 52, 54, 55, 56, 57, 150, 201, 202, 203, 240, 250, 251, 300, 301};

// Restores the language in force after a test that changes it.
class LanguageTest : public testing::Test {
protected:
    void TearDown() override { g_languageOffset = m_saved; }

private:
    int m_saved = g_languageOffset;
};

}

TEST_F(LanguageTest, EveryStringExistsInBothLanguages)
{
    for (int id : STRING_IDS) {
        EXPECT_STRNE(LoadLocalizedString(id, LANGUAGE_ENGLISH), "") << id;
        EXPECT_STRNE(LoadLocalizedString(id, LANGUAGE_SLOVENIAN), "") << id;
    }
    EXPECT_STREQ(LoadLocalizedString(53, LANGUAGE_ENGLISH), "");
    EXPECT_STREQ(LoadLocalizedString(53, LANGUAGE_SLOVENIAN), "");
    EXPECT_STREQ(LoadLocalizedString(57, LANGUAGE_ENGLISH), LoadLocalizedString(57, LANGUAGE_SLOVENIAN));
    EXPECT_EQ(strncmp(LoadLocalizedString(57, LANGUAGE_ENGLISH), "http://", 7), 0);
    EXPECT_STREQ(LoadLocalizedString(52, LANGUAGE_ENGLISH), "&Close\tAlt+F4");
    EXPECT_STREQ(LoadLocalizedString(55, LANGUAGE_ENGLISH), "Product Umbrant\n successfuly removed");
    // Each message list holds exactly the one message its count announces.
    for (int language : {LANGUAGE_ENGLISH, LANGUAGE_SLOVENIAN}) {
        for (int list : {250, 300}) {
            EXPECT_STREQ(LoadLocalizedString(list, language), "1");
            EXPECT_STRNE(LoadLocalizedString(list + 1, language), "");
            EXPECT_STREQ(LoadLocalizedString(list + 2, language), "");
        }
    }
}

TEST_F(LanguageTest, DefaultLanguageIsTheOneInForce)
{
    g_languageOffset = LANGUAGE_SLOVENIAN;
    EXPECT_STREQ(LoadLocalizedString(51), "Zapri");
    EXPECT_STREQ(LoadLocalizedStringW(203), L"Nastavitve");
    g_languageOffset = LANGUAGE_ENGLISH;
    EXPECT_STREQ(LoadLocalizedString(51), "Close");
    EXPECT_STREQ(LoadLocalizedString(51, LANGUAGE_SLOVENIAN), "Zapri");
    // An offset other than the two languages is or-ed into the ids as well,
    // giving other strings or empty ones.
    g_languageOffset = 7;
    EXPECT_STREQ(LoadLocalizedString(50), LoadLocalizedString(55, LANGUAGE_ENGLISH));
    EXPECT_STREQ(LoadLocalizedString(240), "");
}

TEST(StringPool, SeventeenthLookupReusesTheFirstBuffer)
{
    const char* first = LoadLocalizedString(51, LANGUAGE_ENGLISH);
    const wchar_t* firstWide = LoadLocalizedStringW(51, LANGUAGE_ENGLISH);
    const char* texts[STRING_POOL_SIZE];
    texts[0] = first;
    for (int i = 1; i < STRING_POOL_SIZE; i++) {
        texts[i] = LoadLocalizedString(203, LANGUAGE_ENGLISH);
        for (int j = 0; j < i; j++)
            ASSERT_NE(texts[i], texts[j]);
    }
    EXPECT_STREQ(first, "Close");
    EXPECT_STREQ(firstWide, L"Close");
    const char* seventeenth = LoadLocalizedString(240, LANGUAGE_ENGLISH);
    EXPECT_EQ(seventeenth, first);
    EXPECT_STREQ(first, "About...");
    // The wide pool is a ring of its own, untouched by the ANSI lookups.
    EXPECT_STREQ(firstWide, L"Close");
}

TEST_F(LanguageTest, ResourceNameCarriesTheLanguageSuffix)
{
    EXPECT_EQ(LocalizedResourceName(nullptr), nullptr);
    g_languageOffset = LANGUAGE_ENGLISH;
    EXPECT_STREQ(LocalizedResourceName("Settings"), "SettingsEng");
    g_languageOffset = LANGUAGE_SLOVENIAN;
    EXPECT_STREQ(LocalizedResourceName("About"), "AboutSlo");
    g_languageOffset = 7;
    EXPECT_STREQ(LocalizedResourceName("About"), "About");
    // A name longer than the buffer is cut, never written past it.
    static char longName[3000];
    memset(longName, 'x', sizeof longName - 1);
    EXPECT_EQ(strlen(LocalizedResourceName(longName)), 1023u);
}

TEST(SystemLanguage, SlovenianGivesItsOffsetEveryOtherLanguageEnglish)
{
    EXPECT_EQ(LanguageOffsetOf(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)), LANGUAGE_ENGLISH);
    EXPECT_EQ(LanguageOffsetOf(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK)), LANGUAGE_ENGLISH);
    EXPECT_EQ(LanguageOffsetOf(MAKELANGID(LANG_SLOVENIAN, SUBLANG_DEFAULT)), LANGUAGE_SLOVENIAN);
    EXPECT_EQ(LanguageOffsetOf(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)), LANGUAGE_ENGLISH);
    EXPECT_EQ(LanguageOffsetOf(MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)), LANGUAGE_ENGLISH);
}

// Run by the e2e script under several Unix locales: the wide texts carry the
// Slovenian letters whatever the ANSI code page is, and the user's language
// follows the locale.
TEST(SlovenianLetters, ShowAsWrittenUnderAnyCodePage)
{
    EXPECT_STREQ(LoadLocalizedStringW(150, LANGUAGE_SLOVENIAN), L"Sloven\u0161\u010dina");
    EXPECT_STREQ(LoadLocalizedStringW(301, LANGUAGE_SLOVENIAN), L"Ve\u010der.");
    EXPECT_STREQ(LoadLocalizedStringW(55, LANGUAGE_SLOVENIAN), L"Produkt Umbrant\nuspe\u0161no odstranjen");
    EXPECT_STREQ(LoadLocalizedStringW(150, LANGUAGE_ENGLISH), L"English");

    // The script that runs this test under a given locale says which
    // language that locale must give.
    if (const char* expected = getenv("UMBRANT_EXPECTED_LANGUAGE_OFFSET")) {
        EXPECT_EQ(SystemLanguageOffset(), atoi(expected));
        if (atoi(expected) == LANGUAGE_SLOVENIAN) {
            EXPECT_EQ(GetACP(), 1250u);
        }
    }
    // On a Central European code page the ANSI texts hold the letters too.
    if (GetACP() == 1250) {
        wchar_t back[64];
        MultiByteToWideChar(CP_ACP, 0, LoadLocalizedString(4246, 0), -1, back, 64);
        EXPECT_STREQ(back, L"Sloven\u0161\u010dina");
    }
}
