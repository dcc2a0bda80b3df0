// The built-in gazetteer: the unpacked table, and the guess from country and time zone.
#include "places/Gazetteer.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameAsciiIgnoringCase(const char* a, const char* b)
{
    for (; *a && UpperAscii(*a) == UpperAscii(*b); ++a, ++b) {
    }
    return UpperAscii(*a) == UpperAscii(*b);
}

// Hundredths of a degree of longitude between two places (the shorter way round).
const int FULL_CIRCLE = 360 * HUNDREDTHS_PER_DEGREE;

int LongitudeApart(int a, int b)
{
    const int apart = (a > b ? a - b : b - a) % FULL_CIRCLE;
    return apart > FULL_CIRCLE / 2 ? FULL_CIRCLE - apart : apart;
}

// A country's place this far in longitude from the principal city of the
// system's time zone (two hours of the sun's time) cannot be where the
// system stands: the zone is right and the country is not.
const int ZONE_AND_COUNTRY_APART = 30 * HUNDREDTHS_PER_DEGREE;

}  // namespace

struct CGazetteer::Country
{
    char code[3];
    const char* name;
    int defaultPlace;          // -1 for none
    int firstName, nameCount;  // its other names, in m_countryNames
};

struct CGazetteer::Region
{
    int country;
    const char* name;
    const char* code;  // folded already; empty where people write none
};

struct CGazetteer::Entry
{
    int region;
    PlaceDetail detail;
    const char* district;
    int latitude, longitude;  // hundredths of a degree
    unsigned long population;
    int firstAlternate, alternateCount;  // in m_names
};

// A name and what it names: a place, or a country.
struct CGazetteer::Name
{
    const char* text;
    int owner;
};

struct CGazetteer::ZoneGuess
{
    int zoneKey;
    int place;
};

CGazetteer::CGazetteer(const DataBytes& file)
{
    m_error = Read(file.bytes, file.size);
    if (m_error != PlaceTableError::NONE)
        m_places.reset();
}

CGazetteer::~CGazetteer() = default;

PlaceTableError CGazetteer::Read(const unsigned char* file, size_t size)
{
    const PlaceTableError opened = m_table.Open(file, size);
    if (opened != PlaceTableError::NONE)
        return opened;
    const PlaceTableCounts& counts = m_table.Counts();
    CRecordReader reader(m_table.Records(), m_table.RecordsSize());
    // Every place and name takes a byte at least, and the records' size fits
    // an int: so do the counts.
    if (static_cast<unsigned long long>(counts.places) + counts.alternates > m_table.RecordsSize())
        return PlaceTableError::CONTENTS;
    m_countryCount = static_cast<int>(counts.countries);
    m_countryNameCount = static_cast<int>(counts.countryNames);
    m_regionCount = static_cast<int>(counts.regions);
    m_placeCount = static_cast<int>(counts.places);
    m_nameCount = m_placeCount + static_cast<int>(counts.alternates);
    m_zoneKeyCount = static_cast<int>(counts.zoneKeys);
    m_guessCount = static_cast<int>(counts.zoneGuesses);
    m_countries.reset(new (std::nothrow) Country[m_countryCount]);
    m_countryNames.reset(new (std::nothrow) Name[m_countryNameCount]);
    m_regions.reset(new (std::nothrow) Region[m_regionCount]);
    m_places.reset(new (std::nothrow) Entry[m_placeCount]);
    m_names.reset(new (std::nothrow) Name[m_nameCount]);
    m_zoneKeys.reset(new (std::nothrow) const char*[m_zoneKeyCount]);
    m_guesses.reset(new (std::nothrow) ZoneGuess[m_guessCount]);
    if (!m_countries || !m_countryNames || !m_regions || !m_places || !m_names || !m_zoneKeys || !m_guesses)
        return PlaceTableError::NO_MEMORY;

    int countryName = 0;
    for (int c = 0; c < m_countryCount; ++c) {
        Country& country = m_countries[c];
        reader.Code(country.code);
        country.name = reader.Text();
        country.defaultPlace = reader.Index(static_cast<unsigned long>(m_placeCount) + 1) - 1;
        country.firstName = countryName;
        country.nameCount = reader.Index(static_cast<unsigned long>(m_countryNameCount - countryName) + 1);
        countryName += country.nameCount;
    }
    if (countryName != m_countryNameCount)
        return PlaceTableError::CONTENTS;
    for (int c = 0; c < m_countryCount; ++c) {
        for (int n = m_countries[c].firstName; n < m_countries[c].firstName + m_countries[c].nameCount; ++n)
            m_countryNames[n] = {reader.Text(), c};
    }
    for (int r = 0; r < m_regionCount; ++r) {
        m_regions[r].country = reader.Index(static_cast<unsigned long>(m_countryCount));
        m_regions[r].name = reader.Text();
        m_regions[r].code = reader.Text();
    }
    for (int p = 0; p < m_placeCount; ++p)
        m_names[p] = {reader.Text(), p};
    int name = m_placeCount;
    for (int p = 0; p < m_placeCount; ++p) {
        m_places[p].firstAlternate = name;
        m_places[p].alternateCount = reader.Index(static_cast<unsigned long>(m_nameCount - name) + 1);
        name += m_places[p].alternateCount;
    }
    if (name != m_nameCount)
        return PlaceTableError::CONTENTS;
    for (int p = 0; p < m_placeCount; ++p) {
        for (int a = 0; a < m_places[p].alternateCount; ++a)
            m_names[m_places[p].firstAlternate + a] = {reader.Text(), p};
    }
    // The places by region, the largest of each first: its coordinates as
    // they are, the others' from them; the populations falling, as steps.
    int place = 0;
    for (int r = 0; r < m_regionCount; ++r) {
        const int count = reader.Index(static_cast<unsigned long>(m_placeCount - place) + 1);
        if (count < 1)
            return PlaceTableError::CONTENTS;
        for (int p = place; p < place + count; ++p)
            m_places[p].region = r;
        place += count;
    }
    if (place != m_placeCount)
        return PlaceTableError::CONTENTS;
    for (int axis = 0; axis < 2; ++axis) {
        int first = 0;
        for (int p = 0; p < m_placeCount; ++p) {
            first = m_places[p].region == m_places[first].region ? first : p;
            int& value = axis == 0 ? m_places[p].latitude : m_places[p].longitude;
            const int base = p == first ? 0 : axis == 0 ? m_places[first].latitude : m_places[first].longitude;
            value = base + static_cast<int>(reader.Signed());
        }
    }
    for (int p = 0; p < m_placeCount; ++p) {
        const bool first = p == 0 || m_places[p - 1].region != m_places[p].region;
        const unsigned long step = reader.Number();
        m_places[p].population = first ? step : m_places[p - 1].population - step;
    }
    for (int p = 0; p < m_placeCount; ++p)
        m_places[p].detail =
            static_cast<PlaceDetail>(reader.Index(static_cast<unsigned long>(PlaceDetail::COORDINATES) + 1));
    for (int p = 0; p < m_placeCount; ++p)
        m_places[p].district = m_places[p].detail == PlaceDetail::DISTRICT ? reader.Text() : "";
    for (int k = 0; k < m_zoneKeyCount; ++k)
        m_zoneKeys[k] = reader.Text();
    for (int g = 0; g < m_guessCount; ++g) {
        m_guesses[g].zoneKey = reader.Index(static_cast<unsigned long>(m_zoneKeyCount));
        m_guesses[g].place = reader.Index(static_cast<unsigned long>(m_placeCount));
    }
    return reader.IsOk() && reader.IsAtEnd() ? PlaceTableError::NONE : PlaceTableError::CONTENTS;
}

