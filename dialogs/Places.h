// The gazetteer's places in the program: into the dial's settings, in the user's words, guessed from the system.
#pragma once

#include <windows.h>

#include "places/PlaceSearch.h"
#include "platform/Handles.h"
#include "settings/ProgramSettings.h"

#include <memory>

// Puts a place's coordinates and name into the dial's settings.
void SetDialPlace(const PlaceView& place, DialSettings* dial);

// The countries' names as Windows gives them in a language, found by ISO
// code; Windows numbers its countries (GEOID) and knows each one's code.
class CCountryNames
{
public:
    CCountryNames();
    // "Name, Region, Country" of place into text (cut to fit), the country
    // named in the program's language where Windows has a name for it,
    // else in the gazetteer's English; after "Alternate — " when the place
    // was found by another of its names (alternate, may be null).
    void PlaceText(const PlaceView& place, const char* alternate, int language, wchar_t* text, int textSize) const;

private:
    // The GEOID of each two-letter code ("AA" first), 0 where Windows has none.
    GEOID m_geoIds[26 * 26];
};

// Characters of an ISO country code with its terminator.
const int COUNTRY_CODE_SIZE = 3;

// The user's country (ISO code): Windows' user location, else the country
// of the user's locale ("sl-SI" gives "SI"). False when neither names one.
bool SystemCountry(char (&country)[COUNTRY_CODE_SIZE]);

// The place the system's country and time zone suggest (see
// CGazetteer::Guess); -1 when the system names no country the gazetteer knows.
int GuessSystemPlace(const CGazetteer& gazetteer);

// The gazetteer, its search and the countries' names, made on a thread of
// their own so that the window that asked for them never waits: the window
// gets a message when they are made (or could not be), and takes them then.
// Freed with the object, which first waits for its thread.
class CPreparedPlaces
{
public:
    // Starts making them; message goes to window once the thread is done.
    CPreparedPlaces(HWND window, UINT message);
    ~CPreparedPlaces();
    CPreparedPlaces(const CPreparedPlaces&) = delete;
    CPreparedPlaces& operator=(const CPreparedPlaces&) = delete;

    // On the window's thread, after the message: whether they were made.
    // Only then may the three below be asked for.
    bool Take();
    const CGazetteer& Gazetteer() const { return *m_gazetteer; }
    const CPlaceSearch& Search() const { return *m_search; }
    const CCountryNames& Countries() const { return *m_countries; }

private:
    static DWORD WINAPI Prepare(void* self);

    HWND m_window;
    UINT m_message;
    std::unique_ptr<CGazetteer> m_gazetteer;
    std::unique_ptr<CPlaceSearch> m_search;
    std::unique_ptr<CCountryNames> m_countries;
    bool m_made = false;
    CKernelHandle m_thread;  // last: it starts once the rest is there
};
