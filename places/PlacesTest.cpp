// Tests of the letter folding, the search by name and the guess from country and Windows zone.
#include "places/Gazetteer.h"
#include "places/LetterFold.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

const size_t FOLDED_MAX_TEST = 200;

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

std::string Folded(const char* text)
{
    char folded[FOLDED_MAX_TEST];
    FoldForSearch(text, folded, sizeof folded);
    return folded;
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

TEST(Gazetteer, FirstAnswers)
{
    CGazetteer gazetteer;
    ASSERT_TRUE(gazetteer.IsReady());
    const struct
    {
        const char* query;
        const char* home;   // the user's country
        const char* first;  // null: nothing found
        int latitude, longitude;
    } cases[] = {
        {"ljub", "SI", "Ljubljana, Ljubljana, Slovenia", 4605, 1451},       // the user's own country's first
        {"ljub", nullptr, "Ljublin / Lublin, Lublin, Poland", 5125, 2257},  // else the larger
        {"ZURICH", nullptr, "Zürich, Zurich, Switzerland", 4737, 855},
        {"lodz", nullptr, "Łódź, Łódź Voivodeship, Poland", 5177, 1947},
        {"sao paulo", nullptr, "São Paulo, São Paulo, Brazil", -2355, -4664},
        {"yor", nullptr, "New York City, New York, United States", 4071, -7401},  // a later word
        {"york", nullptr, "York, England, United Kingdom", 5396, -108},           // the whole name first
        {"dunaj", "SI", "Dunaj / Vienna, Vienna, Austria", 4821, 1637},           // another language's name
        {"москва", nullptr, "Москва / Moscow, Moscow, Russia", 5575, 3762},       // another script
        {"北京", nullptr, "北京 / Beijing, Beijing, China", 3991, 11640},
        {"wien", nullptr, "Wien / Vienna, Vienna, Austria", 4821, 1637},  // whole name before Wiener Neustadt
        {"roma", nullptr, "Roma / Rome, Lazio, Italy", 4189, 1251},       // before La Romana
        {"geneva", nullptr, "Geneva / Genève, Geneva, Switzerland", 4620, 615},
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
        int count = gazetteer.Find(c.query, c.home, found);
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

// Names equal to the text first, then larger places; a place once.
TEST(Gazetteer, AtMostTenWholeNamesThenLargerFirst)
{
    CGazetteer gazetteer;
    FoundPlace found[MAX_FOUND_PLACES];
    int count = gazetteer.Find("a", nullptr, found);
    ASSERT_EQ(MAX_FOUND_PLACES, count);
    for (int i = 1; i < count; ++i) {
        const FoundPlace& before = found[i - 1];
        const FoundPlace& after = found[i];
        const bool beforeWhole =
            Folded(before.alternate ? before.alternate : gazetteer.Place(before.place).name) == "a";
        const bool afterWhole = Folded(after.alternate ? after.alternate : gazetteer.Place(after.place).name) == "a";
        EXPECT_TRUE(beforeWhole > afterWhole ||
                    (beforeWhole == afterWhole &&
                     gazetteer.Place(before.place).population >= gazetteer.Place(after.place).population))
            << Display(gazetteer, before) << " before " << Display(gazetteer, after);
        for (int j = 0; j < i; ++j)
            EXPECT_NE(found[j].place, after.place) << Display(gazetteer, after) << " twice";
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
