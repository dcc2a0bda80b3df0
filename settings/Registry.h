// The registry store: texts, numbers and keys under a root key.
#pragma once

#include <windows.h>

bool RegReadString(HKEY root, const char* key, const char* valueName, char* buffer, int bufferSize);
// The same for Unicode texts; bufferSize counts characters.
bool RegReadStringW(HKEY root, const char* key, const wchar_t* valueName, wchar_t* buffer, int bufferSize);
bool RegWriteStringW(HKEY root, const char* key, const char* subkey, const wchar_t* valueName, const wchar_t* text);
int RegReadInt(HKEY root, const char* key, const char* valueName, int defaultValue);
float RegReadFloat(HKEY root, const char* key, const char* valueName, float defaultValue);
bool RegWriteString(HKEY root, const char* key, const char* subkey, const char* valueName, const char* text);
bool RegWriteInt(HKEY root, const char* key, const char* subkey, const char* valueName, int value);
bool RegWriteFloat(HKEY root, const char* key, const char* subkey, const char* valueName, float value);
bool RegDeletePath(HKEY root, const char* key, const char* path);
// True when the key can be opened for reading.
bool RegKeyExists(HKEY root, const char* key);
