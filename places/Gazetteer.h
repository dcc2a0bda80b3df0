// The built-in gazetteer: places by name, and a first guess from the system's country and time zone.
#pragma once

#include "places/PlaceTable.h"
#include "platform/BuiltInData.h"

#include <cstddef>
#include <memory>

// At most this many places answer one search.
const int MAX_FOUND_PLACES = 10;

// The gazetteer keeps latitudes and longitudes in hundredths of a degree.
const int HUNDREDTHS_PER_DEGREE = 100;

// Bytes of a coordinate as FormatHundredths writes it ("-179.99"), its terminator included.
const int HUNDREDTHS_TEXT_SIZE = 16;
// Writes hundredths of a degree as degrees with a point and two decimals ("-0.13").
void FormatHundredths(int hundredths, char (&out)[HUNDREDTHS_TEXT_SIZE]);

// What a list shows beside a place's name to tell it from others of the
// same name, region and country.
enum class PlaceDetail
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

// A place a search found, and the other name it was found by, null when it
// was found by its own ("Dunaj" for Vienna).
struct FoundPlace
{
    int place;
    const char* alternate;
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

    // The places a typed text names into found, best first; returns how many
    // (at most MAX_FOUND_PLACES). A place matches when the folded text starts
    // one of the words of one of its folded names ("york" finds New York
    // City, "sao paulo" São Paulo, "dunaj" Vienna). Words at the end that do
    // not go on the name may name the place's region (its name or code) or
    // country (its name in English or Slovenian, a short form such as "uk"
    // or "zda", or its ISO code), then, in that order:
    // "springfield il", "london ontario", "paris tx", "san jose costa rica".
    // The answers that read the most words as the name come first; among
    // them a name equal to the text before a name it starts, then places in
    // homeCountry (an ISO code, may be null), then larger places.
    int Find(const char* text, const char* homeCountry, FoundPlace found[MAX_FOUND_PLACES]) const;

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

    struct Name;
    struct Word;
    struct Search;

    PlaceTableError Read(const unsigned char* file, size_t size);
    bool FoldNames();
    bool IndexWords();
    int CountryIndex(const char* code) const;
    bool NamesRegion(int region, const char* text, size_t length) const;
    bool NamesCountry(int country, const char* text, size_t length) const;
    bool NamesRegionOrCountry(int region, const char* text, size_t length) const;
    bool RestNamesRegion(Search& search, int words, int region) const;
    void Consider(const Word& word, Search& search) const;

    PlaceTableError m_error = PlaceTableError::NONE;
    CPlaceTable m_table;
    std::unique_ptr<char[]> m_folded;
    std::unique_ptr<Country[]> m_countries;
    std::unique_ptr<Name[]> m_countryNames;  // the countries' other names, country by country
    std::unique_ptr<Region[]> m_regions;
    std::unique_ptr<Entry[]> m_places;
    std::unique_ptr<Name[]> m_names;       // every place's own name, then the others place by place
    std::unique_ptr<Word[]> m_words;       // every word of every folded name, by its first two bytes
    std::unique_ptr<int[]> m_wordBuckets;  // where each bucket of m_words starts, and where the last ends
    std::unique_ptr<const char*[]> m_zoneKeys;
    std::unique_ptr<ZoneGuess[]> m_guesses;
    int m_countryCount = 0, m_countryNameCount = 0, m_regionCount = 0, m_placeCount = 0, m_nameCount = 0,
        m_wordCount = 0;
    int m_zoneKeyCount = 0, m_guessCount = 0;
};
