// The built-in gazetteer: places by name, and a first guess from the system's country and time zone.
#pragma once

#include <cstddef>
#include <memory>

// At most this many places answer one search.
const int MAX_FOUND_PLACES = 10;

// The gazetteer keeps latitudes and longitudes in hundredths of a degree.
const int HUNDREDTHS_PER_DEGREE = 100;

// One place as the gazetteer holds it. The texts are UTF-8 and live as long
// as the gazetteer; region is empty where the data names none.
struct PlaceView
{
    const char* name;
    const char* region;
    const char* country;      // in English
    char countryCode[3];      // ISO 3166, upper case
    int latitudeHundredths;   // north positive
    int longitudeHundredths;  // east positive
    unsigned long population;
};

class CGazetteer
{
public:
    // Unpacks the built-in table; IsReady tells whether that worked.
    CGazetteer();
    ~CGazetteer();
    CGazetteer(const CGazetteer&) = delete;
    CGazetteer& operator=(const CGazetteer&) = delete;

    bool IsReady() const { return m_places != nullptr; }
    int PlaceCount() const { return m_placeCount; }
    PlaceView Place(int index) const;

    // The places a typed text names, larger places first, into found; returns
    // how many (at most MAX_FOUND_PLACES). A place matches when the folded
    // text starts one of the words of its folded name ("york" finds New York
    // City, "sao paulo" São Paulo).
    int Find(const char* text, int found[MAX_FOUND_PLACES]) const;

    // The place a computer in country (ISO code) with the Windows time zone
    // windowsZone (the zone's key name) most likely stands near: the zone's
    // principal city in that country, or the country's own where it has one
    // zone; in a country of several zones whose zone is not one of them, the
    // capital. -1 for a country it does not know.
    int Guess(const char* country, const char* windowsZone) const;

private:
    struct Country;
    struct Region;
    struct Entry;
    struct ZoneGuess;

    bool Read();

    std::unique_ptr<unsigned char[]> m_table;
    std::unique_ptr<char[]> m_folded;
    std::unique_ptr<Country[]> m_countries;
    std::unique_ptr<Region[]> m_regions;
    std::unique_ptr<Entry[]> m_places;
    std::unique_ptr<const char*[]> m_zoneKeys;
    std::unique_ptr<ZoneGuess[]> m_guesses;
    int m_countryCount = 0, m_regionCount = 0, m_placeCount = 0, m_zoneKeyCount = 0, m_guessCount = 0;
};
