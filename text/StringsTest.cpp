// Tests of the language table and the texts.
#include "text/DialogIds.h"
#include "text/Strings.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <windows.h>

// Every language of the table has its own block with every text the
// English block has, and no text English lacks; ids and blocks are its own.
TEST(LanguageTable, EachLanguageHasAWholeBlockOfItsOwn)
{
    ASSERT_GE(LANGUAGE_COUNT, 2);
    EXPECT_EQ(LANGUAGE_ENGLISH, LANGUAGES[0].id) << "the language of last resort comes first";
    int englishTexts = 0;
    for (int id = 0; id < STRING_ID_LIMIT; ++id)
        englishTexts += !LocalizedText(id, LANGUAGE_ENGLISH).empty();
    EXPECT_GT(englishTexts, 0);
    for (int i = 0; i < LANGUAGE_COUNT; ++i) {
        const Language& language = LANGUAGES[i];
        EXPECT_EQ(0, language.stringOffset % STRING_ID_LIMIT) << language.code << " offset " << language.stringOffset;
        EXPECT_EQ(&language, FindLanguage(language.id)) << language.code << " id " << language.id;
        EXPECT_EQ(&language, FindLanguageByCode(language.code)) << language.code;
        for (int id = 0; id < STRING_ID_LIMIT; ++id) {
            bool english = !LocalizedText(id, LANGUAGE_ENGLISH).empty();
            bool own = !LocalizedText(id, language.id).empty();
            EXPECT_EQ(english, own) << language.code << " string " << id;
        }
    }
    EXPECT_EQ(nullptr, FindLanguage(7));
    EXPECT_EQ(nullptr, FindLanguageByCode("xx"));
}

TEST(Strings, TextsOfNote)
{
    EXPECT_EQ(LocalizedString(IDS_HOME_PAGE, LANGUAGE_ENGLISH), LocalizedString(IDS_HOME_PAGE, LANGUAGE_SLOVENIAN));
    EXPECT_EQ(LocalizedString(IDS_HOME_PAGE, LANGUAGE_ENGLISH).rfind(L"http://", 0), 0u);
    EXPECT_EQ(LocalizedString(IDS_CLOSE_ITEM, LANGUAGE_ENGLISH), L"&Close\tAlt+F4");
    EXPECT_EQ(LocalizedString(IDS_UNINSTALLED, LANGUAGE_ENGLISH), L"Product Umbrant\n successfuly removed");
    // Each message list holds exactly the one message its count announces.
    for (const Language& language : LANGUAGES) {
        for (int list : {IDS_MORNING_TEXTS, IDS_EVENING_TEXTS}) {
            EXPECT_EQ(LocalizedString(list, language.id), L"1") << language.code << " " << list;
            EXPECT_NE(LocalizedString(list + 1, language.id), L"") << language.code << " " << list;
            EXPECT_EQ(LocalizedString(list + 2, language.id), L"") << language.code << " " << list;
        }
    }
}

TEST(Strings, EachLanguageFromItsBlock)
{
    EXPECT_EQ(LocalizedString(IDS_CLOSE_TIP, LANGUAGE_SLOVENIAN), L"Zapri");
    EXPECT_EQ(LocalizedString(IDS_SETTINGS_TIP, LANGUAGE_SLOVENIAN), L"Nastavitve");
    EXPECT_EQ(LocalizedString(IDS_CLOSE_TIP, LANGUAGE_ENGLISH), L"Close");
    // An id no language has is or-ed into the string ids as it is, giving
    // other strings or empty ones.
    EXPECT_EQ(LocalizedString(IDS_TITLE, 7), LocalizedString(IDS_UNINSTALLED, LANGUAGE_ENGLISH));
    EXPECT_EQ(LocalizedString(IDS_ABOUT, 7), L"");
}

// LoadStringW without room for a copy (Wine's included) gives the string
// table's own text: a text stays what it was however many are taken after
// it (the tip holds a dozen at once), and its length counts no terminator.
TEST(Strings, TextsAreTheTablesOwn)
{
    const std::wstring_view first = LocalizedText(IDS_CLOSE_TIP, LANGUAGE_ENGLISH);
    for (int id = 0; id < STRING_ID_LIMIT; ++id)
        LocalizedText(id, LANGUAGE_SLOVENIAN);
    EXPECT_EQ(std::wstring(first), L"Close");
}

// The dialogs have one layout for every language; a language's own one
// (say, a dialog named "SETTINGSSLO") would be taken instead.
TEST(Strings, DialogNameTakesTheSuffixOnlyForAnOwnLayout)
{
    for (const Language& language : LANGUAGES)
        EXPECT_EQ(LocalizedResourceName(L"SETTINGS", language.id), L"SETTINGS") << language.code;
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
    EXPECT_EQ(LocalizedString(IDS_SETTINGS_DIALOG + IDC_LATITUDE_GROUP, LANGUAGE_SLOVENIAN),
              L"Zemljepisna \u0161irina");
    EXPECT_EQ(LocalizedString(IDS_EVENING_TEXTS + 1, LANGUAGE_SLOVENIAN), L"Ve\u010der.");
    EXPECT_EQ(LocalizedString(IDS_UNINSTALLED, LANGUAGE_SLOVENIAN), L"Produkt Umbrant\nuspe\u0161no odstranjen");

    // The script that runs this test under a given locale says which
    // language that locale must give.
    if (const char* expected = getenv("UMBRANT_EXPECTED_LANGUAGE_OFFSET")) {
        EXPECT_EQ(SystemLanguageOffset(), atoi(expected));
        if (atoi(expected) == LANGUAGE_SLOVENIAN) {
            EXPECT_EQ(GetACP(), 1250u);
        }
    }
}
