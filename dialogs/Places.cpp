// The gazetteer's places in the program: into the dial's settings, in the user's words, guessed from the system.
#include "dialogs/Places.h"

#include "common/Characters.h"
#include "settings/StoredValues.h"
#include "text/Languages.h"

#include <string.h>

namespace {

// Windows numbers its countries below this (a handful of small
// territories beyond it keep the gazetteer's English names).
const GEOID GEOID_SCAN_END = 0x8000;
const int LETTERS = 26;
// Longest locale name ("sr-Latn-RS"), LOCALE_NAME_MAX_LENGTH.
const int LOCALE_NAME_SIZE = 85;
// Longest Windows zone key name, its terminator included.
const int ZONE_KEY_SIZE = 128;
// Code points from here on take two UTF-16 units, a surrogate pair.
const unsigned FIRST_SUPPLEMENTARY = 0x10000;

// The place of a two-letter upper-case code in the GEOID table, -1 for
// anything else.
int CodeIndex(const wchar_t* code)
{
    if (code[0] < L'A' || code[0] > L'Z' || code[1] < L'A' || code[1] > L'Z' || code[2])
        return -1;
    return (code[0] - L'A') * LETTERS + (code[1] - L'A');
}

// Appends UTF-8 text to wide text at *length, cut at size - 1 characters
// after a whole character.
void AppendUtf8(const char* utf8, wchar_t* text, int size, int* length)
{
    const int room = size - 1 - *length;
    const unsigned char* in = reinterpret_cast<const unsigned char*>(utf8);
    size_t bytes = 0;
    int units = 0;
    while (in[bytes]) {
        size_t characterBytes;
        const unsigned code = DecodeUtf8(in + bytes, characterBytes);
        const int characterUnits = code != NOT_A_CHARACTER && code >= FIRST_SUPPLEMENTARY ? 2 : 1;
        if (units + characterUnits > room)
            break;
        units += characterUnits;
        bytes += characterBytes;
    }
    if (bytes)
        *length += MultiByteToWideChar(CP_UTF8, 0, utf8, static_cast<int>(bytes), text + *length, room);
    text[*length] = L'\0';
}

void AppendWide(const wchar_t* wide, wchar_t* text, int size, int* length)
{
    for (; *wide && *length < size - 1; ++wide)
        text[(*length)++] = *wide;
    text[*length] = L'\0';
}

// Vista's calls, looked up so that the program still starts without them.
template <typename Function> Function KernelFunction(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

}  // namespace

bool SystemCountry(char (&country)[COUNTRY_CODE_SIZE])
{
    wchar_t code[COUNTRY_CODE_SIZE + 1] = L"";
    const GEOID nation = GetUserGeoID(GEOCLASS_NATION);
    if (nation == GEOID_NOT_AVAILABLE || !GetGeoInfoW(nation, GEO_ISO2, code, COUNTRY_CODE_SIZE + 1, 0) ||
        CodeIndex(code) < 0) {
        typedef int(WINAPI * LocaleNameFunction)(LPWSTR, int);
        const LocaleNameFunction localeName = KernelFunction<LocaleNameFunction>("GetUserDefaultLocaleName");
        wchar_t locale[LOCALE_NAME_SIZE] = L"";
        if (!localeName || !localeName(locale, LOCALE_NAME_SIZE))
            return false;
        const wchar_t* last = wcsrchr(locale, L'-');
        if (!last || CodeIndex(last + 1) < 0)
            return false;
        lstrcpynW(code, last + 1, COUNTRY_CODE_SIZE);
    }
    country[0] = static_cast<char>(code[0]);
    country[1] = static_cast<char>(code[1]);
    country[2] = '\0';
    return true;
}

void SetDialPlace(const PlaceView& place, DialSettings* dial)
{
    dial->latitude = static_cast<float>(place.latitudeHundredths) / HUNDREDTHS_PER_DEGREE;
    dial->longitude = static_cast<float>(place.longitudeHundredths) / HUNDREDTHS_PER_DEGREE;
    int length = 0;
    dial->placeName[0] = L'\0';
    AppendUtf8(place.name, dial->placeName, PLACE_NAME_MAX, &length);
    DropControlCharacters(dial->placeName);
}

CCountryNames::CCountryNames() : m_geoIds()
{
    wchar_t code[COUNTRY_CODE_SIZE + 1];
    for (GEOID id = 1; id < GEOID_SCAN_END; ++id) {
        if (!GetGeoInfoW(id, GEO_ISO2, code, COUNTRY_CODE_SIZE + 1, 0))
            continue;
        const int index = CodeIndex(code);
        if (index >= 0 && !m_geoIds[index])
            m_geoIds[index] = id;
    }
}

void CCountryNames::PlaceText(const PlaceView& place, const char* alternate, int language, wchar_t* text,
                              int textSize) const
{
    int length = 0;
    text[0] = L'\0';
    if (alternate) {
        AppendUtf8(alternate, text, textSize, &length);
        AppendWide(L" \x2014 ", text, textSize, &length);
    }
    AppendUtf8(place.name, text, textSize, &length);
    if (place.detail == PlaceDetail::DISTRICT) {
        AppendWide(L", ", text, textSize, &length);
        AppendUtf8(place.district, text, textSize, &length);
    } else if (place.detail == PlaceDetail::COORDINATES) {
        // "Al Jubayl (27.02, 49.62)": as the degree boxes take them.
        char degrees[HUNDREDTHS_TEXT_SIZE];
        FormatHundredths(place.latitudeHundredths, degrees);
        AppendWide(L" (", text, textSize, &length);
        AppendUtf8(degrees, text, textSize, &length);
        FormatHundredths(place.longitudeHundredths, degrees);
        AppendWide(L", ", text, textSize, &length);
        AppendUtf8(degrees, text, textSize, &length);
        AppendWide(L")", text, textSize, &length);
    }
    if (*place.region) {
        AppendWide(L", ", text, textSize, &length);
        AppendUtf8(place.region, text, textSize, &length);
    }
    AppendWide(L", ", text, textSize, &length);
    const wchar_t code[COUNTRY_CODE_SIZE] = {static_cast<wchar_t>(place.countryCode[0]),
                                             static_cast<wchar_t>(place.countryCode[1]), L'\0'};
    const int index = CodeIndex(code);
    const Language* row = FindLanguage(language);
    const LANGID languageId = MAKELANGID(row ? row->primaryLangId : LANG_ENGLISH, SUBLANG_DEFAULT);
    if (index < 0 || !m_geoIds[index] || length >= textSize - 1 ||
        !GetGeoInfoW(m_geoIds[index], GEO_FRIENDLYNAME, text + length, textSize - length, languageId)) {
        text[length] = L'\0';
        AppendUtf8(place.country, text, textSize, &length);
    }
}

int GuessSystemPlace(const CGazetteer& gazetteer)
{
    char country[COUNTRY_CODE_SIZE];
    if (!gazetteer.IsReady() || !SystemCountry(country))
        return -1;
    // The zone's key name ("Central Europe Standard Time"), which a system
    // older than Vista does not give: the country alone then guesses.
    typedef DWORD(WINAPI * ZoneFunction)(PDYNAMIC_TIME_ZONE_INFORMATION);
    const ZoneFunction zoneInformation = KernelFunction<ZoneFunction>("GetDynamicTimeZoneInformation");
    DYNAMIC_TIME_ZONE_INFORMATION zone = {};
    char zoneKey[ZONE_KEY_SIZE] = "";
    if (zoneInformation && zoneInformation(&zone) != TIME_ZONE_ID_INVALID &&
        !WideCharToMultiByte(CP_UTF8, 0, zone.TimeZoneKeyName, -1, zoneKey, ZONE_KEY_SIZE, nullptr, nullptr))
        zoneKey[0] = '\0';
    return gazetteer.Guess(country, zoneKey);
}

CPreparedPlaces::CPreparedPlaces(HWND window, UINT message)
    : m_window(window), m_message(message), m_thread(CreateThread(nullptr, 0, Prepare, this, 0, nullptr))
{
    // Without the thread nothing will be made: the window hears so at once.
    if (!m_thread.Get())
        PostMessageW(window, message, 0, 0);
}

CPreparedPlaces::~CPreparedPlaces()
{
    if (m_thread.Get())
        WaitForSingleObject(m_thread.Get(), INFINITE);
}

DWORD WINAPI CPreparedPlaces::Prepare(void* self)
{
    CPreparedPlaces& places = *static_cast<CPreparedPlaces*>(self);
    places.m_gazetteer.reset(new (std::nothrow) CGazetteer);
    if (places.m_gazetteer && places.m_gazetteer->IsReady())
        places.m_search.reset(new (std::nothrow) CPlaceSearch(*places.m_gazetteer));
    if (places.m_search && places.m_search->IsReady())
        places.m_countries.reset(new (std::nothrow) CCountryNames);
    places.m_made = places.m_countries != nullptr;
    PostMessageW(places.m_window, places.m_message, 0, 0);
    return 0;
}

bool CPreparedPlaces::Take()
{
    // The thread is at its end: once it has, what it made is this thread's.
    if (!m_thread.Get() || WaitForSingleObject(m_thread.Get(), INFINITE) != WAIT_OBJECT_0)
        return false;
    return m_made;
}
