// The language table and the texts of the string table.
#include "text/Strings.h"

namespace {

// The id of a text in a language's block; an id no row has is or-ed in as
// it is.
UINT ResourceId(int id, int languageId)
{
    const Language* language = FindLanguage(languageId);
    return (UINT)(id | (language ? language->stringOffset : languageId));
}

}  // namespace

std::wstring_view LocalizedText(int id, int language)
{
    // With no room given, LoadStringW points at the resource's own text.
    const wchar_t* text = nullptr;
    const int length =
        LoadStringW(GetModuleHandleW(nullptr), ResourceId(id, language), reinterpret_cast<wchar_t*>(&text), 0);
    return text && length > 0 ? std::wstring_view(text, length) : std::wstring_view();
}

std::wstring LocalizedString(int id, int language)
{
    return std::wstring(LocalizedText(id, language));
}

std::wstring LocalizedResourceName(const wchar_t* baseName, int languageId)
{
    const Language* language = FindLanguage(languageId);
    std::wstring name = baseName;
    for (const char* c = language ? language->suffix : ""; *c; c++)
        name += static_cast<wchar_t>(*c);
    if (!FindResourceW(GetModuleHandleW(nullptr), name.c_str(), DIALOG_RESOURCE_TYPE))
        return baseName;
    return name;
}

void ShowDialogTexts(HWND dialog, int firstId, int language)
{
    const std::wstring caption = LocalizedString(firstId, language);
    if (!caption.empty())
        SetWindowTextW(dialog, caption.c_str());
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        int id = GetDlgCtrlID(control);
        if (id <= 0 || firstId + id >= STRING_ID_LIMIT)
            continue;
        const std::wstring text = LocalizedString(firstId + id, language);
        if (!text.empty())
            SetWindowTextW(control, text.c_str());
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
