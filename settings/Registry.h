// The registry store: texts, numbers and keys under a root key.
#pragma once

#include <windows.h>

// Key paths, value names and texts are UTF-16; bufferSize counts characters.
bool RegReadString(HKEY root, const wchar_t* key, const wchar_t* valueName, wchar_t* buffer, int bufferSize);
int RegReadInt(HKEY root, const wchar_t* key, const wchar_t* valueName, int defaultValue);
float RegReadFloat(HKEY root, const wchar_t* key, const wchar_t* valueName, float defaultValue);
bool RegWriteString(HKEY root, const wchar_t* key, const wchar_t* subkey, const wchar_t* valueName,
                    const wchar_t* text);
bool RegWriteInt(HKEY root, const wchar_t* key, const wchar_t* subkey, const wchar_t* valueName, int value);
bool RegWriteFloat(HKEY root, const wchar_t* key, const wchar_t* subkey, const wchar_t* valueName, float value);
bool RegDeletePath(HKEY root, const wchar_t* key, const wchar_t* path);
// True when the key can be opened for reading.
bool RegKeyExists(HKEY root, const wchar_t* key);
