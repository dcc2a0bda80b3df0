// Tests of the letter folding, the search by name and the guess from country and Windows zone.
#include "places/Gazetteer.h"
#include "places/LetterFold.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// "Name, Region, Country", the region left out where there is none.
std::string Display(const CGazetteer& gazetteer, int index)
{
    const PlaceView place = gazetteer.Place(index);
    std::string text = place.name;
    for (const char* part : {place.region, place.country})
        if (*part)
            text = text + ", " + part;
    return text;
}

}  // namespace

// One row per kind of character the folding meets.
TEST(LetterFold, FoldsEveryKindOfLetter)
{
    const struct
    {
        const char* text;
        size_t outSize;
        const char* folded;
    } cases[] = {
        {"LJUBLJANA", 64, "ljubljana"},                                      // ASCII capitals
        {"Zürich São Paulo", 64, "zurich sao paulo"},                        // letters that decompose
        {"Đà Nẵng", 64, "da nang"},                                          // two marks, extended Latin
        {"e\xcc\x81vora", 64, "evora"},                                      // a combining mark on its own
        {"İzmir Iğdır", 64, "izmir igdir"},                                  // dotted capital, dotless small i
        {"Łódź Tromsø Đakovo", 64, "lodz tromso dakovo"},                    // stroked letters
        {"Gießen Ærø Cœur Þórshöfn", 64, "giessen aero coeur thorshofn"},    // letters of two
        {"МОСКВА", 64, "москва"},                                            // Cyrillic capitals
        {"  Saint-Étienne / L'Aquila’s  ", 64, "saint etienne l aquila s"},  // separators
        {"\xff\xc3", 64, "\xff\xc3"},                                        // bytes that are not UTF-8
        {"Gießen", 5, "gie"},                                                // cut at a whole character
    };
    for (const auto& c : cases) {
        char out[64];
        size_t length = FoldForSearch(c.text, out, c.outSize);
        EXPECT_STREQ(c.folded, out) << c.text;
        EXPECT_EQ(strlen(out), length) << c.text;
    }
}

TEST(Gazetteer, FirstAnswers)
{
    CGazetteer gazetteer;
    ASSERT_TRUE(gazetteer.IsReady());
    const struct
    {
        const char* query;
        const char* first;  // null: nothing found
        int latitude, longitude;
    } cases[] = {
        {"ljub", "Ljubljana, Ljubljana, Slovenia", 4605, 1451},
        {"ZURICH", "Zürich, Zurich, Switzerland", 4737, 855},
        {"lodz", "Łódź, Łódź Voivodeship, Poland", 5177, 1947},
        {"sao paulo", "São Paulo, São Paulo, Brazil", -2355, -4664},
        {"york", "New York City, New York, United States", 4071, -7401},       // a later word
        {"london", "London, England, United Kingdom", 5151, -13},              // before London, Ontario
        {"springfield", "Springfield, Missouri, United States", 3722, -9330},  // not its region's largest
        {"paulo sao", nullptr, 0, 0},                                          // words out of order
        {"qqqq", nullptr, 0, 0},
        {" - ", nullptr, 0, 0},
    };
    for (const auto& c : cases) {
        int found[MAX_FOUND_PLACES];
        int count = gazetteer.Find(c.query, found);
        if (!c.first) {
            EXPECT_EQ(0, count) << c.query << ": " << (count ? Display(gazetteer, found[0]) : "");
            continue;
        }
        ASSERT_GT(count, 0) << c.query;
        EXPECT_EQ(c.first, Display(gazetteer, found[0])) << c.query;
        PlaceView place = gazetteer.Place(found[0]);
        EXPECT_EQ(c.latitude, place.latitudeHundredths) << c.query;
        EXPECT_EQ(c.longitude, place.longitudeHundredths) << c.query;
    }
}

TEST(Gazetteer, AtMostTenLargestFirst)
{
    CGazetteer gazetteer;
    int found[MAX_FOUND_PLACES];
    int count = gazetteer.Find("a", found);
    ASSERT_EQ(MAX_FOUND_PLACES, count);
    for (int i = 1; i < count; ++i) {
        EXPECT_GE(gazetteer.Place(found[i - 1]).population, gazetteer.Place(found[i]).population)
            << Display(gazetteer, found[i - 1]) << " before " << Display(gazetteer, found[i]);
    }
}

TEST(Gazetteer, GuessesFromCountryAndWindowsZone)
{
    CGazetteer gazetteer;
    const struct
    {
        const char* country;
        const char* zone;
        const char* place;  // null: none
    } cases[] = {
        {"SI", "Central Europe Standard Time", "Ljubljana"},  // one zone: no mapping needed
        {"si", "Pacific Standard Time", "Ljubljana"},
        {"US", "Eastern Standard Time", "New York City"},  // several zones
        {"US", "Pacific Standard Time", "Los Angeles"},
        {"AU", "AUS Eastern Standard Time", "Sydney"},
        {"US", "Central Europe Standard Time", "Washington, D.C."},  // a zone not its own: the capital
        {"XX", "Central Europe Standard Time", nullptr},
        {"", "", nullptr},
    };
    for (const auto& c : cases) {
        int index = gazetteer.Guess(c.country, c.zone);
        std::string got = index < 0 ? "(none)" : gazetteer.Place(index).name;
        EXPECT_EQ(c.place ? c.place : "(none)", got) << c.country << " " << c.zone;
    }
}
