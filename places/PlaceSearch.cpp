// The search of the gazetteer by name: the words of every name by their first two letters, each typed word matched
// letter for letter or with a slip, the answers ranked by one score.
#include "places/PlaceSearch.h"

#include "common/Characters.h"
#include "places/LetterFold.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <new>

namespace {

// The longest typed text that is matched whole, folded, in bytes; its words
// at most (a letter and a space each).
const size_t QUERY_MAX = 256;
const int QUERY_WORDS_MAX = static_cast<int>(QUERY_MAX / 2);

// Words are kept by their first two letters, a byte of each (ASCII as it
// is, any other letter by its low seven bits; 0 past the word's end), and
// the next two beside each (see NextLetters).
const int BUCKET_COUNT = BYTE_VALUES * BYTE_VALUES;

// A word is kept in 32 bits: its name's number, the byte of the name it
// starts at (words further in are not kept) and its place's weight.
const unsigned WEIGHT_BITS = 4;
const unsigned WORD_BYTE_BITS = 8;
const unsigned WEIGHT_LIMIT = 1u << WEIGHT_BITS;
const unsigned WORD_BYTE_LIMIT = 1u << WORD_BYTE_BITS;
const unsigned NAME_LIMIT = 1u << (32 - WORD_BYTE_BITS - WEIGHT_BITS);

unsigned KeptWord(int name, unsigned byte, unsigned weight)
{
    return (static_cast<unsigned>(name) << WORD_BYTE_BITS | byte) << WEIGHT_BITS | weight;
}
int NameOf(unsigned word)
{
    return static_cast<int>(word >> WEIGHT_BITS >> WORD_BYTE_BITS);
}
unsigned ByteOf(unsigned word)
{
    return (word >> WEIGHT_BITS) % WORD_BYTE_LIMIT;
}
unsigned WeightOf(unsigned word)
{
    return word % WEIGHT_LIMIT;
}

// Slips a typed word may hold: none below SLIP_ONE_FROM letters, one below
// SLIP_TWO_FROM, else two; none in a word longer than SLIP_WORD_MAX letters.
const int SLIP_ONE_FROM = 4;
const int SLIP_TWO_FROM = 8;
const int SLIP_WORD_MAX = 32;
// More edits than any word may hold.
const int TOO_MANY_EDITS = 99;

// The score, in thousandths of a tenfold population: the logarithm of the
// place's population carries it, and what the match is like moves it.
const double SCORE_PER_TENFOLD = 1000;
// Matched on the place's own name, not another language's.
const int OWN_NAME = 1000;
// The name typed whole, own or another language's (which then counts as
// much as a start of an own name), from WHOLE_FULL_FROM letters; for fewer,
// a share by the letters.
const int WHOLE_NAME = 1000;
const int WHOLE_FULL_FROM = 6;
// And more for the own name of a place in the user's country typed whole:
// that place, however small, before any other.
const int WHOLE_AT_HOME = 2000;
// In the user's country: a place a twentieth as large comes first; and its
// places weigh as if its largest had HOME_TOP_AS (ten million people), so
// that a small country's towns lead the first letters typed.
const int HOME_COUNTRY = 1300;
const int HOME_TOP_AS = 7000;
// The match starts at a later word of the name ("york" in New York City).
const int LATER_WORD = 1200;
// Among slipped answers, a place twice as large goes before one slip fewer.
const int PER_SLIP = 300;

// Typed words that stand for each other in names, by group.
const struct
{
    const char* word;
    int group;
} ABBREVIATIONS[] = {
    {"st", 0}, {"saint", 0}, {"sankt", 0}, {"san", 0}, {"santa", 0}, {"mt", 1}, {"mount", 1}, {"ft", 2}, {"fort", 2},
};
// Letters of the longest word of ABBREVIATIONS.
const int ABBREVIATION_MAX = 5;

// The byte a letter is kept under in a bucket's number.
unsigned KeyByte(unsigned letter)
{
    return letter < ASCII_END ? letter : ASCII_END | (letter % ASCII_END);
}

int BucketOf(unsigned first, unsigned second)
{
    return static_cast<int>(KeyByte(first) * BYTE_VALUES + KeyByte(second));
}

// The group of ABBREVIATIONS letters (count of them) are a word of, -1 for none.
int AbbreviationGroup(const unsigned* letters, int count)
{
    for (const auto& abbreviation : ABBREVIATIONS) {
        int i = 0;
        while (i < count && abbreviation.word[i] && static_cast<unsigned char>(abbreviation.word[i]) == letters[i])
            ++i;
        if (i == count && !abbreviation.word[i])
            return abbreviation.group;
    }
    return -1;
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

// A word found while the index is made: as the index keeps it (with its
// place's weight), its bucket and its third and fourth letters.
struct FoundWord
{
    unsigned word;
    unsigned short bucket;
    unsigned char nextLetters;
};

// A word's third and fourth letters are kept in a byte, by the low four
// bits of each letter's byte (0 past the word's end, and for a few letters).
const unsigned NIBBLE_VALUES = 16;

unsigned KeyNibble(unsigned letter)
{
    return KeyByte(letter) % NIBBLE_VALUES;
}

unsigned NextLetters(unsigned third, unsigned fourth)
{
    return KeyNibble(third) | KeyNibble(fourth) * NIBBLE_VALUES;
}

// The words found while the index is made, in a room that doubles when it
// is full.
class CFoundWords
{
public:
    explicit CFoundWords(int capacity) { Grow(capacity); }

    int Count() const { return m_count; }
    const FoundWord& operator[](int i) const { return m_words[i]; }
    bool IsOk() const { return m_words != nullptr; }

    bool Add(const FoundWord& word)
    {
        if (m_count == m_capacity && !Grow(m_capacity * 2))
            return false;
        m_words[m_count++] = word;
        return true;
    }

private:
    bool Grow(int capacity)
    {
        std::unique_ptr<FoundWord[]> words(new (std::nothrow) FoundWord[capacity]);
        if (words && m_count)
            memcpy(words.get(), m_words.get(), m_count * sizeof words[0]);
        m_words = std::move(words);
        m_capacity = capacity;
        return m_words != nullptr;
    }

    std::unique_ptr<FoundWord[]> m_words;
    int m_count = 0, m_capacity = 0;
};

// A place's weight as the index keeps it with each word: the logarithm of
// its population in whole steps of a WEIGHT_STEPS_PER_TENFOLD'th of a
// tenfold, up to the most its bits hold (thirty million people).
const double WEIGHT_STEPS_PER_TENFOLD = 2;
const int WEIGHT_MAX = WEIGHT_LIMIT - 1;

// What a place's population adds to its score.
int PopulationScore(unsigned long population)
{
    return static_cast<int>(SCORE_PER_TENFOLD * std::log10(population + 1.0));
}

// The weights of populations, without a logarithm for each: the least
// population of each weight.
class CWeights
{
public:
    CWeights()
    {
        for (int weight = 0; weight <= WEIGHT_MAX; ++weight)
            m_least[weight] = std::pow(10.0, weight / WEIGHT_STEPS_PER_TENFOLD) - 1;
    }

    // The last weight whose least population is at most population.
    unsigned Of(unsigned long population) const
    {
        const double* const end = m_least + WEIGHT_MAX + 1;
        return static_cast<unsigned>(std::upper_bound(m_least, end, static_cast<double>(population)) - m_least - 1);
    }

private:
    double m_least[WEIGHT_MAX + 1];
};

// The most a place of a weight can score: its population (up to the
// weight's next step) and every bonus, homeBonus for the user's country.
int BestScoreOf(unsigned weight, int homeBonus)
{
    return static_cast<int>(SCORE_PER_TENFOLD * (weight + 1) / WEIGHT_STEPS_PER_TENFOLD) + OWN_NAME + WHOLE_NAME +
           WHOLE_AT_HOME + homeBonus;
}

}  // namespace

// A typed text folded, by bytes (for the regions and countries after a
// name) and by letters, in words.
struct CPlaceSearch::Query
{
    char folded[QUERY_MAX];
    size_t wordEnds[QUERY_WORDS_MAX];  // wordEnds[k]: the bytes of the first k + 1 words
    unsigned letters[QUERY_MAX];       // the words' letters one after the other, without spaces
    int wordStarts[QUERY_WORDS_MAX + 1];
    int abbreviations[QUERY_WORDS_MAX];  // the group of ABBREVIATIONS a word followed by more is of, else -1
    int slips[QUERY_WORDS_MAX];          // the slips each word may hold
    int wordCount = 0;
    int homeCountry = -1;
    int homeBonus = 0;  // what a place in homeCountry adds to its score
    // For each count of words read as the name, whether the rest names
    // each region or its country: 1 yes, -1 no, 0 not asked yet; made when
    // first asked, and kept through the searches of the text.
    mutable std::unique_ptr<signed char[]> restNamesRegion[QUERY_WORDS_MAX];

