// The gazetteer's places in the program: into the dial's settings, in the user's words, guessed from the system.
#pragma once

#include <windows.h>

#include "places/Gazetteer.h"
#include "settings/ProgramSettings.h"

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
