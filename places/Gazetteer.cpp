// The built-in gazetteer: the unpacked table, and the guess from country and time zone.
#include "places/Gazetteer.h"

#include <algorithm>
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

// A place as it is kept, in twelve bytes: two hundred thousand of them.
struct CGazetteer::Entry
{
    unsigned long population;
    short latitude;  // hundredths of a degree
    short longitude;
    unsigned short region;
    PlaceDetail detail;
};

// The second-level region of a place that lists it, by place.
struct CGazetteer::District
{
    int place;
    const char* name;
};

struct CGazetteer::ZoneGuess
{
    int zoneKey;
    int place;
};

namespace {

// What a place's kept fields hold: a region's number, and latitudes and
// longitudes in hundredths of a degree.
const int REGIONS_MAX = 65536;
const int LATITUDE_MAX = 90 * HUNDREDTHS_PER_DEGREE;
const int LONGITUDE_MAX = 180 * HUNDREDTHS_PER_DEGREE;

// The first of records kept by place (from to end) at the place or after it.
template <typename Record> const Record* ByPlace(const Record* from, const Record* end, int place)
{
    return std::lower_bound(from, end, place, [](const Record& record, int at) { return record.place < at; });
}

}  // namespace

CGazetteer::CGazetteer(const DataBytes& file)
{
    m_error = Read(file.bytes, file.size);
    m_table.FreeNumbers();
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
    // The texts in their block, the numbers (and the countries' codes) in theirs.
    CRecordReader texts(m_table.Texts(), m_table.TextsSize());
    CRecordReader numbers(m_table.Numbers(), m_table.NumbersSize());
    // Every place and name takes a byte of the texts at least, and their
    // size fits an int: so do the counts.
    if (static_cast<unsigned long long>(counts.places) + counts.alternates > m_table.TextsSize())
        return PlaceTableError::CONTENTS;
    m_countryCount = static_cast<int>(counts.countries);
    m_countryNameCount = static_cast<int>(counts.countryNames);
    m_regionCount = static_cast<int>(counts.regions);
    m_placeCount = static_cast<int>(counts.places);
    m_nameCount = m_placeCount + static_cast<int>(counts.alternates);
    m_zoneKeyCount = static_cast<int>(counts.zoneKeys);
    m_guessCount = static_cast<int>(counts.zoneGuesses);
    m_countries.reset(new (std::nothrow) Country[m_countryCount]);
    if (m_regionCount > REGIONS_MAX)
        return PlaceTableError::CONTENTS;
    m_countryNames.reset(new (std::nothrow) const char*[m_countryNameCount]);
    m_regions.reset(new (std::nothrow) Region[m_regionCount]);
    m_places.reset(new (std::nothrow) Entry[m_placeCount]);
    m_names.reset(new (std::nothrow) const char*[m_nameCount]);
    m_zoneKeys.reset(new (std::nothrow) const char*[m_zoneKeyCount]);
    m_guesses.reset(new (std::nothrow) ZoneGuess[m_guessCount]);
    if (!m_countries || !m_countryNames || !m_regions || !m_places || !m_names || !m_zoneKeys || !m_guesses)
        return PlaceTableError::NO_MEMORY;

    int countryName = 0;
    for (int c = 0; c < m_countryCount; ++c) {
        Country& country = m_countries[c];
        numbers.Code(country.code);
        country.name = texts.Text();
        country.defaultPlace = numbers.Index(static_cast<unsigned long>(m_placeCount) + 1) - 1;
        country.firstName = countryName;
        country.nameCount = numbers.Index(static_cast<unsigned long>(m_countryNameCount - countryName) + 1);
        countryName += country.nameCount;
    }
    if (countryName != m_countryNameCount)
        return PlaceTableError::CONTENTS;
    for (int c = 0; c < m_countryCount; ++c) {
        for (int n = m_countries[c].firstName; n < m_countries[c].firstName + m_countries[c].nameCount; ++n)
            m_countryNames[n] = texts.Text();
    }
    for (int r = 0; r < m_regionCount; ++r) {
        m_regions[r].country = numbers.Index(static_cast<unsigned long>(m_countryCount));
        m_regions[r].name = texts.Text();
        m_regions[r].code = texts.Text();
    }
    for (int p = 0; p < m_placeCount; ++p)
        m_names[p] = texts.Text();
    // Read into room for every place that may have some, then kept in as
    // little.
    const int mostRuns = m_placeCount < m_nameCount - m_placeCount ? m_placeCount : m_nameCount - m_placeCount;
    std::unique_ptr<AlternateRun[]> runs(new (std::nothrow) AlternateRun[mostRuns]);
    if (!runs)
        return PlaceTableError::NO_MEMORY;
    int name = m_placeCount;
    for (int p = 0; p < m_placeCount; ++p) {
        const int count = numbers.Index(static_cast<unsigned long>(m_nameCount - name) + 1);
        if (count && m_alternateRunCount < mostRuns)
            runs[m_alternateRunCount++] = {p, name};
        name += count;
    }
    if (name != m_nameCount)
        return PlaceTableError::CONTENTS;
    m_alternateRuns.reset(new (std::nothrow) AlternateRun[m_alternateRunCount]);
    if (!m_alternateRuns)
        return PlaceTableError::NO_MEMORY;
    memcpy(m_alternateRuns.get(), runs.get(), m_alternateRunCount * sizeof runs[0]);
    runs.reset();
    for (int n = m_placeCount; n < m_nameCount; ++n)
        m_names[n] = texts.Text();
    // The places by region, the largest of each first: its coordinates as
    // they are, the others' from them; the populations falling, as steps.
    int place = 0;
    for (int r = 0; r < m_regionCount; ++r) {
        const int count = numbers.Index(static_cast<unsigned long>(m_placeCount - place) + 1);
        if (count < 1)
            return PlaceTableError::CONTENTS;
        for (int p = place; p < place + count; ++p)
            m_places[p].region = static_cast<unsigned short>(r);
        place += count;
    }
    if (place != m_placeCount)
        return PlaceTableError::CONTENTS;
    for (int axis = 0; axis < 2; ++axis) {
        const long most = axis == 0 ? LATITUDE_MAX : LONGITUDE_MAX;
        int first = 0;
        for (int p = 0; p < m_placeCount; ++p) {
            first = m_places[p].region == m_places[first].region ? first : p;
            short& value = axis == 0 ? m_places[p].latitude : m_places[p].longitude;
            const long base = p == first ? 0 : axis == 0 ? m_places[first].latitude : m_places[first].longitude;
            const long read = base + numbers.Signed();
            if (read < -most || read > most)
                return PlaceTableError::CONTENTS;
            value = static_cast<short>(read);
        }
    }
    for (int p = 0; p < m_placeCount; ++p) {
        const bool first = p == 0 || m_places[p - 1].region != m_places[p].region;
        const unsigned long step = numbers.Number();
        m_places[p].population = first ? step : m_places[p - 1].population - step;
    }
    for (int p = 0; p < m_placeCount; ++p) {
        m_places[p].detail =
            static_cast<PlaceDetail>(numbers.Index(static_cast<unsigned long>(PlaceDetail::COORDINATES) + 1));
        m_districtCount += m_places[p].detail == PlaceDetail::DISTRICT;
    }
    m_districts.reset(new (std::nothrow) District[m_districtCount]);
    if (!m_districts)
        return PlaceTableError::NO_MEMORY;
    for (int p = 0, d = 0; p < m_placeCount; ++p) {
        if (m_places[p].detail == PlaceDetail::DISTRICT)
            m_districts[d++] = {p, texts.Text()};
    }
    for (int k = 0; k < m_zoneKeyCount; ++k)
        m_zoneKeys[k] = texts.Text();
    for (int g = 0; g < m_guessCount; ++g) {
        m_guesses[g].zoneKey = numbers.Index(static_cast<unsigned long>(m_zoneKeyCount));
        m_guesses[g].place = numbers.Index(static_cast<unsigned long>(m_placeCount));
    }
    return numbers.IsOk() && numbers.IsAtEnd() && texts.IsOk() && texts.IsAtEnd() ? PlaceTableError::NONE
                                                                                  : PlaceTableError::CONTENTS;
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
    const District* end = m_districts.get() + m_districtCount;
    const District* at = place.detail == PlaceDetail::DISTRICT ? ByPlace(m_districts.get(), end, index) : end;
    const char* district = at != end && at->place == index ? at->name : "";
    PlaceView view = {m_names[index], place.detail,    district,
                      region.name,    country.name,    {country.code[0], country.code[1], '\0'},
                      place.latitude, place.longitude, place.population};
    return view;
}

const char* CGazetteer::Alternate(int place, int which) const
{
    const AlternateRun* runs = m_alternateRuns.get();
    const int run = static_cast<int>(ByPlace(runs, runs + m_alternateRunCount, place) - runs);
    if (run == m_alternateRunCount || m_alternateRuns[run].place != place)
        return nullptr;
    const int first = m_alternateRuns[run].firstName;
    return which < RunEnd(run) - first ? m_names[first + which] : nullptr;
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
    return m_names[name];
}

int CGazetteer::NamePlace(int name) const
{
    if (name < m_placeCount)
        return name;
    // The last run that starts at the name or before.
    const AlternateRun* runs = m_alternateRuns.get();
    const AlternateRun* after = std::upper_bound(runs, runs + m_alternateRunCount, name,
                                                 [](int at, const AlternateRun& run) { return at < run.firstName; });
    return (after - 1)->place;
}

unsigned long CGazetteer::PlacePopulation(int place) const
{
    return m_places[place].population;
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
    return which < named.nameCount ? m_countryNames[named.firstName + which] : nullptr;
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