    const unsigned* Word(int w) const { return letters + wordStarts[w]; }
    int Letters(int w) const { return wordStarts[w + 1] - wordStarts[w]; }

    // False for a text without a letter.
    bool Read(const char* text)
    {
        if (!FoldForSearch(text, folded, sizeof folded))
            return false;
        // The folded text's words, a space between each two.
        const unsigned char* bytes = reinterpret_cast<const unsigned char*>(folded);
        int count = 0;
        wordStarts[0] = 0;
        for (size_t i = 0;;) {
            if (bytes[i] && bytes[i] != ' ') {
                size_t length;
                letters[count++] = DecodeUtf8(bytes + i, length);
                i += length;
                continue;
            }
            wordEnds[wordCount] = i;
            wordStarts[++wordCount] = count;
            if (!bytes[i++])
                break;
        }
        for (int w = 0; w < wordCount; ++w) {
            const int n = Letters(w);
            abbreviations[w] = w + 1 < wordCount ? AbbreviationGroup(Word(w), n) : -1;
            slips[w] = n > SLIP_WORD_MAX ? 0 : n >= SLIP_TWO_FROM ? 2 : n >= SLIP_ONE_FROM ? 1 : 0;
        }
        return true;
    }
};

namespace {

// How a typed word stands to a word of a name: the edits from it to the
// whole word and to the word's best start, TOO_MANY_EDITS past those it may
// hold.
struct WordAgreement
{
    int whole;
    int start;
};

// The letters of a name's word read one by one from its first.
class CNameWord
{
public:
    CNameWord(CFoldedReader& reader, unsigned first) : m_reader(reader), m_next(first) { }

