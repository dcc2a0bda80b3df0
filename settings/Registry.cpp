// The registry store: texts, numbers and keys under a root key.
#include "settings/Registry.h"

#include "settings/NumberFormat.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

// Every value is read through a buffer of this size; longer texts count as missing.
const int VALUE_BUFFER_SIZE = 64;

// Owns one open registry key.
class RegistryKey
{
public:
    RegistryKey(HKEY parent, const char* name, REGSAM access = KEY_ALL_ACCESS) : m_key(nullptr)
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
        RegistryKey key(parent, name);
        if (!key.IsOpen() || !key.HoldsNothing(!isTarget))
            return false;
    }
    return RegDeleteKeyA(parent, name) == ERROR_SUCCESS;
}

}  // namespace

bool RegReadString(HKEY root, const char* key, const char* valueName, char* buffer, int bufferSize)
{
    if (!key || !valueName || !buffer || bufferSize <= 0)
        return false;
    RegistryKey opened(root, key);
    if (!opened.IsOpen())
        return false;
    // Stored texts may or may not carry their terminator; a text that fills
    // the whole buffer without one does not fit.
    DWORD type = 0;
    DWORD size = (DWORD)bufferSize;
    if (RegQueryValueExA(opened.Handle(), valueName, nullptr, &type, (BYTE*)buffer, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    if (size > 0 && buffer[size - 1] == '\0')
        return true;
    if (size >= (DWORD)bufferSize)
        return false;
    buffer[size] = '\0';
    return true;
}

int RegReadInt(HKEY root, const char* key, const char* valueName, int defaultValue)
{
    char text[VALUE_BUFFER_SIZE];
    if (!RegReadString(root, key, valueName, text, sizeof text))
        return defaultValue;
    // strtol saturates at the ends of its range, which on Windows is that of int.
    static_assert(sizeof(long) == sizeof(int), "long and int differ");
    return (int)strtol(text, nullptr, 10);
}

float RegReadFloat(HKEY root, const char* key, const char* valueName, float defaultValue)
{
    char text[VALUE_BUFFER_SIZE];
    if (!RegReadString(root, key, valueName, text, sizeof text))
        return defaultValue;
    return ParseDecimal(text, 0);
}

bool RegWriteString(HKEY root, const char* key, const char* subkey, const char* valueName, const char* text)
{
    if (!key)
        return false;
    RegistryKey opened(root, key);
    if (!opened.IsOpen())
        return false;
    HKEY target = opened.Handle();
    HKEY created = nullptr;
    if (subkey) {
        if (RegCreateKeyA(target, subkey, &created) != ERROR_SUCCESS)
            return false;
        target = created;
    }
    bool written = true;
    if (text)
        written = RegSetValueExA(target, valueName, 0, REG_SZ, (const BYTE*)text, (DWORD)strlen(text)) == ERROR_SUCCESS;
    if (created)
        RegCloseKey(created);
    return written;
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
    FormatDecimal(value, 6, false, false, '.', text);
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
    RegistryKey base(root, key);
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
            RegistryKey head(base.Handle(), remaining);
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
