// The language table and the texts of the string table.
#pragma once

#include <windows.h>

#include "settings/StringIds.h"

// The languages the program speaks, one row each. A language's texts are
// the string table's ids moved by its offset; a resource made for it alone
// (only where its layout must differ) carries its suffix after the name.
struct Language
{
    int id;                        // as stored in the registry value Language
    int stringOffset;              // STRINGS_... of its block in Strings.rc
    const char* suffix;            // of resources made for this language only
    const wchar_t* name;           // its own name, as the Settings list shows it
    const char* code;              // on command lines (umbrant-render --lang)
    unsigned short primaryLangId;  // the system language that chooses it
};

const int LANGUAGE_ENGLISH = STRINGS_ENGLISH;
const int LANGUAGE_SLOVENIAN = STRINGS_SLOVENIAN;

// The first language is the one of last resort.
inline const Language LANGUAGES[] = {
    {LANGUAGE_ENGLISH, STRINGS_ENGLISH, "Eng", L"English", "en", LANG_ENGLISH},
    {LANGUAGE_SLOVENIAN, STRINGS_SLOVENIAN, "Slo", L"Sloven\u0161\u010dina", "sl", LANG_SLOVENIAN},
};
const int LANGUAGE_COUNT = sizeof LANGUAGES / sizeof LANGUAGES[0];
const int STRING_POOL_SIZE = 16;

// The row of a language id; null for an id no row has.
const Language* FindLanguage(int id);
// The row whose code is code; null when none has it.
const Language* FindLanguageByCode(const char* code);

// String id in a language (an id of the table), as ANSI text in one of 16
// pool buffers of 2048 bytes: valid for the next 15 lookups.
const char* LoadLocalizedString(int id, int language);

// The same string as UTF-16 text, in one of 16 pool buffers of 2048
// characters of its own: valid for the next 15 wide lookups. Use it for
// every text the user reads, so that letters outside the system's ANSI code
// page show as written.
const wchar_t* LoadLocalizedStringW(int id, int language);

// The dialog template for a language: the base name with the language's
// suffix when the program has such a template, else the base name; the
// buffer is overwritten by the next call. Null for a null name.
const wchar_t* LocalizedResourceName(const wchar_t* baseName, int language);

// Gives a dialog its texts in a language: the caption is string firstId, the
// text of the control with id n string firstId + n. Controls without such a
// string keep the template's text.
void ShowDialogTexts(HWND dialog, int firstId, int language);

// The language a Windows language identifier chooses: the row with its
// primary language, English for every other one.
int LanguageOffsetOf(unsigned short languageId);

// The language the user's system language gives.
int SystemLanguageOffset();