    // The next letter of the word, 0 at its end.
    unsigned Next()
    {
        const unsigned letter = m_next;
        if (!letter || letter == ' ')
            return 0;
        if (m_count <= ABBREVIATION_MAX)
            m_kept[m_count] = letter;
        ++m_count;
        m_next = m_reader.Next();
        return letter;
    }
    // Reads to the word's end; whether the name ends with it.
    bool EndsName()
    {
        while (Next()) {
        }
        return !m_next;
    }
    // The group of ABBREVIATIONS the word (read to its end) is of, -1 for none.
    int Abbreviation() const { return m_count > ABBREVIATION_MAX ? -1 : AbbreviationGroup(m_kept, m_count); }

private:
    CFoldedReader& m_reader;
    unsigned m_next;
    unsigned m_kept[ABBREVIATION_MAX + 1] = {};
    int m_count = 0;
};

// Letter for letter: typed (count letters) against the word, read to its
// end where it starts with typed.
WordAgreement AgreeExactly(CNameWord& word, const unsigned* typed, int count)
{
    int i = 0;
    while (i < count && word.Next() == typed[i])
        ++i;
    if (i < count)
        return {TOO_MANY_EDITS, TOO_MANY_EDITS};
    return {word.Next() ? TOO_MANY_EDITS : 0, 0};
}

// The edits (a letter added, dropped or changed, or two neighbours
// swapped) between each start of typed and a word read a letter at a
// time: the table's column for each letter, the two before it kept for
// a swap.
class CEditTable
{
public:
    CEditTable(const unsigned* typed, int count) : m_typed(typed), m_count(count)
    {
        for (int i = 0; i <= count; ++i)
            m_here[i] = i;
    }

    // Takes the word's next letter; false once neither its column nor the
    // one before holds an entry within most, when no letter to come can
    // bring one back.
    bool Add(unsigned letter, int most)
    {
        ++m_length;
        int* spare = m_twoBack;
        m_twoBack = m_back;
        m_back = m_here;
        m_here = spare;
        m_here[0] = m_length;
        int least = m_here[0], leastBefore = m_back[0];
        for (int i = 1; i <= m_count; ++i) {
            int edits = m_back[i - 1] + (m_typed[i - 1] != letter);
            edits = m_back[i] + 1 < edits ? m_back[i] + 1 : edits;
            edits = m_here[i - 1] + 1 < edits ? m_here[i - 1] + 1 : edits;
            if (i > 1 && m_length > 1 && m_typed[i - 1] == m_previous && m_typed[i - 2] == letter &&
                m_twoBack[i - 2] + 1 < edits)
                edits = m_twoBack[i - 2] + 1;
            m_here[i] = edits;
            least = edits < least ? edits : least;
            leastBefore = m_back[i] < leastBefore ? m_back[i] : leastBefore;
        }
        m_previous = letter;
        return least <= most || leastBefore <= most;
    }

