// The language table and the texts of the string table.
#include "text/Strings.h"

#include <string.h>

namespace {

const int STRING_BUFFER_SIZE = 2048;
const int RESOURCE_NAME_SIZE = 1024;

// A ring of fixed buffers: each lookup takes the next one, so a text stays
// valid for the next STRING_POOL_SIZE - 1 lookups of the same ring.
template <typename Char> class StringPool
{
public:
    Char* Next()
    {
        if (m_next >= STRING_POOL_SIZE)
            m_next = 0;
        Char* buffer = m_buffers[m_next++];
        buffer[0] = 0;
        return buffer;
    }

private:
    Char m_buffers[STRING_POOL_SIZE][STRING_BUFFER_SIZE];
    int m_next = 0;
};

StringPool<wchar_t> s_widePool;

// The id of a text in a language's block; an id no row has is or-ed in as
// it is.
UINT ResourceId(int id, int languageId)
{
    const Language* language = FindLanguage(languageId);
    return (UINT)(id | (language ? language->stringOffset : languageId));
}

}  // namespace

const wchar_t* LoadLocalizedStringW(int id, int language)
{
    wchar_t* buffer = s_widePool.Next();
    LoadStringW(GetModuleHandleW(nullptr), ResourceId(id, language), buffer, STRING_BUFFER_SIZE);
    return buffer;
}

const wchar_t* LocalizedResourceName(const wchar_t* baseName, int languageId)
{
    static wchar_t name[RESOURCE_NAME_SIZE];
    if (!baseName)
        return nullptr;
    const Language* language = FindLanguage(languageId);
    const char* suffix = language ? language->suffix : "";
    int length = 0;
    for (const wchar_t* c = baseName; *c && length < RESOURCE_NAME_SIZE - 1; c++)
        name[length++] = *c;
    int baseLength = length;
    for (const char* c = suffix; *c && length < RESOURCE_NAME_SIZE - 1; c++)
        name[length++] = static_cast<wchar_t>(*c);
    name[length] = '\0';
    if (!FindResourceW(GetModuleHandleW(nullptr), name, MAKEINTRESOURCEW(5)))  // RT_DIALOG
        name[baseLength] = '\0';
    return name;
}

void ShowDialogTexts(HWND dialog, int firstId, int language)
{
    wchar_t* text = s_widePool.Next();
    if (LoadStringW(GetModuleHandleW(nullptr), ResourceId(firstId, language), text, STRING_BUFFER_SIZE) > 0)
        SetWindowTextW(dialog, text);
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        int id = GetDlgCtrlID(control);
        if (id <= 0 || firstId + id >= STRING_ID_LIMIT)
            continue;
        if (LoadStringW(GetModuleHandleW(nullptr), ResourceId(firstId + id, language), text, STRING_BUFFER_SIZE) > 0)
            SetWindowTextW(control, text);
    }
}

int LanguageOffsetOf(unsigned short languageId)
{
    return LanguageOfPrimaryLangId(PRIMARYLANGID(languageId));
}

int SystemLanguageOffset()
{
    return LanguageOffsetOf(GetUserDefaultLangID());
}

char UserDecimalSign()
{
    // Longest separator GetLocaleInfoW gives, terminator included.
    const int SEPARATOR_MAX = 4;
    wchar_t separator[SEPARATOR_MAX] = L"";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, SEPARATOR_MAX);
    return lstrcmpW(separator, L",") ? '.' : ',';
}
