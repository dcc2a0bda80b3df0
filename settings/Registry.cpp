// The registry store: texts, numbers and keys under a root key.
#include "settings/Registry.h"

#include "platform/Handles.h"
#include "text/NumberFormat.h"

#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <wchar.h>

namespace {

// Every number is read through a buffer of this size; longer texts count as missing.
const int VALUE_BUFFER_SIZE = 64;
// Room for a key path below the base key, terminator included.
const int PATH_BUFFER_SIZE = 1024;
// Stands for a character outside ASCII, which no stored number holds.
const char NOT_IN_A_NUMBER = '\x7f';

// The key name below parent opened with access; null when it cannot be.
HKEY OpenKey(HKEY parent, const wchar_t* name, REGSAM access)
{
    HKEY key = nullptr;
    return RegOpenKeyExW(parent, name, 0, access, &key) == ERROR_SUCCESS ? key : nullptr;
}

// True when the key has no subkeys and, if values count too, no values.
bool HoldsNothing(HKEY key, bool countValues)
{
    DWORD subkeys = 0;
    DWORD values = 0;
    return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_SUCCESS &&
           subkeys == 0 && (!countValues || values == 0);
}

// Deletes one element of a path below parent. The target, the last element,
// is a value or else a key without subkeys, which goes with its values. A key
// above it goes only when the deletion left it holding nothing at all.
bool DeletePathElement(HKEY parent, const wchar_t* name, bool isTarget)
{
    if (!*name)
        return false;
    if (isTarget && RegDeleteValueW(parent, name) == ERROR_SUCCESS)
        return true;
    {
        const CRegistryKey key(OpenKey(parent, name, KEY_READ));
        if (!key.Get() || !HoldsNothing(key.Get(), !isTarget))
            return false;
    }
    return RegDeleteKeyW(parent, name) == ERROR_SUCCESS;
}

// Reads the value of the key below root into buffer, capacity bytes: its type
// and the bytes it holds; false when the key or the value cannot be read or
// does not fit.
bool QueryValue(HKEY root, const wchar_t* key, const wchar_t* valueName, void* buffer, DWORD capacity, DWORD* type,
                DWORD* size)
{
    const CRegistryKey opened(OpenKey(root, key, KEY_READ));
    *size = capacity;
    return opened.Get() &&
           RegQueryValueExW(opened.Get(), valueName, nullptr, type, static_cast<BYTE*>(buffer), size) == ERROR_SUCCESS;
}

bool IsText(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// Ends a text value of size bytes read into buffer of capacity characters.
// Stored texts may or may not carry their terminator; a text that fills the
// whole buffer without one does not fit.
bool EndText(wchar_t* buffer, DWORD size, DWORD capacity)
{
    const DWORD length = size / sizeof(wchar_t);
    if (length > 0 && buffer[length - 1] == 0)
        return true;
    if (length >= capacity)
        return false;
    buffer[length] = 0;
    return true;
}

// The text of a stored number in ascii: a text value as it is (a character
// outside ASCII, which no number holds, passed on as one that cannot be part
// of it), a REG_DWORD as the decimal text of its signed 32-bit value, as a
// program that stores an int writes it.
bool ReadNumberText(HKEY root, const wchar_t* key, const wchar_t* valueName, char (&ascii)[VALUE_BUFFER_SIZE])
{
    wchar_t text[VALUE_BUFFER_SIZE];
    DWORD type = 0;
    DWORD size = 0;
    if (!key || !valueName || !QueryValue(root, key, valueName, text, sizeof text, &type, &size))
        return false;
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        int32_t number;
        memcpy(&number, text, sizeof number);
        snprintf(ascii, VALUE_BUFFER_SIZE, "%d", static_cast<int>(number));
        return true;
    }
    if (!IsText(type) || !EndText(text, size, VALUE_BUFFER_SIZE))
        return false;
    int length = 0;
    for (; text[length]; length++)
        ascii[length] = text[length] < 0x80 ? static_cast<char>(text[length]) : NOT_IN_A_NUMBER;
    ascii[length] = 0;
    return true;
}

// A stored number read wholly by read (a decimal comma reads as a point);
// defaultValue when it is absent or not wholly a number.
template <typename Number> Number ReadNumber(HKEY root, const wchar_t* key, const wchar_t* valueName,
                                             Number defaultValue, bool (*read)(const char*, Number*))
{
    char ascii[VALUE_BUFFER_SIZE];
    Number value = defaultValue;
    if (ReadNumberText(root, key, valueName, ascii))
        read(ascii, &value);
    return value;
}

// Sets valueName of key, or of its subkey (made when missing), to data of
// size bytes; with no data it only makes the subkey.
bool SetValue(HKEY root, const wchar_t* key, const wchar_t* subkey, const wchar_t* valueName, DWORD type,
              const void* data, DWORD size)
{
    if (!key)
        return false;
    const CRegistryKey opened(OpenKey(root, key, subkey ? KEY_CREATE_SUB_KEY : KEY_SET_VALUE));
    if (!opened.Get())
        return false;
    HKEY created = nullptr;
    if (subkey && RegCreateKeyExW(opened.Get(), subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                                  &created, nullptr) != ERROR_SUCCESS)
        return false;
    const CRegistryKey made(created);
    return !data || RegSetValueExW(subkey ? made.Get() : opened.Get(), valueName, 0, type,
                                   static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

// True when valueName of key, or of its subkey, is a REG_DWORD.
bool HoldsDword(HKEY root, const wchar_t* key, const wchar_t* subkey, const wchar_t* valueName)
{
    const CRegistryKey opened(OpenKey(root, key, KEY_READ));
    if (!opened.Get())
        return false;
    DWORD number = 0;
    DWORD type = 0;
    DWORD size = 0;
    return QueryValue(opened.Get(), subkey ? subkey : L"", valueName, &number, sizeof number, &type, &size) &&
           type == REG_DWORD;
}

// Stores a number given as its ASCII text. A value stored as a REG_DWORD (by
// hand, or by another program) stays one while the number is whole and fits
// it; every other is stored as the text, a REG_SZ value.
bool WriteNumberText(HKEY root, const wchar_t* key, const wchar_t* subkey, const wchar_t* valueName, const char* text)
{
    int whole = 0;
    char wholeText[VALUE_BUFFER_SIZE];
    if (key && HoldsDword(root, key, subkey, valueName) && ReadStoredInt(text, &whole) &&
        snprintf(wholeText, sizeof wholeText, "%d", whole) > 0 && strcmp(wholeText, text) == 0) {
        const int32_t number = whole;
        return SetValue(root, key, subkey, valueName, REG_DWORD, &number, sizeof number);
    }
    wchar_t wide[VALUE_BUFFER_SIZE];
    WidenAscii(text, wide, VALUE_BUFFER_SIZE);
    return RegWriteString(root, key, subkey, valueName, wide);
}

}  // namespace

bool RegReadString(HKEY root, const wchar_t* key, const wchar_t* valueName, wchar_t* buffer, int bufferSize)
{
    DWORD type = 0;
    DWORD size = 0;
    return key && valueName && buffer && bufferSize > 0 &&
           QueryValue(root, key, valueName, buffer, (DWORD)bufferSize * sizeof(wchar_t), &type, &size) &&
           IsText(type) && EndText(buffer, size, (DWORD)bufferSize);
}

int RegReadInt(HKEY root, const wchar_t* key, const wchar_t* valueName, int defaultValue)
{
    return ReadNumber(root, key, valueName, defaultValue, ReadStoredInt);
}

float RegReadFloat(HKEY root, const wchar_t* key, const wchar_t* valueName, float defaultValue)
{
    return ReadNumber(root, key, valueName, defaultValue, ReadStoredFloat);
}

bool RegWriteString(HKEY root, const wchar_t* key, const wchar_t* subkey, const wchar_t* valueName, const wchar_t* text)
{
    // The size counts the terminator, which a REG_SZ value holds.
    return SetValue(root, key, subkey, valueName, REG_SZ, text, text ? (DWORD)(wcslen(text) + 1) * sizeof(wchar_t) : 0);
}

bool RegWriteInt(HKEY root, const wchar_t* key, const wchar_t* subkey, const wchar_t* valueName, int value)
{
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    return WriteNumberText(root, key, subkey, valueName, text);
}

bool RegWriteFloat(HKEY root, const wchar_t* key, const wchar_t* subkey, const wchar_t* valueName, float value)
{
    char text[FORMAT_DECIMAL_MAX];
    FormatDecimal(value, 6, '.', text);
    return WriteNumberText(root, key, subkey, valueName, text);
}

bool RegDeletePath(HKEY root, const wchar_t* key, const wchar_t* path)
{
    if (!key || !path)
        return false;
    wchar_t remaining[PATH_BUFFER_SIZE];
    const size_t length = wcslen(path);
    if (length >= PATH_BUFFER_SIZE)
        return false;
    wmemcpy(remaining, path, length + 1);
    // Values are deleted through the key that holds them, keys through their parent.
    const REGSAM access = KEY_READ | KEY_SET_VALUE;
    const CRegistryKey base(OpenKey(root, key, access));
    if (!base.Get())
        return false;

    // The last element of the path is the value or key to delete; the keys
    // named before it are removed from the innermost outwards while the
    // deletion leaves them empty.
    bool deleted = false;
    for (bool target = true;; target = false) {
        wchar_t* slash = wcsrchr(remaining, L'\\');
        bool done;
        if (slash) {
            *slash = L'\0';
            const CRegistryKey head(OpenKey(base.Get(), remaining, access));
            done = head.Get() && DeletePathElement(head.Get(), slash + 1, target);
        } else {
            done = DeletePathElement(base.Get(), remaining, target);
        }
        if (target)
            deleted = done;
        if (!done || !slash)
            break;
    }
    return deleted;
}

bool RegKeyExists(HKEY root, const wchar_t* key)
{
    return key && CRegistryKey(OpenKey(root, key, KEY_READ)).Get();
}