    // The edits from the whole of typed to the word read so far.
    int ToTyped() const { return m_here[m_count]; }

private:
    const unsigned* m_typed;
    int m_count;
    int m_columns[3][SLIP_WORD_MAX + 1] = {};
    int* m_twoBack = m_columns[0];
    int* m_back = m_columns[1];
    int* m_here = m_columns[2];
    unsigned m_previous = 0;
    int m_length = 0;
};

// With at most most edits, never in the first letter: typed (count letters)
// against the word, given up once no start of typed can come within most.
WordAgreement AgreeWithSlips(CNameWord& word, const unsigned* typed, int count, int most)
{
    WordAgreement agreement = {TOO_MANY_EDITS, TOO_MANY_EDITS};
    CEditTable table(typed, count);
    bool read = false;
    for (unsigned letter; (letter = word.Next());) {
        if (!read && letter != typed[0])
            return agreement;
        read = true;
        const bool going = table.Add(letter, most);
        if (table.ToTyped() <= most && table.ToTyped() < agreement.start)
            agreement.start = table.ToTyped();
        if (!going)
            return agreement;
    }
    agreement.whole = read && table.ToTyped() <= most ? table.ToTyped() : TOO_MANY_EDITS;
    return agreement;
}

// Whether a word whose first letters are kept as first and second (their
// bytes) and next (the third and fourth) may come within most edits of a
// start of typed: the edits over those letters, each by the low bits of its
// byte, letters kept alike taken as alike and a letter kept as 0 as any.
bool MayComeWithin(const unsigned* typed, int count, int most, unsigned second, unsigned next)
{
    unsigned keys[SLIP_WORD_MAX] = {};
    for (int i = 0; i < count; ++i)
        keys[i] = KeyNibble(typed[i]);
    CEditTable table(keys, count);
    const unsigned letters[] = {keys[0], second % NIBBLE_VALUES, next % NIBBLE_VALUES, next / NIBBLE_VALUES};
    for (unsigned letter : letters) {
        if (!letter)
            return true;
        if (!table.Add(letter, most))
            return false;
    }
    return true;
}

// Verdicts on the letters that start words, each reached once a search, by
// the second letter's byte and the next letters' byte.
class CVerdicts
{
public:
    CVerdicts() : m_verdicts(new (std::nothrow) unsigned char[BYTE_VALUES * BYTE_VALUES]()) { }

    template <typename Weighing> bool Weigh(unsigned second, unsigned next, Weighing weigh)
    {
        if (!m_verdicts)
            return weigh();
        unsigned char& verdict = m_verdicts[second * BYTE_VALUES + next];
        if (verdict == UNKNOWN)
            verdict = weigh() ? POSSIBLE : IMPOSSIBLE;
        return verdict == POSSIBLE;
    }

private:
    enum : unsigned char
    {
        UNKNOWN,
        POSSIBLE,
        IMPOSSIBLE,
    };
    std::unique_ptr<unsigned char[]> m_verdicts;
};

}  // namespace

// One answer: the place, the name and word it was found by and how the
// typed words agreed with them; then its rank among the others.
struct CPlaceSearch::Hit
{
    int place;
    int name;
    bool own;   // found by the place's own name
    int words;  // the typed words read as the name
    int score;
    unsigned word;  // as kept in the index, so that of two equal answers the first kept comes first

    bool IsBetterThan(const Hit& other) const
    {
        if (words != other.words)
            return words > other.words;
        if (score != other.score)
            return score > other.score;
        return word < other.word;
    }
    // Of two answers of one place: one by its own name before one by
    // another language's, which finds only places whose own names do not.
    bool IsBetterForItsPlaceThan(const Hit& other) const
    {
        return words == other.words && own != other.own ? own : IsBetterThan(other);
    }
};

// The best answers so far, a place once by its best name; only those that
// read the most typed words as the name. Answers with slips take the room
// those without leave, and none of their places.
class CPlaceSearch::CAnswers
{
public:
    // Room for room answers, less those before.
    CAnswers(int room, const CAnswers* before) : m_before(before), m_room(before ? room - before->Count() : room) { }

    int Count() const { return m_count; }
    bool HasRoom() const { return m_room > 0; }
    const Hit& operator[](int i) const { return m_hits[i]; }
    // The fewest words an answer must read as the name to stay.
    int FewestWords() const { return m_count ? m_hits[0].words : 1; }
    // Whether no answer reading words words as the name and scoring at most
    // score can come in any more.
    bool IsClosedTo(int words, int score) const
    {
        return m_count == m_room &&
               (!m_room || (m_hits[m_count - 1].words >= words && m_hits[m_count - 1].score > score));
    }

