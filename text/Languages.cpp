// The language table's look-ups.
#include "text/Languages.h"

#include <cstring>

const Language* FindLanguage(int id)
{
    for (const Language& language : LANGUAGES)
        if (language.id == id)
            return &language;
    return nullptr;
}

const Language* FindLanguageByCode(const char* code)
{
    for (const Language& language : LANGUAGES)
        if (code && std::strcmp(language.code, code) == 0)
            return &language;
    return nullptr;
}

int LanguageOfPrimaryLangId(unsigned short primaryLangId)
{
    for (const Language& language : LANGUAGES)
        if (language.primaryLangId == primaryLangId)
            return language.id;
    return LANGUAGES[0].id;
}
