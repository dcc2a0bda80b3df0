// The search of the gazetteer by name: every word of every name indexed, and the places a typed text names ranked.
#pragma once

#include "places/Gazetteer.h"

#include <memory>

// At most this many places answer one search.
const int MAX_FOUND_PLACES = 10;

// A place a search found, and the other name it was found by, null when it
// was found by its own ("Dunaj" for Vienna).
struct FoundPlace
{
    int place;
    const char* alternate;
};

class CPlaceSearch
{
public:
    // Indexes the words of every name of gazetteer, which must outlive the
    // search; IsReady tells whether that worked.
    explicit CPlaceSearch(const CGazetteer& gazetteer);
    ~CPlaceSearch();
    CPlaceSearch(const CPlaceSearch&) = delete;
    CPlaceSearch& operator=(const CPlaceSearch&) = delete;

    bool IsReady() const { return m_words != nullptr; }

    // The places a typed text names into found, best first; returns how many
    // (at most most, up to MAX_FOUND_PLACES). A place matches when the folded text starts
    // one of the words of one of its names ("york" finds New York City, "sao
    // paulo" São Paulo, "dunaj" Vienna); st, st., saint, sankt, san and santa
    // stand for each other as words followed by more, as do mt and mount, ft
    // and fort. Words at the end that do not go on the name may name the
    // place's region (its name or code) or country (its English name,
    // another of its names, in Slovenian or short as "uk" and "zda", or its
    // ISO code), then, in that order: "springfield il", "london ontario",
    // "paris tx", "san jose costa rica". The answers that read the most words as the
    // name come first, ranked by one score: the population (its logarithm),
    // more for a match on the place's own name than on another language's,
    // for the name typed whole, for a match from the name's first word and
    // for a place in homeCountry (an ISO code, may be null). When that finds
    // fewer than MAX_FOUND_PLACES, places whose names are typed with a slip
    // follow (a letter added, dropped or changed, or two neighbours swapped,
    // in a word of 4 to 7 letters, two of them from 8; never the first
    // letter): "mairbor" finds Maribor.
    int Find(const char* text, const char* homeCountry, FoundPlace* found, int most = MAX_FOUND_PLACES) const;

private:
    struct Query;
    struct Hit;
    class CAnswers;
    // Whether typed words must be a name's words letter for letter, or may hold slips.
    enum class Matching
    {
        Exactly,
        WithSlips,
    };

    bool IndexWords();
    bool KnowRegionsAndCountries();
    void Search(const Query& query, Matching matching, CAnswers& answers) const;
    void Consider(unsigned word, const Query& query, Matching matching, CAnswers& answers) const;
    bool RestNamesRegion(const Query& query, int words, int region) const;
    bool NamesRegion(int region, const char* text, size_t length) const;
    bool NamesCountry(int country, const char* text, size_t length) const;
    bool NamesRegionOrCountry(int region, const char* text, size_t length) const;

    const CGazetteer& m_gazetteer;
    std::unique_ptr<unsigned[]> m_words;             // every word of every name (its name and byte in it), by bucket
    std::unique_ptr<unsigned char[]> m_nextLetters;  // each word's third and fourth letters, its bucket the first two
    std::unique_ptr<int[]> m_buckets;                // where each bucket of m_words starts, and where the last ends
    std::unique_ptr<char[]> m_folded;                // the regions' and countries' names folded
    std::unique_ptr<const char*[]> m_regionNames;
    std::unique_ptr<const char*[]> m_countryNames;  // each country's English name, then its others
    std::unique_ptr<int[]> m_countryNameStarts;     // where each country's are in m_countryNames, and the end
    std::unique_ptr<char[][3]> m_countryCodes;      // folded
    std::unique_ptr<int[]> m_countryTops;           // the score of each country's largest place
};
