// The language table: every language the program speaks, one row each.
#pragma once

#include "text/StringIds.h"

// A language's texts are the string table's ids moved by its offset; a
// resource made for it alone (only where its layout must differ) carries its
// suffix after the name.
struct Language
{
    int id;                        // as stored in the registry value Language
    int stringOffset;              // STRINGS_... of its block in Strings.rc
    const char* suffix;            // of resources made for this language only
    const wchar_t* name;           // its own name, as the Settings list shows it
    const char* code;              // on command lines (umbrant-render --lang)
    unsigned short primaryLangId;  // the system language that chooses it (LANG_...)
};

const int LANGUAGE_ENGLISH = STRINGS_ENGLISH;
const int LANGUAGE_SLOVENIAN = STRINGS_SLOVENIAN;

// The first language is the one of last resort.
inline const Language LANGUAGES[] = {
    {LANGUAGE_ENGLISH, STRINGS_ENGLISH, "Eng", L"English", "en", 0x09},
    {LANGUAGE_SLOVENIAN, STRINGS_SLOVENIAN, "Slo", L"Sloven\u0161\u010dina", "sl", 0x24},
};
const int LANGUAGE_COUNT = sizeof LANGUAGES / sizeof LANGUAGES[0];

// The row of a language id; null for an id no row has.
const Language* FindLanguage(int id);
// The row whose code is code; null when none has it.
const Language* FindLanguageByCode(const char* code);
// The language a system's primary language id (LANG_...) chooses: its row's
// id, the first language's for every language without a row.
int LanguageOfPrimaryLangId(unsigned short primaryLangId);
