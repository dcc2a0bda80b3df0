#pragma once

// The language offset: string ids and dialog templates of the language in
// force are found at id + offset and by name + "Eng" / "Slo".
const int LANGUAGE_ENGLISH = 0;
const int LANGUAGE_SLOVENIAN = 4096;
const int STRING_POOL_SIZE = 16;

extern int g_languageOffset;

// String id + language (-1 = the language in force), as ANSI text in one of
// 16 pool buffers of 2048 bytes: valid for the next 15 lookups.
const char* LoadLocalizedString(int id, int language = -1);

// The same string as UTF-16 text, in one of 16 pool buffers of 2048
// characters of its own: valid for the next 15 wide lookups. Use it for
// every text the user reads, so that letters outside the system's ANSI code
// page show as written.
const wchar_t* LoadLocalizedStringW(int id, int language = -1);

// The base name with the language suffix, in a buffer that the next call
// overwrites; null for a null base name.
const char* LocalizedResourceName(const char* baseName);

// The offset of a Windows language identifier: 4096 for Slovenian, 0 for
// every other language.
int LanguageOffsetOf(unsigned short languageId);

// The offset that the user's system language gives (0 or 4096).
int SystemLanguageOffset();
