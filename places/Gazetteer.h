// The built-in gazetteer: its places, their names, regions and countries, and a first guess from the system's
// country and time zone.
#pragma once

#include "places/PlaceTable.h"
#include "platform/BuiltInData.h"

#include <cstddef>
#include <memory>

// The gazetteer keeps latitudes and longitudes in hundredths of a degree.
const int HUNDREDTHS_PER_DEGREE = 100;

// Bytes of a coordinate as FormatHundredths writes it ("-179.99"), its terminator included.
const int HUNDREDTHS_TEXT_SIZE = 16;
// Writes hundredths of a degree as degrees with a point and two decimals ("-0.13").
void FormatHundredths(int hundredths, char (&out)[HUNDREDTHS_TEXT_SIZE]);

// What a list shows beside a place's name to tell it from others of the
// same name, region and country.
enum class PlaceDetail : unsigned char
{
    NONE,         // no other reads the same
    DISTRICT,     // its second-level region
    COORDINATES,  // where that too is the same: its latitude and longitude
};

// One place as the gazetteer holds it. The texts are UTF-8 and live as long
// as the gazetteer; region is empty where the data names none.
struct PlaceView
{
    const char* name;
    PlaceDetail detail;
    const char* district;  // the second-level region for PlaceDetail::DISTRICT, else empty
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
    // Reads a place table file (the one the program carries by default),
    // which need not outlive the gazetteer; IsReady tells whether that
    // worked and Error why not.
    explicit CGazetteer(const DataBytes& file = BuiltInPlaceTable());
    ~CGazetteer();
    CGazetteer(const CGazetteer&) = delete;
    CGazetteer& operator=(const CGazetteer&) = delete;

    bool IsReady() const { return m_places != nullptr; }
    PlaceTableError Error() const { return m_error; }
    int PlaceCount() const { return m_placeCount; }
    int NameCount() const { return m_nameCount; }
    PlaceView Place(int index) const;
    // The place's names in other languages, as many as there are; null past them.
    const char* Alternate(int place, int which) const;

    // The table by number, for the search (places/PlaceSearch.h). A place's
    // own name has the place's number; the names in other languages follow
    // them, place by place.
    const char* NameText(int name) const;
    int NamePlace(int name) const;
    // Calls visit(name, place) for every name in their order, without a
    // look-up for each.
    template <typename Visit> void ForEachName(Visit visit) const
    {
        for (int p = 0; p < m_placeCount; ++p)
            visit(p, p);
        for (int run = 0; run < m_alternateRunCount; ++run) {
            for (int n = m_alternateRuns[run].firstName; n < RunEnd(run); ++n)
                visit(n, m_alternateRuns[run].place);
        }
    }
    int PlaceRegion(int place) const;
    unsigned long PlacePopulation(int place) const;
    int RegionCount() const { return m_regionCount; }
    int RegionCountry(int region) const;
    const char* RegionName(int region) const;
    const char* RegionCode(int region) const;  // folded already; empty where people write none
    int CountryCount() const { return m_countryCount; }
    const char* CountryName(int country) const;  // in English
    const char* CountryCode(int country) const;  // ISO, upper case
    // The country's other names (in Slovenian, short forms, codes), as
    // many as there are; null past them.
    const char* CountryOtherName(int country, int which) const;
    // The country of an ISO code in either case; -1 for none.
    int CountryIndex(const char* code) const;

    // Whether code (ISO, in either case) is a country of the table.
    bool KnowsCountry(const char* code) const { return m_places && CountryIndex(code) >= 0; }

    // The place a computer in country (ISO code) with the Windows time zone
    // windowsZone (the zone's key name) most likely stands near: the zone's
    // principal city in that country, or the country's own where it has one
    // zone; in a country of several zones whose zone is not one of them, the
    // capital. Where that place lies far from the zone (an English (United
    // States) system set to Tokyo's zone), the zone's own principal city
    // instead. -1 for a country it does not know.
    int Guess(const char* country, const char* windowsZone) const;

private:
    struct Country;
    struct Region;
    struct Entry;
    struct ZoneGuess;
    struct District;
    // A place with names in other languages, by place (a tenth of them have
    // some): where in m_names they start; they end where the next run starts.
    struct AlternateRun
    {
        int place;
        int firstName;
    };

    PlaceTableError Read(const unsigned char* file, size_t size);
    int RunEnd(int run) const
    {
        return run + 1 < m_alternateRunCount ? m_alternateRuns[run + 1].firstName : m_nameCount;
    }

    PlaceTableError m_error = PlaceTableError::NONE;
    CPlaceTable m_table;  // its texts, which the views point into; its numbers only while they are read
    std::unique_ptr<Country[]> m_countries;
    std::unique_ptr<const char*[]> m_countryNames;  // the countries' other names, country by country
    std::unique_ptr<Region[]> m_regions;
    std::unique_ptr<Entry[]> m_places;
    std::unique_ptr<const char*[]> m_names;  // every place's own name, then the others place by place
    std::unique_ptr<AlternateRun[]> m_alternateRuns;
    std::unique_ptr<District[]> m_districts;
    std::unique_ptr<const char*[]> m_zoneKeys;
    std::unique_ptr<ZoneGuess[]> m_guesses;
    int m_countryCount = 0, m_countryNameCount = 0, m_regionCount = 0, m_placeCount = 0, m_nameCount = 0;
    int m_zoneKeyCount = 0, m_guessCount = 0, m_districtCount = 0, m_alternateRunCount = 0;
};
