// The built-in gazetteer: the unpacked table, the search by name and the guess from country and time zone.
#include "places/Gazetteer.h"

#include "places/Inflate.h"
#include "places/LetterFold.h"
#include "places/PlaceData.h"

#include <cstring>
#include <new>

namespace {

// The longest typed text that is matched whole, folded, in bytes.
const size_t MAX_QUERY = 256;

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

// Whether query starts a word of name (both folded): at its start or right
// after one of its spaces.
bool StartsAWord(const char* name, const char* query, size_t queryLength)
{
    for (const char* word = name;;) {
        if (!strncmp(word, query, queryLength))
            return true;
        word = strchr(word, ' ');
        if (!word)
            return false;
        ++word;
    }
}

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
};

struct CGazetteer::Entry
{
    const char* name;
    const char* folded;
    int region;
    int latitude, longitude;  // hundredths of a degree
    unsigned long population;
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
    m_zoneKeyCount = static_cast<int>(reader.Number());
    m_guessCount = static_cast<int>(reader.Number());
    m_countries.reset(new (std::nothrow) Country[m_countryCount]);
    m_regions.reset(new (std::nothrow) Region[m_regionCount]);
    m_places.reset(new (std::nothrow) Entry[m_placeCount]);
    m_zoneKeys.reset(new (std::nothrow) const char*[m_zoneKeyCount]);
    m_guesses.reset(new (std::nothrow) ZoneGuess[m_guessCount]);
    if (!reader.IsOk() || !m_countries || !m_regions || !m_places || !m_zoneKeys || !m_guesses)
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
        if (m_regions[r].country >= m_countryCount)
            return false;
    }
    for (int p = 0; p < m_placeCount; ++p)
        m_places[p].name = reader.Text();
    if (!reader.IsOk() || !m_placeCount)
        return false;
    // A folded name is never longer than the name.
    const char* lastName = m_places[m_placeCount - 1].name;
    size_t namesSize = lastName + strlen(lastName) + 1 - m_places[0].name;
    m_folded.reset(new (std::nothrow) char[namesSize]);
    if (!m_folded)
        return false;
    size_t foldedUsed = 0;
    for (int p = 0; p < m_placeCount; ++p) {
        m_places[p].folded = m_folded.get() + foldedUsed;
        foldedUsed += FoldForSearch(m_places[p].name, m_folded.get() + foldedUsed, namesSize - foldedUsed) + 1;
    }
    for (int p = 0; p < m_placeCount; ++p) {
        m_places[p].region = static_cast<int>(reader.Number());
        if (m_places[p].region >= m_regionCount)
            return false;
    }
    // A region's first (largest) place is stored as it is, the others from it.
    std::unique_ptr<int[]> firstOfRegion(new (std::nothrow) int[m_regionCount]);
    if (!firstOfRegion)
        return false;
    for (int axis = 0; axis < 2; ++axis) {
        for (int r = 0; r < m_regionCount; ++r)
            firstOfRegion[r] = -1;
        for (int p = 0; p < m_placeCount; ++p) {
            Entry& place = m_places[p];
            int& first = firstOfRegion[place.region];
            int base = first < 0 ? 0 : axis == 0 ? m_places[first].latitude : m_places[first].longitude;
            (axis == 0 ? place.latitude : place.longitude) = base + static_cast<int>(reader.Signed());
            if (first < 0)
                first = p;
        }
    }
    unsigned long population = 0;
    for (int p = 0; p < m_placeCount; ++p) {
        unsigned long step = reader.Number();
        population = p == 0 ? step : population - step;
        m_places[p].population = population;
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
    PlaceView view = {place.name,     region.name,     country.name,    {country.code[0], country.code[1], '\0'},
                      place.latitude, place.longitude, place.population};
    return view;
}

int CGazetteer::Find(const char* text, int found[MAX_FOUND_PLACES]) const
{
    char query[MAX_QUERY];
    size_t queryLength = FoldForSearch(text, query, sizeof query);
    int count = 0;
    if (!m_places || queryLength == 0)
        return 0;
    // The table runs from the largest place down, so the first matches are the answer.
    for (int p = 0; p < m_placeCount && count < MAX_FOUND_PLACES; ++p) {
        if (StartsAWord(m_places[p].folded, query, queryLength))
            found[count++] = p;
    }
    return count;
}

int CGazetteer::Guess(const char* country, const char* windowsZone) const
{
    if (!m_places || !country)
        return -1;
    int countryIndex = -1;
    for (int c = 0; c < m_countryCount && countryIndex < 0; ++c) {
        if (SameAsciiIgnoringCase(m_countries[c].code, country))
            countryIndex = c;
    }
    if (countryIndex < 0)
        return -1;
    for (int g = 0; g < m_guessCount; ++g) {
        const ZoneGuess& guess = m_guesses[g];
        if (windowsZone && m_regions[m_places[guess.place].region].country == countryIndex &&
            SameAsciiIgnoringCase(m_zoneKeys[guess.zoneKey], windowsZone))
            return guess.place;
    }
    return m_countries[countryIndex].defaultPlace;
}
