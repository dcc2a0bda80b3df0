// The tuning sets' figures kept above a floor a little under their goals: each country's ten largest places typed
// by a user there, the world's thousand largest typed with no country.
#include "places/SearchSets.h"

#include <gtest/gtest.h>

namespace {

// Places of each set first by the fourth letter typed, at the least
// (the goals: 85 % and 75 %).
const double COUNTRIES_FLOOR = 0.83;
const double WORLD_FLOOR = 0.73;

}  // namespace

TEST(SearchSets, MostPlacesAreFirstByTheFourthLetterAndEveryOneTypedWhole)
{
    const CGazetteer gazetteer;
    const CPlaceSearch search(gazetteer);
    ASSERT_TRUE(search.IsReady());
    const struct
    {
        const char* file;
        SetTypist typist;
        double floor;
    } sets[] = {
        {"countries.tsv", SetTypist::InItsCountry, COUNTRIES_FLOOR},
        {"world.tsv", SetTypist::Nowhere, WORLD_FLOOR},
    };
    for (const auto& set : sets) {
        const SearchSetFigures figures = MeasureSearchSet(gazetteer, search, set.file, set.typist);
        ASSERT_GT(figures.places, 0) << set.file << " is missing";
        EXPECT_GE(figures.firstByFourth, set.floor) << set.file;
        EXPECT_TRUE(figures.unresolved.empty()) << set.file << ": " << figures.unresolved.size()
                                                << " lines no place answers to, first " << figures.unresolved[0];
        for (const std::string& miss : figures.notFirstWhole)
            ADD_FAILURE() << set.file << ": not first typed whole: " << miss;
    }
}
