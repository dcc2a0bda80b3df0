// The texts of the string table in the languages of the language table.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "text/Languages.h"
#include "text/StringIds.h"

// The dialog templates' resource type, RT_DIALOG, for the wide calls (the
// headers give it the narrow type).
const wchar_t* const DIALOG_RESOURCE_TYPE = reinterpret_cast<const wchar_t*>(RT_DIALOG);

// String id in a language (an id of the table): the string table's own
// read-only UTF-16 characters, valid while the program runs and not
// terminated; empty when the language has no such text. Letters outside the
// system's ANSI code page come out as written.
std::wstring_view LocalizedText(int id, int language);

// The same text as a terminated string of its own, for the calls that take
// one.
std::wstring LocalizedString(int id, int language);

// The dialog template for a language: the base name with the language's
// suffix when the program has such a template, else the base name.
std::wstring LocalizedResourceName(const wchar_t* baseName, int language);

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
