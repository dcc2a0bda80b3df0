// The texts of the string table in the languages of the language table.
#pragma once

#include <windows.h>

#include "text/Languages.h"
#include "text/StringIds.h"

const int STRING_POOL_SIZE = 16;

// String id in a language (an id of the table), as UTF-16 text in one of 16
// pool buffers of 2048 characters: valid for the next 15 lookups. Letters
// outside the system's ANSI code page come out as written.
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

// The decimal sign of the user's locale as the program writes numbers: a
// comma where the locale has one, else a point.
char UserDecimalSign();
