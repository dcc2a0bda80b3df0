// The registry store: texts, numbers and keys under a root key.
#include "settings/Registry.h"

#include "text/NumberFormat.h"

#include <stdio.h>
#include <string.h>
#include <wchar.h>

namespace {

// Every value is read through a buffer of this size; longer texts count as missing.
const int VALUE_BUFFER_SIZE = 64;

// Owns one open registry key.
class RegistryKey
{
public:
    RegistryKey(HKEY parent, const char* name, REGSAM access) : m_key(nullptr)
    {
        if (RegOpenKeyExA(parent, name, 0, access, &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~RegistryKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool IsOpen() const { return m_key != nullptr; }
    HKEY Handle() const { return m_key; }
    // True when the key has no subkeys and, if values count too, no values.
    bool HoldsNothing(bool countValues) const
    {
        DWORD subkeys = 0;
        DWORD values = 0;
        return RegQueryInfoKeyA(m_key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                                nullptr, nullptr) == ERROR_SUCCESS &&
               subkeys == 0 && (!countValues || values == 0);
    }

private:
    HKEY m_key;
};

// Deletes one element of a path below parent. The target, the last element,
// is a value or else a key without subkeys, which goes with its values. A key
// above it goes only when the deletion left it holding nothing at all.
bool DeletePathElement(HKEY parent, const char* name, bool isTarget)
{
    if (!*name)
        return false;
    if (isTarget && RegDeleteValueA(parent, name) == ERROR_SUCCESS)
        return true;
    {
        RegistryKey key(parent, name, KEY_READ);
        if (!key.IsOpen() || !key.HoldsNothing(!isTarget))
            return false;
    }
    return RegDeleteKeyA(parent, name) == ERROR_SUCCESS;
}

}  // namespace

namespace {

// The value calls for narrow and for wide names and texts.
LONG QueryValue(HKEY key, const char* name, DWORD* type, char* buffer, DWORD* size)
{
    return RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(buffer), size);
}

LONG QueryValue(HKEY key, const wchar_t* name, DWORD* type, wchar_t* buffer, DWORD* size)
{
    return RegQueryValueExW(key, name, nullptr, type, reinterpret_cast<BYTE*>(buffer), size);
}

LONG SetText(HKEY key, const char* name, const char* text)
{
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), (DWORD)strlen(text) + 1);
}

LONG SetText(HKEY key, const wchar_t* name, const wchar_t* text)
{
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          (DWORD)(wcslen(text) + 1) * sizeof(wchar_t));
}

template <typename Char> bool ReadText(HKEY root, const char* key, const Char* valueName, Char* buffer, int bufferSize)
{
    if (!key || !valueName || !buffer || bufferSize <= 0)
        return false;
    RegistryKey opened(root, key, KEY_READ);
    if (!opened.IsOpen())
        return false;
    // Stored texts may or may not carry their terminator; a text that fills
    // the whole buffer without one does not fit.
    DWORD type = 0;
    DWORD size = (DWORD)bufferSize * sizeof(Char);
    if (QueryValue(opened.Handle(), valueName, &type, buffer, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    const DWORD length = size / sizeof(Char);
    if (length > 0 && buffer[length - 1] == 0)
        return true;
    if (length >= (DWORD)bufferSize)
        return false;
    buffer[length] = 0;
    return true;
}

template <typename Char>
bool WriteText(HKEY root, const char* key, const char* subkey, const Char* valueName, const Char* text)
{
    if (!key)
        return false;
    RegistryKey opened(root, key, subkey ? KEY_CREATE_SUB_KEY : KEY_SET_VALUE);
    if (!opened.IsOpen())
        return false;
    HKEY target = opened.Handle();
    HKEY created = nullptr;
    if (subkey) {
        if (RegCreateKeyExA(target, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &created,
                            nullptr) != ERROR_SUCCESS)
            return false;
        target = created;
    }
    // The size counts the terminator, which a REG_SZ value holds.
    const bool written = !text || SetText(target, valueName, text) == ERROR_SUCCESS;
    if (created)
        RegCloseKey(created);
    return written;
}

}  // namespace

bool RegReadString(HKEY root, const char* key, const char* valueName, char* buffer, int bufferSize)
{
    return ReadText(root, key, valueName, buffer, bufferSize);
}

bool RegReadStringW(HKEY root, const char* key, const wchar_t* valueName, wchar_t* buffer, int bufferSize)
{
    return ReadText(root, key, valueName, buffer, bufferSize);
}

namespace {

// A stored number read wholly by read (a decimal comma reads as a point);
// defaultValue when it is absent or not wholly a number.
template <typename Number> Number RegReadNumber(HKEY root, const char* key, const char* valueName, Number defaultValue,
                                                bool (*read)(const char*, Number*))
{
    char text[VALUE_BUFFER_SIZE];
    Number value = defaultValue;
    if (RegReadString(root, key, valueName, text, sizeof text))
        read(text, &value);
    return value;
}

}  // namespace

int RegReadInt(HKEY root, const char* key, const char* valueName, int defaultValue)
{
    return RegReadNumber(root, key, valueName, defaultValue, ReadStoredInt);
}

float RegReadFloat(HKEY root, const char* key, const char* valueName, float defaultValue)
{
    return RegReadNumber(root, key, valueName, defaultValue, ReadStoredFloat);
}

bool RegWriteString(HKEY root, const char* key, const char* subkey, const char* valueName, const char* text)
{
    return WriteText(root, key, subkey, valueName, text);
}

bool RegWriteStringW(HKEY root, const char* key, const char* subkey, const wchar_t* valueName, const wchar_t* text)
{
    return WriteText(root, key, subkey, valueName, text);
}

bool RegWriteInt(HKEY root, const char* key, const char* subkey, const char* valueName, int value)
{
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    return RegWriteString(root, key, subkey, valueName, text);
}

bool RegWriteFloat(HKEY root, const char* key, const char* subkey, const char* valueName, float value)
{
    char text[FORMAT_DECIMAL_MAX];
    FormatDecimal(value, 6, '.', text);
    return RegWriteString(root, key, subkey, valueName, text);
}

bool RegDeletePath(HKEY root, const char* key, const char* path)
{
    if (!key || !path)
        return false;
    char remaining[1024];
    size_t length = strlen(path);
    if (length >= sizeof remaining)
        return false;
    memcpy(remaining, path, length + 1);
    // Values are deleted through the key that holds them, keys through their parent.
    const REGSAM access = KEY_READ | KEY_SET_VALUE;
    RegistryKey base(root, key, access);
    if (!base.IsOpen())
        return false;

    // The last element of the path is the value or key to delete; the keys
    // named before it are removed from the innermost outwards while the
    // deletion leaves them empty.
    bool deleted = false;
    for (bool target = true;; target = false) {
        char* slash = strrchr(remaining, '\\');
        bool done;
        if (slash) {
            *slash = '\0';
            RegistryKey head(base.Handle(), remaining, access);
            done = head.IsOpen() && DeletePathElement(head.Handle(), slash + 1, target);
        } else {
            done = DeletePathElement(base.Handle(), remaining, target);
        }
        if (target)
            deleted = done;
        if (!done || !slash)
            break;
    }
    return deleted;
}

bool RegKeyExists(HKEY root, const char* key)
{
    return key && RegistryKey(root, key, KEY_READ).IsOpen();
}
