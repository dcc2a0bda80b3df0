// Figures of the search on the sets it is tuned on (places/tuning/): each name typed letter by letter.
#pragma once

#include "places/PlaceSearch.h"

#include <string>
#include <vector>

// Who types a set's names: a user in each place's own country, or one the
// search knows no country of.
enum class SetTypist
{
    InItsCountry,
    Nowhere,
};

struct SearchSetFigures
{
    int places = 0;
    std::vector<std::string> unresolved;  // lines of the set no place of the table answers to
    // The share of places first by the fourth letter typed (or the whole
    // name, when shorter) and first for every letter after it.
    double firstByFourth = 0;
    // The mean share of a name's letters typed when it is first for good
    // (all of them for one never first).
    double lettersTyped = 0;
    // "typed: first found" for names not first when typed whole, but where
    // a larger place bears the name.
    std::vector<std::string> notFirstWhole;
};

// Types each name of the set in file (a path below places/tuning/) letter
// by letter into search, over gazetteer.
SearchSetFigures MeasureSearchSet(const CGazetteer& gazetteer, const CPlaceSearch& search, const char* file,
                                  SetTypist typist);
