// Tests of the letter folding, the search by name and the guess from country and Windows zone.
#include "places/PlaceSearch.h"
#include "places/LetterFold.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

// "Name, Region, Country", the region left out where there is none; after
// "Alternate / " when found by another name.
std::string Display(const CGazetteer& gazetteer, const FoundPlace& found)
{
    const PlaceView place = gazetteer.Place(found.place);
    std::string text = found.alternate ? std::string(found.alternate) + " / " + place.name : place.name;
    for (const char* part : {place.region, place.country})
        if (*part)
            text = text + ", " + part;
    return text;
}

// The fields of a tab-separated line.
std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    for (size_t start = 0, tab;; start = tab + 1) {
        tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
        if (tab == std::string::npos)
            return fields;
    }
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

TEST(PlaceSearch, FirstAnswers)
{
    const CGazetteer gazetteer;
    const CPlaceSearch search(gazetteer);
    ASSERT_TRUE(search.IsReady());
    const struct
    {
        const char* query;
        const char* home;   // the user's country
        const char* first;  // null: nothing found
        int latitude, longitude;
    } cases[] = {
        {"ljub", "SI", "Ljubljana, Ljubljana, Slovenia", 4605, 1451},     // the user's own country's first
        {"ljub", nullptr, "Ljubljana, Ljubljana, Slovenia", 4605, 1451},  // an own name before another's
        {"mari", "SI", "Maribor, Urban Municipality of Maribor, Slovenia", 4655, 1565},    // home before larger
        {"maribo", "SI", "Maribor, Urban Municipality of Maribor, Slovenia", 4655, 1565},  // and before Maribo whole
        {"par", nullptr, "Paris, Île-de-France, France", 4885, 235},  // not Par, a whole name far smaller
        {"pa", nullptr, "Paris, Île-de-France, France", 4885, 235},   // nor Pa, another's name of Chongqing
        {"ZURICH", nullptr, "Zürich, Zurich, Switzerland", 4737, 855},
        {"lodz", nullptr, "Łódź, Łódź Voivodeship, Poland", 5177, 1947},
        {"sao paulo", nullptr, "São Paulo, São Paulo, Brazil", -2355, -4664},
        {"yor", nullptr, "New York City, New York, United States", 4071, -7401},  // a later word
        {"york", nullptr, "York, England, United Kingdom", 5396, -108},      // whole, before York Berri for New York
        {"dunaj", "SI", "Dunaj / Vienna, Vienna, Austria", 4821, 1637},      // another language's name
        {"москва", nullptr, "Москва / Moscow, Moscow, Russia", 5575, 3762},  // another script
        {"北京", nullptr, "北京 / Beijing, Beijing, China", 3991, 11640},
        {"wien", nullptr, "Wien / Vienna, Vienna, Austria", 4821, 1637},  // whole name before Wiener Neustadt
        {"roma", nullptr, "Roma / Rome, Lazio, Italy", 4189, 1251},       // before Roman
        {"sankt petersburg", nullptr, "Saint Petersburg, St.-Petersburg, Russia", 5994, 3031},  // words for words
        {"saint louis", nullptr, "St. Louis, Missouri, United States", 3863, -9020},
        {"ft worth", nullptr, "Fort Worth, Texas, United States", 3273, -9732},
        {"mt isa", nullptr, "Mount Isa, Queensland, Australia", -2073, 13950},
        {"springfield il", nullptr, "Springfield, Illinois, United States", 3980, -8964},  // region code
        {"springfield, illinois", nullptr, "Springfield, Illinois, United States", 3980, -8964},
        {"paris tx", nullptr, "Paris, Texas, United States", 3366, -9556},
        {"london ontario", nullptr, "London, Ontario, Canada", 4298, -8123},            // region name
        {"ljubljana slovenia", nullptr, "Ljubljana, Ljubljana, Slovenia", 4605, 1451},  // country
        {"san jose costa rica", nullptr, "San José, San José, Costa Rica", 993, -8408},
        {"london", nullptr, "London, England, United Kingdom", 5151, -13},  // the larger, elsewhere
        {"london", "CA", "London, Ontario, Canada", 4298, -8123},
        {"springfield", nullptr, "Springfield, Missouri, United States", 3722, -9330},
        {"kranjska gora", nullptr, "Kranjska Gora, Municipality of Kranjska Gora, Slovenia", 4646, 1378},  // a village
        {"vransko", "SI", "Vransko, Municipality of Vransko, Slovenia", 4624, 1495},
        {"qqqq", nullptr, nullptr, 0, 0},
        {"london qqqq", nullptr, nullptr, 0, 0},  // a qualifier that names nothing
        {" - ", nullptr, nullptr, 0, 0},
    };
    for (const auto& c : cases) {
        FoundPlace found[MAX_FOUND_PLACES];
        int count = search.Find(c.query, c.home, found);
        if (!c.first) {
            EXPECT_EQ(0, count) << c.query << ": " << (count ? Display(gazetteer, found[0]) : "");
            continue;
        }
        ASSERT_GT(count, 0) << c.query;
        EXPECT_EQ(c.first, Display(gazetteer, found[0])) << c.query;
        PlaceView place = gazetteer.Place(found[0].place);
        EXPECT_EQ(c.latitude, place.latitudeHundredths) << c.query;
        EXPECT_EQ(c.longitude, place.longitudeHundredths) << c.query;
    }
}

