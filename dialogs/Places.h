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
    // else in the gazetteer's English.
    void PlaceText(const PlaceView& place, int language, wchar_t* text, int textSize) const;

private:
    // The GEOID of each two-letter code ("AA" first), 0 where Windows has none.
    GEOID m_geoIds[26 * 26];
};

// The place the system's country and time zone suggest (see
// CGazetteer::Guess); -1 when the system names no country the gazetteer knows.
int GuessSystemPlace(const CGazetteer& gazetteer);
