// The built-in gazetteer: the unpacked table, the search by name and the guess from country and time zone.
#include "places/Gazetteer.h"

#include "places/LetterFold.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// The longest typed text that is matched whole, folded, in bytes.
const size_t MAX_QUERY = 256;

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

// Words are indexed by their first two bytes (the second may be the space
// or terminator after a one-byte word).
const int BYTE_VALUES = 256;
const int BUCKET_COUNT = BYTE_VALUES * BYTE_VALUES;

int BucketOf(const char* word)
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(word);
    return bytes[0] * BYTE_VALUES + bytes[1];
}

// How many bytes a and b agree on from their starts, up to limit.
size_t CommonLength(const char* a, const char* b, size_t limit)
{
    size_t length = 0;
    while (length < limit && a[length] && a[length] == b[length])
        ++length;
    return length;
}

// Whether text (length bytes) is a code in full or starts the folded name.
bool NamesByCodeOrName(const char* code, const char* name, const char* text, size_t length)
{
    return (!strncmp(code, text, length) && !code[length]) || CommonLength(name, text, length) == length;
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
    char foldedCode[3];
    const char* name;
    const char* folded;
    int defaultPlace;          // -1 for none
    int firstName, nameCount;  // its other names, in m_countryNames
};

struct CGazetteer::Region
{
    int country;
    const char* name;
    const char* folded;
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

struct CGazetteer::Name
{
    const char* text;
    const char* folded;
    int place;
};

// A word of a name with what ranks its place, so that a search reads the
// words one after the other and no more.
struct CGazetteer::Word
{
    const char* start;  // in the folded name
    int place;
    int region;
    unsigned long population;
};

struct CGazetteer::ZoneGuess
{
    int zoneKey;
    int place;
};

// One search's query and its best answers so far.
struct CGazetteer::Search
{
    // One answer: the words of the query read as the name, whether the name
    // is those words whole, and what ranks it after that.
    struct Hit
    {
        int words;
        bool whole;
        bool home;
        unsigned long population;
        const char* start;  // the word found, in the folded names: a place's own name before its others
        int place;
    };

    char query[MAX_QUERY];
    size_t nameEnds[MAX_QUERY];  // nameEnds[k]: the length of the query's first k + 1 words
    int wordCount = 0;
    // For each count of words read as the name, whether the rest names each
    // region or its country: 1 yes, -1 no, 0 not asked yet; made when first asked.
    std::unique_ptr<signed char[]> restNamesRegion[MAX_QUERY];
    int homeCountry = -1;
    Hit hits[MAX_FOUND_PLACES];
    int hitCount = 0;

    static bool IsBetter(const Hit& a, const Hit& b)
    {
        if (a.words != b.words)
            return a.words > b.words;
        if (a.whole != b.whole)
            return a.whole;
        if (a.home != b.home)
            return a.home;
        if (a.population != b.population)
            return a.population > b.population;
        // A place's own name (they come first) before another of its names.
        return a.place != b.place ? a.place < b.place : a.start < b.start;
    }