// Slips: a letter added, dropped, changed or two neighbours swapped, one
// in a word of 4 to 7 letters, two from 8, never the first letter; and
// found with a slip, after every answer found without.
TEST(PlaceSearch, FindsNamesTypedWithSlips)
{
    const CGazetteer gazetteer;
    const CPlaceSearch search(gazetteer);
    const struct
    {
        const char* query;
        const char* place;  // the answer looked for
        int rank;           // its place among the answers, -1: not among them
    } cases[] = {
        {"ljubljanna", "Ljubljana", 0},  // a letter added
        {"ljublana", "Ljubljana", 0},    // dropped
        {"maribar", "Maribor", 0},       // changed
        {"mairbor", "Maribor", 0},       // swapped
        {"zagerb", "Zagreb", 0},
        {"bracelnoa", "Barcelona", 0},     // two in a word of nine letters
        {"mairobr", "Maribor", -1},        // but not in one of seven
        {"aribor", "Maribor", -1},         // nor in the first letter
        {"parsi", "Parsippany", 0},        // found without a slip, before
        {"parsi", "Paris", 1},             // a far larger place found with one
        {"new yrok", "New York City", 0},  // in a later word
    };
    for (const auto& c : cases) {
        FoundPlace found[MAX_FOUND_PLACES];
        const int count = search.Find(c.query, nullptr, found);
        int rank = -1;
        for (int i = count - 1; i >= 0; --i)
            rank = gazetteer.Place(found[i].place).name == std::string(c.place) ? i : rank;
        EXPECT_EQ(c.rank, rank) << c.query << ": " << (count ? Display(gazetteer, found[0]) : "nothing") << " first";
    }
}

// The user's country weighs enough to put its towns first, not so much
// that a foreign capital leaves the list: "par" lists Paris anywhere.
TEST(PlaceSearch, ParListsParisInEveryCountry)
{
    const CGazetteer gazetteer;
    const CPlaceSearch search(gazetteer);
    for (int country = 0; country < gazetteer.CountryCount(); ++country) {
        FoundPlace found[MAX_FOUND_PLACES];
        const int count = search.Find("par", gazetteer.CountryCode(country), found);
        bool listed = false;
        for (int i = 0; i < count; ++i)
            listed |= Display(gazetteer, found[i]) == "Paris, Île-de-France, France";
        EXPECT_TRUE(listed) << gazetteer.CountryCode(country) << ": " << (count ? Display(gazetteer, found[0]) : "")
                            << " first";
    }
}

// The generator's listing of what it put in (tools/places/make_places.py
// writes it beside the build when it runs): every place reads back with its
// names, region, country and coordinates.
TEST(Gazetteer, ReadsBackEveryPlaceTheGeneratorWrote)
{
    const std::string source = __FILE__;
    const std::string path = source.substr(0, source.rfind("places/")) + "build/places-check.tsv";
    std::ifstream check(path);
    if (!check)
        GTEST_SKIP() << path << " is missing: run tools/places/make_places.py to write it";
    CGazetteer gazetteer;
    ASSERT_TRUE(gazetteer.IsReady());
    std::string line;
    int place = 0, names = 0;
    for (; std::getline(check, line) && place < gazetteer.PlaceCount(); ++place) {
        const std::vector<std::string> fields = Fields(line);
        ASSERT_GE(fields.size(), 5u) << path << ": " << line;
        const PlaceView view = gazetteer.Place(place);
        EXPECT_EQ(fields[0], view.name) << place;
        EXPECT_EQ(fields[1], view.region) << place << " " << fields[0];
        EXPECT_EQ(fields[2], view.countryCode) << place << " " << fields[0];
        EXPECT_NEAR(std::stod(fields[3]), view.latitudeHundredths / 100.0, 0.005001) << place << " " << fields[0];
        EXPECT_NEAR(std::stod(fields[4]), view.longitudeHundredths / 100.0, 0.005001) << place << " " << fields[0];
        size_t alternate = 5;
        for (; alternate < fields.size(); ++alternate, ++names) {
            const char* name = gazetteer.Alternate(place, static_cast<int>(alternate - 5));
            ASSERT_TRUE(name) << place << " " << fields[0] << " lacks " << fields[alternate];
            EXPECT_EQ(fields[alternate], name) << place << " " << fields[0];
        }
        EXPECT_FALSE(gazetteer.Alternate(place, static_cast<int>(alternate - 5))) << place << " " << fields[0];
        if (HasFailure())
            return;
    }
    EXPECT_EQ(gazetteer.PlaceCount(), place);
    EXPECT_FALSE(std::getline(check, line)) << "more places listed than read: " << line;
    EXPECT_EQ(gazetteer.NameCount(), place + names);
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
        {"SI", "W. Europe Standard Time", "Ljubljana"},       // a neighbour's zone of the same time
        {"US", "Eastern Standard Time", "New York City"},     // several zones
        {"US", "Pacific Standard Time", "Los Angeles"},
        {"AU", "AUS Eastern Standard Time", "Sydney"},
        {"US", "Central America Standard Time", "Washington"},  // a zone not its own, near: the capital
        {"US", "Tokyo Standard Time", "Tokyo"},                 // a zone far from the country: the zone's city
        {"si", "Pacific Standard Time", "Los Angeles"},         // the largest of the zone's cities
        {"JP", "Central Europe Standard Time", "Budapest"},
        {"XX", "Central Europe Standard Time", nullptr},
        {"", "", nullptr},
    };
    for (const auto& c : cases) {
        int index = gazetteer.Guess(c.country, c.zone);
        std::string got = index < 0 ? "(none)" : gazetteer.Place(index).name;
        EXPECT_EQ(c.place ? c.place : "(none)", got) << c.country << " " << c.zone;
    }
}
