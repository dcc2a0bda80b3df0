#include "settings/Strings.h"

#include <windows.h>

int g_languageOffset = LANGUAGE_ENGLISH;

namespace {

const int STRING_BUFFER_SIZE = 2048;
const int RESOURCE_NAME_SIZE = 1024;

// A ring of fixed buffers: each lookup takes the next one, so a text stays
// valid for the next STRING_POOL_SIZE - 1 lookups of the same ring.
template <typename Char>
class StringPool {
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

StringPool<char> s_ansiPool;
StringPool<wchar_t> s_widePool;

UINT ResourceId(int id, int language)
{
    return (UINT)(id | (language == -1 ? g_languageOffset : language));
}

}

const char* LoadLocalizedString(int id, int language)
{
    char* buffer = s_ansiPool.Next();
    LoadStringA(GetModuleHandleA(nullptr), ResourceId(id, language), buffer, STRING_BUFFER_SIZE);
    return buffer;
}

const wchar_t* LoadLocalizedStringW(int id, int language)
{
    wchar_t* buffer = s_widePool.Next();
    LoadStringW(GetModuleHandleA(nullptr), ResourceId(id, language), buffer, STRING_BUFFER_SIZE);
    return buffer;
}

const char* LocalizedResourceName(const char* baseName)
{
    static char name[RESOURCE_NAME_SIZE];
    if (!baseName)
        return nullptr;
    const char* suffix = g_languageOffset == LANGUAGE_ENGLISH ? "Eng"
                         : g_languageOffset == LANGUAGE_SLOVENIAN ? "Slo"
                                                                  : "";
    int length = 0;
    for (const char* c = baseName; *c && length < RESOURCE_NAME_SIZE - 1; c++)
        name[length++] = *c;
    for (const char* c = suffix; *c && length < RESOURCE_NAME_SIZE - 1; c++)
        name[length++] = *c;
    name[length] = '\0';
    return name;
}

int LanguageOffsetOf(unsigned short languageId)
{
    return PRIMARYLANGID(languageId) == LANG_SLOVENIAN ? LANGUAGE_SLOVENIAN : LANGUAGE_ENGLISH;
}

int SystemLanguageOffset()
{
    return LanguageOffsetOf(GetUserDefaultLangID());
}
