// The built-in gazetteer: the unpacked table, and the guess from country and time zone.
#include "places/Gazetteer.h"

#include "places/Inflate.h"
#include "places/PlaceData.h"

#include <cstring>
#include <new>

namespace {

// Reads the unpacked table: numbers as little-endian base-128 groups (signed
// ones zigzagged), texts zero-terminated. Running off the end sets a flag
// instead of reading past it.
class CTableReader
{
public:
    CTableReader(const unsigned char* data, size_t size) : m_data(data), m_size(size) { }

    bool IsOk() const { return m_ok; }
    bool IsAtEnd() const { return m_pos == m_size; }

    unsigned long Number()
    {
        unsigned long value = 0;
        for (int shift = 0; shift < 32; shift += 7) {
            if (m_pos == m_size)
                break;
            unsigned char byte = m_data[m_pos++];
            value |= static_cast<unsigned long>(byte & 0x7F) << shift;
            if (byte < 0x80)
                return value;
        }
        m_ok = false;
        return 0;
    }

    long Signed()
    {
        unsigned long value = Number();
        return value & 1 ? -static_cast<long>(value >> 1) - 1 : static_cast<long>(value >> 1);
    }

    const char* Text()
    {
        const void* end = memchr(m_data + m_pos, 0, m_size - m_pos);
        if (!end) {
            m_ok = false;
            return "";
        }
        const char* text = reinterpret_cast<const char*>(m_data + m_pos);
        m_pos = static_cast<const unsigned char*>(end) - m_data + 1;
        return text;
    }

    // A two-letter code, as the table holds it without a terminator.
    void Code(char out[3])
    {
        out[0] = out[1] = out[2] = '\0';
        if (m_size - m_pos < 2) {
            m_ok = false;
            return;
        }
        memcpy(out, m_data + m_pos, 2);
        m_pos += 2;
    }

private:
    const unsigned char* m_data;
    size_t m_size, m_pos = 0;
    bool m_ok = true;
};

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
    int defaultPlace;  // -1 for none
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
    int latitude, longitude;  // hundredths of a degree
    unsigned long population;
    int firstAlternate, alternateCount;  // in m_names
};

struct CGazetteer::Name
{
    const char* text;
    int place;
};

struct CGazetteer::ZoneGuess
{
    int zoneKey;
    int place;
};

CGazetteer::CGazetteer()
{
    if (!Read())
        m_places.reset();
}

CGazetteer::~CGazetteer() = default;

bool CGazetteer::Read()
{
    m_table.reset(new (std::nothrow) unsigned char[PLACE_TABLE_SIZE]);
    if (!m_table || !Inflate(PLACE_TABLE_PACKED, PLACE_TABLE_PACKED_SIZE, m_table.get(), PLACE_TABLE_SIZE))
        return false;
    CTableReader reader(m_table.get(), PLACE_TABLE_SIZE);
    m_countryCount = static_cast<int>(reader.Number());
    m_regionCount = static_cast<int>(reader.Number());
    m_placeCount = static_cast<int>(reader.Number());
    m_nameCount = m_placeCount + static_cast<int>(reader.Number());
    m_zoneKeyCount = static_cast<int>(reader.Number());
    m_guessCount = static_cast<int>(reader.Number());
    // Every place and name takes a byte at least: a damaged count cannot ask for more.
    if (!reader.IsOk() || m_nameCount < m_placeCount || static_cast<unsigned>(m_nameCount) > PLACE_TABLE_SIZE)
        return false;
    m_countries.reset(new (std::nothrow) Country[m_countryCount]);
    m_regions.reset(new (std::nothrow) Region[m_regionCount]);
    m_places.reset(new (std::nothrow) Entry[m_placeCount]);
    m_names.reset(new (std::nothrow) Name[m_nameCount]);
    m_zoneKeys.reset(new (std::nothrow) const char*[m_zoneKeyCount]);
    m_guesses.reset(new (std::nothrow) ZoneGuess[m_guessCount]);
    if (!m_countries || !m_regions || !m_places || !m_names || !m_zoneKeys || !m_guesses)
        return false;

    for (int c = 0; c < m_countryCount; ++c) {
        Country& country = m_countries[c];
        reader.Code(country.code);
        country.name = reader.Text();
        country.defaultPlace = static_cast<int>(reader.Number()) - 1;
    }
    for (int r = 0; r < m_regionCount; ++r) {
        m_regions[r].country = static_cast<int>(reader.Number());
        m_regions[r].name = reader.Text();
        m_regions[r].code = reader.Text();
        if (m_regions[r].country >= m_countryCount)
            return false;
    }
    for (int p = 0; p < m_placeCount; ++p)
        m_names[p] = {reader.Text(), p};
    int name = m_placeCount;
    for (int p = 0; p < m_placeCount; ++p) {
        m_places[p].firstAlternate = name;
        m_places[p].alternateCount = static_cast<int>(reader.Number());
        if (m_places[p].alternateCount > m_nameCount - name)
            return false;
        name += m_places[p].alternateCount;
    }
    if (name != m_nameCount)
        return false;
    for (int p = 0; p < m_placeCount; ++p) {
        for (int a = 0; a < m_places[p].alternateCount; ++a)
            m_names[m_places[p].firstAlternate + a] = {reader.Text(), p};
    }
    // The places by region, the largest of each first: its coordinates as
    // they are, the others' from them; the populations falling, as steps.
    int place = 0;
    for (int r = 0; r < m_regionCount; ++r) {
        const int count = static_cast<int>(reader.Number());
        if (count < 1 || count > m_placeCount - place)
            return false;
        for (int p = place; p < place + count; ++p)
            m_places[p].region = r;
        place += count;
    }
    if (place != m_placeCount)
        return false;
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
    for (int k = 0; k < m_zoneKeyCount; ++k)
        m_zoneKeys[k] = reader.Text();
    for (int g = 0; g < m_guessCount; ++g) {
        m_guesses[g].zoneKey = static_cast<int>(reader.Number());
        m_guesses[g].place = static_cast<int>(reader.Number());
        if (m_guesses[g].zoneKey >= m_zoneKeyCount || m_guesses[g].place >= m_placeCount)
            return false;
    }
    return reader.IsOk() && reader.IsAtEnd();
}

PlaceView CGazetteer::Place(int index) const
{
    const Entry& place = m_places[index];
    const Region& region = m_regions[place.region];
    const Country& country = m_countries[region.country];
    PlaceView view = {m_names[index].text, region.name,     country.name,    {country.code[0], country.code[1], '\0'},
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
    return m_names[name].place;
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