    // Keeps hit among the best, a place once, by its best name.
    void Offer(const Hit& hit)
    {
        if (hitCount && hit.words > hits[0].words)
            hitCount = 0;
        int at = 0;
        while (at < hitCount && hits[at].place != hit.place)
            ++at;
        if (at < hitCount) {
            if (!IsBetter(hit, hits[at]))
                return;
        } else if (hitCount < MAX_FOUND_PLACES) {
            at = hitCount++;
        } else if (IsBetter(hit, hits[hitCount - 1])) {
            at = hitCount - 1;
        } else {
            return;
        }
        // Into its rank, moving the worse ones down over the slot it leaves.
        for (; at > 0 && IsBetter(hit, hits[at - 1]); --at)
            hits[at] = hits[at - 1];
        hits[at] = hit;
    }
};

CGazetteer::CGazetteer(const DataBytes& file)
{
    m_error = Read(file.bytes, file.size);
    if (m_error == PlaceTableError::NONE && (!FoldNames() || !IndexWords()))
        m_error = PlaceTableError::NO_MEMORY;
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
            m_countryNames[n] = {reader.Text(), nullptr, c};
    }
    for (int r = 0; r < m_regionCount; ++r) {
        m_regions[r].country = reader.Index(static_cast<unsigned long>(m_countryCount));
        m_regions[r].name = reader.Text();
        m_regions[r].code = reader.Text();
    }
    for (int p = 0; p < m_placeCount; ++p)
        m_names[p] = {reader.Text(), nullptr, p};
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
            m_names[m_places[p].firstAlternate + a] = {reader.Text(), nullptr, p};
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

bool CGazetteer::FoldNames()
{
    // A folded text is never longer than the text: the table's texts folded
    // fit in its size.
    const size_t size = m_table.RecordsSize();
    m_folded.reset(new (std::nothrow) char[size]);
    if (!m_folded)
        return false;
    size_t used = 0;
    auto fold = [&](const char* text) {
        const char* folded = m_folded.get() + used;
        used += FoldForSearch(text, m_folded.get() + used, size - used) + 1;
        return folded;
    };
    for (int c = 0; c < m_countryCount; ++c) {
        m_countries[c].folded = fold(m_countries[c].name);
        FoldForSearch(m_countries[c].code, m_countries[c].foldedCode, sizeof m_countries[c].foldedCode);
    }
    for (int n = 0; n < m_countryNameCount; ++n)
        m_countryNames[n].folded = fold(m_countryNames[n].text);
    for (int r = 0; r < m_regionCount; ++r)
        m_regions[r].folded = fold(m_regions[r].name);
    for (int n = 0; n < m_nameCount; ++n)
        m_names[n].folded = fold(m_names[n].text);
    return true;
}

bool CGazetteer::IndexWords()
{
    // Counted by bucket, then laid out bucket by bucket.
    m_wordBuckets.reset(new (std::nothrow) int[BUCKET_COUNT + 1]());
    if (!m_wordBuckets)
        return false;
    for (int n = 0; n < m_nameCount; ++n) {
        for (const char* word = m_names[n].folded; word; word = strchr(word, ' ')) {
            word += *word == ' ';
            ++m_wordBuckets[BucketOf(word) + 1];
            ++m_wordCount;
        }
    }
    for (int b = 0; b < BUCKET_COUNT; ++b)
        m_wordBuckets[b + 1] += m_wordBuckets[b];
    m_words.reset(new (std::nothrow) Word[m_wordCount]);
    std::unique_ptr<int[]> next(new (std::nothrow) int[BUCKET_COUNT]);
    if (!m_words || !next)
        return false;
    memcpy(next.get(), m_wordBuckets.get(), BUCKET_COUNT * sizeof(int));
    for (int n = 0; n < m_nameCount; ++n) {
        for (const char* word = m_names[n].folded; word; word = strchr(word, ' ')) {
            word += *word == ' ';
            const Entry& place = m_places[m_names[n].place];
            m_words[next[BucketOf(word)]++] = {word, m_names[n].place, place.region, place.population};
        }
    }
    return true;
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

bool CGazetteer::NamesRegion(int region, const char* text, size_t length) const
{
    return NamesByCodeOrName(m_regions[region].code, m_regions[region].folded, text, length);
}

bool CGazetteer::NamesCountry(int country, const char* text, size_t length) const
{
    const Country& named = m_countries[country];
    if (NamesByCodeOrName(named.foldedCode, named.folded, text, length))
        return true;
    for (int n = named.firstName; n < named.firstName + named.nameCount; ++n) {
        if (CommonLength(m_countryNames[n].folded, text, length) == length)
            return true;
    }
    return false;
}

// Whether text (folded words) names the region, its country, or the region
// and then the country.
bool CGazetteer::NamesRegionOrCountry(int region, const char* text, size_t length) const
{
    const int country = m_regions[region].country;
    if (NamesRegion(region, text, length) || NamesCountry(country, text, length))
        return true;
    // Where the region's words may end: within its name or its code.
    const size_t regionEnd = CommonLength(m_regions[region].folded, text, length) + strlen(m_regions[region].code);
    for (size_t split = 1; split < length && split <= regionEnd; ++split) {
        if (text[split] == ' ' && NamesRegion(region, text, split) &&
            NamesCountry(country, text + split + 1, length - split - 1))
            return true;
    }
    return false;
}

// Whether the words of the query after the first words ones name region or
// its country; known from the first place of the region asked about.
bool CGazetteer::RestNamesRegion(Search& search, int words, int region) const
{
    std::unique_ptr<signed char[]>& known = search.restNamesRegion[words - 1];
    if (!known)
        known.reset(new (std::nothrow) signed char[m_regionCount]());
    if (known && known[region])
        return known[region] > 0;
    const size_t nameEnd = search.nameEnds[words - 1];
    const size_t queryLength = search.nameEnds[search.wordCount - 1];
    const bool names = NamesRegionOrCountry(region, search.query + nameEnd + 1, queryLength - nameEnd - 1);
    if (known)
        known[region] = names ? 1 : -1;
    return names;
}

void CGazetteer::Consider(const Word& word, Search& search) const
{
    const size_t queryLength = search.nameEnds[search.wordCount - 1];
    const size_t agree = CommonLength(word.start, search.query, queryLength);
    const int place = word.place;
    // The most words the name goes on with, then fewer while the rest name
    // no region or country; never fewer than the best answer so far.
    int words = 0;
    while (words < search.wordCount && search.nameEnds[words] <= agree)
        ++words;
    const int fewest = search.hitCount ? search.hits[0].words : 1;
    for (; words >= fewest; --words) {
        if (words == search.wordCount || RestNamesRegion(search, words, word.region))
            break;
    }
    if (words < fewest)
        return;
    Search::Hit hit;
    hit.words = words;
    // The folded names lie one after the other: a name starts after the end of another.
    hit.whole = !word.start[search.nameEnds[words - 1]] && (word.start == m_folded.get() || !word.start[-1]);
    hit.home = m_regions[word.region].country == search.homeCountry;
    hit.population = word.population;
    hit.start = word.start;
    hit.place = place;
    search.Offer(hit);
}

int CGazetteer::Find(const char* text, const char* homeCountry, FoundPlace found[MAX_FOUND_PLACES]) const
{
    if (!m_places)
        return 0;
    Search search;
    const size_t length = FoldForSearch(text, search.query, sizeof search.query);
    if (!length)
        return 0;
    for (size_t i = 0; i <= length; ++i) {
        if (search.query[i] == ' ' || !search.query[i])
            search.nameEnds[search.wordCount++] = i;
    }
    search.homeCountry = CountryIndex(homeCountry);
    // A one-byte first word starts words of any second byte.
    const int bucket = BucketOf(search.query);
    const bool oneByte = search.nameEnds[0] == 1;
    const int first = m_wordBuckets[oneByte ? bucket - bucket % BYTE_VALUES : bucket];
    const int end = m_wordBuckets[oneByte ? bucket - bucket % BYTE_VALUES + BYTE_VALUES : bucket + 1];
    for (int w = first; w < end; ++w)
        Consider(m_words[w], search);
    for (int i = 0; i < search.hitCount; ++i) {
        const Search::Hit& hit = search.hits[i];
        found[i].place = hit.place;
        found[i].alternate = nullptr;
        const Entry& place = m_places[hit.place];
        for (int a = place.firstAlternate; a < place.firstAlternate + place.alternateCount; ++a) {
            if (hit.start >= m_names[a].folded && hit.start < m_names[a].folded + strlen(m_names[a].folded))
                found[i].alternate = m_names[a].text;
        }
    }
    return search.hitCount;
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