    void Offer(const Hit& hit)
    {
        for (int i = 0; m_before && i < m_before->Count(); ++i) {
            if ((*m_before)[i].place == hit.place)
                return;
        }
        if (m_count && hit.words > m_hits[0].words)
            m_count = 0;
        int at = 0;
        while (at < m_count && m_hits[at].place != hit.place)
            ++at;
        if (at < m_count) {
            if (!hit.IsBetterForItsPlaceThan(m_hits[at]))
                return;
            // Out of the list, to come back at its rank.
            for (; at + 1 < m_count; ++at)
                m_hits[at] = m_hits[at + 1];
            --m_count;
        }
        if (m_count == m_room) {
            if (!m_count || !hit.IsBetterThan(m_hits[m_count - 1]))
                return;
            --m_count;
        }
        // Into its rank, moving the worse ones down.
        for (at = m_count++; at > 0 && hit.IsBetterThan(m_hits[at - 1]); --at)
            m_hits[at] = m_hits[at - 1];
        m_hits[at] = hit;
    }

private:
    const CAnswers* m_before;
    int m_room;
    Hit m_hits[MAX_FOUND_PLACES];
    int m_count = 0;
};

CPlaceSearch::CPlaceSearch(const CGazetteer& gazetteer) : m_gazetteer(gazetteer)
{
    if (!gazetteer.IsReady() || !KnowRegionsAndCountries() || !IndexWords())
        m_words.reset();
}

CPlaceSearch::~CPlaceSearch() = default;

bool CPlaceSearch::KnowRegionsAndCountries()
{
    const int countryCount = m_gazetteer.CountryCount();
    // A folded text is never longer than the text.
    size_t size = 0;
    int countryNames = 0;
    for (int r = 0; r < m_gazetteer.RegionCount(); ++r)
        size += strlen(m_gazetteer.RegionName(r)) + 1;
    for (int c = 0; c < countryCount; ++c) {
        size += strlen(m_gazetteer.CountryName(c)) + 1;
        ++countryNames;
        for (int which = 0; const char* name = m_gazetteer.CountryOtherName(c, which); ++which, ++countryNames)
            size += strlen(name) + 1;
    }
    m_folded.reset(new (std::nothrow) char[size]);
    m_regionNames.reset(new (std::nothrow) const char*[m_gazetteer.RegionCount()]);
    m_countryNames.reset(new (std::nothrow) const char*[countryNames]);
    m_countryNameStarts.reset(new (std::nothrow) int[countryCount + 1]);
    m_countryCodes.reset(new (std::nothrow) char[countryCount][3]);
    m_countryTops.reset(new (std::nothrow) int[countryCount]());
    std::unique_ptr<unsigned long[]> largest(new (std::nothrow) unsigned long[countryCount]());
    if (!m_folded || !m_regionNames || !m_countryNames || !m_countryNameStarts || !m_countryCodes || !m_countryTops ||
        !largest)
        return false;
    for (int p = 0; p < m_gazetteer.PlaceCount(); ++p) {
        unsigned long& top = largest[m_gazetteer.RegionCountry(m_gazetteer.PlaceRegion(p))];
        const unsigned long population = m_gazetteer.PlacePopulation(p);
        top = population > top ? population : top;
    }
    for (int c = 0; c < countryCount; ++c)
        m_countryTops[c] = PopulationScore(largest[c]);
    size_t used = 0;
    auto fold = [&](const char* text) {
        const char* folded = m_folded.get() + used;
        used += FoldForSearch(text, m_folded.get() + used, size - used) + 1;
        return folded;
    };
    for (int r = 0; r < m_gazetteer.RegionCount(); ++r)
        m_regionNames[r] = fold(m_gazetteer.RegionName(r));
    int name = 0;
    for (int c = 0; c < countryCount; ++c) {
        m_countryNameStarts[c] = name;
        m_countryNames[name++] = fold(m_gazetteer.CountryName(c));
        for (int which = 0; const char* other = m_gazetteer.CountryOtherName(c, which); ++which)
            m_countryNames[name++] = fold(other);
        FoldForSearch(m_gazetteer.CountryCode(c), m_countryCodes[c], sizeof m_countryCodes[c]);
    }
    m_countryNameStarts[countryCount] = name;
    return true;
}

bool CPlaceSearch::IndexWords()
{
    const int nameCount = m_gazetteer.NameCount();
    if (static_cast<unsigned>(nameCount) >= NAME_LIMIT)
        return false;
    // Every word in the names' order with what the index keeps of it,
    // counted by bucket and by weight.
    CFoundWords found(nameCount + nameCount / 2);
    m_buckets.reset(new (std::nothrow) int[BUCKET_COUNT + 1]());
    if (!found.IsOk() || !m_buckets)
        return false;
    int weightStarts[WEIGHT_LIMIT + 1] = {};
    const CWeights weights;
    unsigned weight = 0;
    int weighed = -1;
    bool added = true;
    m_gazetteer.ForEachName([&](int name, int place) {
        if (place != weighed) {
            weighed = place;
            weight = weights.Of(m_gazetteer.PlacePopulation(place));
        }
        const char* text = m_gazetteer.NameText(name);
        CWordScanner scanner(text);
        const char* start;
        unsigned letters[CWordScanner::KEY_LETTERS];
        // The first word is kept at the name's start, which the search reads
        // from as it reads from the word ("'s-Gravenwezel", "‘Alīābād"): so a
        // name that opens with a separator is still matched from its first
        // word and typed whole.
        for (bool first = true; added && scanner.Next(start, letters); first = false) {
            const unsigned byte = first ? 0 : static_cast<unsigned>(start - text);
            const FoundWord word = {KeptWord(name, byte, weight),
                                    static_cast<unsigned short>(BucketOf(letters[0], letters[1])),
                                    static_cast<unsigned char>(NextLetters(letters[2], letters[3]))};
            if (byte >= WORD_BYTE_LIMIT)
                continue;
            added = found.Add(word);
            ++weightStarts[WEIGHT_LIMIT - weight];
            ++m_buckets[word.bucket + 1];
        }
    });
    if (!added)
        return false;
    // Laid out heaviest first, then from there bucket by bucket: each a
    // pass that reads in order.
    const int count = found.Count();
    m_words.reset(new (std::nothrow) unsigned[count]);
    m_nextLetters.reset(new (std::nothrow) unsigned char[count]);
    std::unique_ptr<FoundWord[]> byWeight(new (std::nothrow) FoundWord[count]);
    std::unique_ptr<int[]> next(new (std::nothrow) int[BUCKET_COUNT]);
    if (!m_words || !m_nextLetters || !byWeight || !next)
        return false;
    for (unsigned w = 0; w < WEIGHT_LIMIT; ++w)
        weightStarts[w + 1] += weightStarts[w];
    for (int b = 0; b < BUCKET_COUNT; ++b)
        m_buckets[b + 1] += m_buckets[b];
    for (int i = 0; i < count; ++i)
        byWeight[weightStarts[WEIGHT_LIMIT - 1 - WeightOf(found[i].word)]++] = found[i];
    memcpy(next.get(), m_buckets.get(), BUCKET_COUNT * sizeof(int));
    for (int k = 0; k < count; ++k) {
        const FoundWord& word = byWeight[k];
        const int at = next[word.bucket]++;
        m_words[at] = word.word;
        m_nextLetters[at] = word.nextLetters;
    }
    return true;
}

bool CPlaceSearch::NamesRegion(int region, const char* text, size_t length) const
{
    return NamesByCodeOrName(m_gazetteer.RegionCode(region), m_regionNames[region], text, length);
}

// Whether text (length bytes) is the country's code in full or starts its
// English name or another of its names.
bool CPlaceSearch::NamesCountry(int country, const char* text, size_t length) const
{
    const int first = m_countryNameStarts[country];
    if (NamesByCodeOrName(m_countryCodes[country], m_countryNames[first], text, length))
        return true;
    for (int n = first + 1; n < m_countryNameStarts[country + 1]; ++n) {
        if (CommonLength(m_countryNames[n], text, length) == length)
            return true;
    }
    return false;
}

// Whether text (folded words) names the region, its country, or the region
// and then the country.
bool CPlaceSearch::NamesRegionOrCountry(int region, const char* text, size_t length) const
{
    const int country = m_gazetteer.RegionCountry(region);
    if (NamesRegion(region, text, length) || NamesCountry(country, text, length))
        return true;
    // Where the region's words may end: within its name or its code.
    const size_t regionEnd = CommonLength(m_regionNames[region], text, length) + strlen(m_gazetteer.RegionCode(region));
    for (size_t split = 1; split < length && split <= regionEnd; ++split) {
        if (text[split] == ' ' && NamesRegion(region, text, split) &&
            NamesCountry(country, text + split + 1, length - split - 1))
            return true;
    }
    return false;
}

void CPlaceSearch::Consider(unsigned word, const Query& query, Matching matching, CAnswers& answers) const
{
    const int name = NameOf(word);
    const unsigned start = ByteOf(word);
    CFoldedReader reader(m_gazetteer.NameText(name) + start);
    // The typed words against the name's from this one on: each but the
    // last read as the name equal to its word, the last starting its word.
    int whole[QUERY_WORDS_MAX], starts[QUERY_WORDS_MAX];
    bool endsName[QUERY_WORDS_MAX];
    int agreed = 0;
    for (unsigned letter = reader.Next(); agreed < query.wordCount && letter; letter = reader.Next()) {
        const int w = agreed;
        CNameWord nameWord(reader, letter);
        const int most = matching == Matching::WithSlips ? query.slips[w] : 0;
        WordAgreement agreement = most ? AgreeWithSlips(nameWord, query.Word(w), query.Letters(w), most)
                                       : AgreeExactly(nameWord, query.Word(w), query.Letters(w));
        if (agreement.whole == TOO_MANY_EDITS && query.abbreviations[w] >= 0) {
            nameWord.EndsName();
            if (nameWord.Abbreviation() == query.abbreviations[w])
                agreement = {0, 0};
        }
        whole[w] = agreement.whole;
        starts[w] = agreement.start;
        if (starts[w] == TOO_MANY_EDITS)
            break;
        ++agreed;
        // A word equal to the typed one is read to its end.
        endsName[w] = whole[w] != TOO_MANY_EDITS && nameWord.EndsName();
        if (whole[w] == TOO_MANY_EDITS || endsName[w])
            break;
    }
    if (agreed < answers.FewestWords())
        return;
    // The most words the name goes on with, then fewer while the rest name
    // no region or country; never fewer than the best answer so far.
    const int place = m_gazetteer.NamePlace(name);
    const int region = m_gazetteer.PlaceRegion(place);
    int words = agreed;
    for (; words >= answers.FewestWords(); --words) {
        if (words == query.wordCount || RestNamesRegion(query, words, region))
            break;
    }
    if (words < answers.FewestWords())
        return;
    int slips = starts[words - 1];
    for (int w = 0; w < words - 1; ++w)
        slips += whole[w];
    if (matching == Matching::WithSlips && !slips)
        return;  // found without them already
    const bool own = name < m_gazetteer.PlaceCount();
    const bool isWhole = !start && whole[words - 1] != TOO_MANY_EDITS && endsName[words - 1];
    Hit hit;
    hit.place = place;
    hit.name = name;
    hit.own = own;
    hit.words = words;
    hit.word = word;
    const bool home = m_gazetteer.RegionCountry(region) == query.homeCountry;
    const int typed = query.wordStarts[words];
    hit.score = PopulationScore(m_gazetteer.PlacePopulation(place));
    hit.score += own ? OWN_NAME : 0;
    hit.score += isWhole ? (WHOLE_NAME + (own && home ? WHOLE_AT_HOME : 0)) *
                               (typed < WHOLE_FULL_FROM ? typed : WHOLE_FULL_FROM) / WHOLE_FULL_FROM
                         : 0;
    hit.score += home ? query.homeBonus : 0;
    hit.score -= start ? LATER_WORD : 0;
    hit.score -= slips * PER_SLIP;
    answers.Offer(hit);
}

// Whether the typed words after the first words ones name region or its
// country; known from the first place of the region asked about.
bool CPlaceSearch::RestNamesRegion(const Query& query, int words, int region) const
{
    std::unique_ptr<signed char[]>& known = query.restNamesRegion[words - 1];
    if (!known)
        known.reset(new (std::nothrow) signed char[m_gazetteer.RegionCount()]());
    if (known && known[region])
        return known[region] > 0;
    const size_t nameEnd = query.wordEnds[words - 1];
    const size_t queryLength = query.wordEnds[query.wordCount - 1];
    const bool names = NamesRegionOrCountry(region, query.folded + nameEnd + 1, queryLength - nameEnd - 1);
    if (known)
        known[region] = names ? 1 : -1;
    return names;
}

void CPlaceSearch::Search(const Query& query, Matching matching, CAnswers& answers) const
{
    const unsigned* first = query.Word(0);
    const int firstLetters = query.Letters(0);
    const int letterBuckets = static_cast<int>(KeyByte(first[0])) * BYTE_VALUES;
    const int most = matching == Matching::WithSlips ? query.slips[0] : 0;
    const int slipped = matching == Matching::WithSlips ? PER_SLIP : 0;
    // Each bucket heaviest first: done once its words can no longer come in.
    auto isDone = [&](int w) {
        return answers.IsClosedTo(query.wordCount, BestScoreOf(WeightOf(m_words[w]), query.homeBonus) - slipped);
    };
    if (most) {
        // Every word of the first letter whose next three may come within
        // the slips allowed, each triple weighed once.
        CVerdicts verdicts;
        for (int bucket = letterBuckets; bucket < letterBuckets + BYTE_VALUES; ++bucket) {
            const unsigned second = static_cast<unsigned>(bucket % BYTE_VALUES);
            for (int w = m_buckets[bucket]; w < m_buckets[bucket + 1] && !isDone(w); ++w) {
                const unsigned next = m_nextLetters[w];
                if (verdicts.Weigh(second, next,
                                   [&] { return MayComeWithin(first, firstLetters, most, second, next); }))
                    Consider(m_words[w], query, matching, answers);
            }
        }
        return;
    }
    // The first word's bucket, its next letters alike (but for a word that
    // stands for others, which may share the bucket), and the buckets of
    // the words it stands for; a word of one letter starts words of any
    // second letter.
    const bool oneLetter = firstLetters == 1;
    const int from = oneLetter ? letterBuckets : BucketOf(first[0], first[1]);
    const int to = oneLetter ? letterBuckets + BYTE_VALUES : from + 1;
    const int known = query.abbreviations[0] >= 0 ? 0 : firstLetters;
    const unsigned next = NextLetters(known > 2 ? first[2] : 0, known > 3 ? first[3] : 0);
    const unsigned nextMask = known > 3 ? BYTE_VALUES - 1 : known > 2 ? NIBBLE_VALUES - 1 : 0;
    for (int bucket = from; bucket < to; ++bucket) {
        for (int w = m_buckets[bucket]; w < m_buckets[bucket + 1] && !isDone(w); ++w) {
            if ((m_nextLetters[w] & nextMask) == next)
                Consider(m_words[w], query, matching, answers);
        }
    }
    int searched[sizeof ABBREVIATIONS / sizeof ABBREVIATIONS[0]];
    int searchedCount = 0;
    for (const auto& abbreviation : ABBREVIATIONS) {
        const int bucket = BucketOf(static_cast<unsigned char>(abbreviation.word[0]),
                                    static_cast<unsigned char>(abbreviation.word[1]));
        bool seen = bucket >= from && bucket < to;
        for (int i = 0; i < searchedCount; ++i)
            seen |= searched[i] == bucket;
        if (abbreviation.group != query.abbreviations[0] || seen)
            continue;
        searched[searchedCount++] = bucket;
        for (int w = m_buckets[bucket]; w < m_buckets[bucket + 1] && !isDone(w); ++w)
            Consider(m_words[w], query, matching, answers);
    }
}

int CPlaceSearch::Find(const char* text, const char* homeCountry, FoundPlace* found, int most) const
{
    if (!IsReady())
        return 0;
    Query query;
    if (!query.Read(text))
        return 0;
    query.homeCountry = m_gazetteer.CountryIndex(homeCountry);
    if (query.homeCountry >= 0)
        query.homeBonus =
            HOME_COUNTRY +
            (m_countryTops[query.homeCountry] < HOME_TOP_AS ? HOME_TOP_AS - m_countryTops[query.homeCountry] : 0);
    most = most < MAX_FOUND_PLACES ? most : MAX_FOUND_PLACES;
    CAnswers clean(most, nullptr);
    Search(query, Matching::Exactly, clean);
    // Too few: again with slips, for the room left.
    bool maySlip = false;
    for (int w = 0; w < query.wordCount; ++w)
        maySlip |= query.slips[w] > 0;
    CAnswers slipped(most, &clean);
    if (maySlip && slipped.HasRoom())
        Search(query, Matching::WithSlips, slipped);
    int count = 0;
    for (const CAnswers* answers : {&clean, &slipped}) {
        for (int i = 0; i < answers->Count(); ++i) {
            const Hit& hit = (*answers)[i];
            found[count].place = hit.place;
            found[count++].alternate = hit.name >= m_gazetteer.PlaceCount() ? m_gazetteer.NameText(hit.name) : nullptr;
        }
    }
    return count;
}
