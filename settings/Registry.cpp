// The registry store: texts, numbers and keys under a root key.
#include "settings/Registry.h"

#include "platform/Handles.h"
#include "text/NumberFormat.h"

#include <stdio.h>
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

// A stored number read wholly by read (a decimal comma reads as a point);
// defaultValue when it is absent or not wholly a number. A number is ASCII
// text: any other character is passed on as one that cannot be part of it.
template <typename Number> Number ReadNumber(HKEY root, const wchar_t* key, const wchar_t* valueName,
                                             Number defaultValue, bool (*read)(const char*, Number*))
{
    wchar_t text[VALUE_BUFFER_SIZE];
    Number value = defaultValue;
    if (!RegReadString(root, key, valueName, text, VALUE_BUFFER_SIZE))
        return value;
    char ascii[VALUE_BUFFER_SIZE];
    int length = 0;
    for (; text[length]; length++)
        ascii[length] = text[length] < 0x80 ? static_cast<char>(text[length]) : NOT_IN_A_NUMBER;
    ascii[length] = 0;
    read(ascii, &value);
    return value;
}

// Stores the ASCII text of a number as a REG_SZ value.
bool WriteNumberText(HKEY root, const wchar_t* key, const wchar_t* subkey, const wchar_t* valueName, const char* text)
{
    wchar_t wide[VALUE_BUFFER_SIZE];
    WidenAscii(text, wide, VALUE_BUFFER_SIZE);
    return RegWriteString(root, key, subkey, valueName, wide);
}

}  // namespace

bool RegReadString(HKEY root, const wchar_t* key, const wchar_t* valueName, wchar_t* buffer, int bufferSize)
{
    if (!key || !valueName || !buffer || bufferSize <= 0)
        return false;
    const CRegistryKey opened(OpenKey(root, key, KEY_READ));
    if (!opened.Get())
        return false;
    // Stored texts may or may not carry their terminator; a text that fills
    // the whole buffer without one does not fit.
    DWORD type = 0;
    DWORD size = (DWORD)bufferSize * sizeof(wchar_t);
    if (RegQueryValueExW(opened.Get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    const DWORD length = size / sizeof(wchar_t);
    if (length > 0 && buffer[length - 1] == 0)
        return true;
    if (length >= (DWORD)bufferSize)
        return false;
    buffer[length] = 0;
    return true;
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
    // The size counts the terminator, which a REG_SZ value holds.
    return !text ||
           RegSetValueExW(subkey ? made.Get() : opened.Get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          (DWORD)(wcslen(text) + 1) * sizeof(wchar_t)) == ERROR_SUCCESS;
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