void FormatHundredths(int hundredths, char (&out)[HUNDREDTHS_TEXT_SIZE])
{
    snprintf(out, sizeof out, "%s%d.%02d", hundredths < 0 ? "-" : "", abs(hundredths) / HUNDREDTHS_PER_DEGREE,
             abs(hundredths) % HUNDREDTHS_PER_DEGREE);
}

PlaceView CGazetteer::Place(int index) const
{
    const Entry& place = m_places[index];
    const Region& region = m_regions[place.region];
    const Country& country = m_countries[region.country];
    PlaceView view = {m_names[index].text, place.detail,    place.district,
                      region.name,         country.name,    {country.code[0], country.code[1], '\0'},
                      place.latitude,      place.longitude, place.population};
    return view;
}

const char* CGazetteer::Alternate(int place, int which) const
{
    const Entry& entry = m_places[place];
    return which < entry.alternateCount ? m_names[entry.firstAlternate + which].text : nullptr;
}

int CGazetteer::CountryIndex(const char* code) const
{
    for (int c = 0; code && c < m_countryCount; ++c) {
        if (SameAsciiIgnoringCase(m_countries[c].code, code))
            return c;
    }
    return -1;
}

const char* CGazetteer::NameText(int name) const
{
    return m_names[name].text;
}

int CGazetteer::NamePlace(int name) const
{
    return m_names[name].owner;
}

int CGazetteer::PlaceRegion(int place) const
{
    return m_places[place].region;
}

int CGazetteer::RegionCountry(int region) const
{
    return m_regions[region].country;
}

const char* CGazetteer::RegionName(int region) const
{
    return m_regions[region].name;
}

const char* CGazetteer::RegionCode(int region) const
{
    return m_regions[region].code;
}

const char* CGazetteer::CountryName(int country) const
{
    return m_countries[country].name;
}

const char* CGazetteer::CountryCode(int country) const
{
    return m_countries[country].code;
}

const char* CGazetteer::CountryOtherName(int country, int which) const
{
    const Country& named = m_countries[country];
    return which < named.nameCount ? m_countryNames[named.firstName + which].text : nullptr;
}

int CGazetteer::Guess(const char* country, const char* windowsZone) const
{
    if (!m_places || !country)
        return -1;
    const int countryIndex = CountryIndex(country);
    if (countryIndex < 0)
        return -1;
    // The zone's city in the country, else the zone's largest elsewhere:
    // the one it is named for.
    int own = -1, elsewhere = -1;
    for (int g = 0; windowsZone && g < m_guessCount; ++g) {
        const int place = m_guesses[g].place;
        if (!SameAsciiIgnoringCase(m_zoneKeys[m_guesses[g].zoneKey], windowsZone))
            continue;
        if (m_regions[m_places[place].region].country == countryIndex)
            own = own < 0 ? place : own;
        else if (elsewhere < 0 || m_places[place].population > m_places[elsewhere].population)
            elsewhere = place;
    }
    if (own >= 0)
        return own;
    own = m_countries[countryIndex].defaultPlace;
    if (elsewhere >= 0 &&
        (own < 0 || LongitudeApart(m_places[own].longitude, m_places[elsewhere].longitude) > ZONE_AND_COUNTRY_APART))
        return elsewhere;
    return own;
}
