// Tests of the letter folding, the search by name and the guess from country and Windows zone.
#include "places/PlaceSearch.h"
#include "common/Characters.h"
#include "places/LetterFold.h"
#include "tests/PlaceTableFile.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unordered_map>
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

// The table's places as tools/places/make_places.py lists them (check_lines),
// a line each: name, detail, second-level region, region, country, latitude
// and longitude in hundredths, population, other names, tab-separated.
std::string ReadBackList(const CGazetteer& gazetteer)
{
    std::string list;
    for (int place = 0; place < gazetteer.PlaceCount(); ++place) {
        const PlaceView view = gazetteer.Place(place);
        list += std::string(view.name) + "\t" + std::to_string(static_cast<int>(view.detail)) + "\t" + view.district +
                "\t" + view.region + "\t" + view.countryCode + "\t" + std::to_string(view.latitudeHundredths) + "\t" +
                std::to_string(view.longitudeHundredths) + "\t" + std::to_string(view.population);
        for (int which = 0; const char* name = gazetteer.Alternate(place, which); ++which)
            list += std::string("\t") + name;
        list += "\n";
    }
    return list;
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
        {"abc d", 5, "abc"},                                                 // no room for the space and a letter
    };
    for (const auto& c : cases) {
        // Exactly outSize bytes: a write past them is a fault the sanitizer stops.
        std::vector<char> out(c.outSize);
        size_t length = FoldForSearch(c.text, out.data(), out.size());
        EXPECT_STREQ(c.folded, out.data()) << c.text;
        EXPECT_EQ(strlen(out.data()), length) << c.text;
    }
}

// The index files every word of every name where the search, reading the
// name from there, finds that word, under its first letters.
TEST(LetterFold, IndexFilesEveryWordAsTheSearchReadsIt)
{
    const int KEYS = CWordScanner::KEY_LETTERS;
    const CGazetteer gazetteer;
    ASSERT_TRUE(gazetteer.IsReady());
    std::vector<char> folded;
    for (int name = 0; name < gazetteer.NameCount(); ++name) {
        const char* text = gazetteer.NameText(name);
        folded.resize(strlen(text) + 1);
        FoldForSearch(text, folded.data(), folded.size());
        const unsigned char* word = reinterpret_cast<const unsigned char*>(folded.data());
        CWordScanner scanner(text);
        const char* start = text;
        unsigned keys[KEYS] = {};
        bool same = true;
        for (; *word && same; word += *word == ' ') {
            same = scanner.Next(start, keys);
            // The character it starts at folds to a letter, and from there
            // on the search reads the word.
            size_t length;
            char first[std::size(SMALLEST_OF_LENGTH) + 1] = {};  // the character alone
            DecodeUtf8(reinterpret_cast<const unsigned char*>(start), length);
            memcpy(first, start, same ? length : 0);
            same &= CFoldedReader(first).Next() != 0;
            CFoldedReader fromStart(start);
            int i = 0;
            for (; *word && *word != ' '; word += length, ++i) {
                const unsigned letter = DecodeUtf8(word, length);
                same &= fromStart.Next() == letter && (i >= KEYS || keys[i] == letter);
            }
            same &= fromStart.Next() == *word;
            for (; i < KEYS; ++i)
                same &= !keys[i];
        }
        same = same && !scanner.Next(start, keys);
        if (!same) {
            std::string filed;
            for (unsigned key : keys) {
                char code[16];
                snprintf(code, sizeof code, " U+%04X", key);
                filed += code;
            }
            FAIL() << text << ": the index parts from the search at the word filed at byte " << start - text << " under"
                   << filed;
        }
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
        {"ce", "SI", "Celje, Urban Municipality of Celje, Slovenia", 4623, 1526},  // a small country's towns lead
        {"mari", nullptr, "Mariupol, Donetsk, Ukraine", 4710, 3754},               // not Mari, a whole name far smaller
        {"par", nullptr, "Paris, Île-de-France, France", 4885, 235},               // not Par, a whole name far smaller
        {"pa", nullptr, "Paris, Île-de-France, France", 4885, 235},  // nor Pa, another's name of Chongqing
        {"ZURICH", nullptr, "Zürich, Zurich, Switzerland", 4737, 855},
        {"lodz", nullptr, "Łódź, Łódź Voivodeship, Poland", 5177, 1947},
        {"sao paulo", nullptr, "São Paulo, São Paulo, Brazil", -2355, -4664},
        {"yor", nullptr, "New York City, New York, United States", 4071, -7401},  // a later word
        {"york", nullptr, "York, England, United Kingdom", 5396, -108},      // whole, before York Berri for New York
        {"dunaj", "SI", "Dunaj / Vienna, Vienna, Austria", 4821, 1637},      // another language's name
        {"москва", nullptr, "Москва / Moscow, Moscow, Russia", 5575, 3762},  // another script
        {"北京", nullptr, "北京 / Beijing, Beijing, China", 3991, 11640},
        {"wien", nullptr, "Wien / Vienna, Vienna, Austria", 4821, 1637},  // whole name before Wiener Neustadt
        {"roma", nullptr, "Róma / Rome, Lazio, Italy", 4189, 1251},       // before Roman, in its own letters
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
        {"anah", "IQ", "‘Anah, Anbar, Iraq", 3437, 4198},  // a name opening with a separator, typed whole
        {"qqqq", nullptr, nullptr, 0, 0},
        {"london qqqq", nullptr, nullptr, 0, 0},  // a qualifier that names nothing
        {" - ", nullptr, nullptr, 0, 0},
        // Bytes that are not UTF-8 on either side of a mark join once it
        // folds away: into an apostrophe within one word, no separator.
        {"new\xe2\xcc\x81\x80\x99york", nullptr, nullptr, 0, 0},
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
        {"bracelnoa", "Barcelona", 0},      // two in a word of nine letters
        {"mairobr", "Maribor", -1},         // but not in one of seven
        {"maxrbor", "Maribor", -1},         // two changed beside each other are no swap
        {"aribor", "Maribor", -1},          // nor in the first letter
        {"new tork", "New York City", -1},  // of any word
        {"parsi", "Parsippany", 0},         // found without a slip, before
        {"parsi", "Paris", 1},              // a far larger place found with one
        {"new yrok", "New York City", 0},   // in a later word
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

// No two places read alike in a list of places: where name, region and
// country are the same, the second-level region or the coordinates differ.
TEST(Gazetteer, NoTwoPlacesReadAlike)
{
    CGazetteer gazetteer;
    std::unordered_map<std::string, int> lines;
    for (int place = 0; place < gazetteer.PlaceCount(); ++place) {
        const PlaceView view = gazetteer.Place(place);
        std::string line = Folded(view.name) + ", " + view.district;
        if (view.detail == PlaceDetail::COORDINATES)
            line +=
                " (" + std::to_string(view.latitudeHundredths) + ", " + std::to_string(view.longitudeHundredths) + ")";
        line = line + ", " + view.region + ", " + view.countryCode;
        const auto inserted = lines.emplace(line, place);
        EXPECT_TRUE(inserted.second) << line << ": places " << inserted.first->second << " and " << place;
    }
}

// Every row of the table reads back as the generator wrote it: against the
// CRC-32 of its list kept beside the table (places/PlaceTable.sum), and line
// by line where the generator's list is there (build/places-check.tsv, left
// by tools/places/make_places.py), to name the first row that differs.
TEST(Gazetteer, ReadsBackEveryRowTheGeneratorWrote)
{
    const std::string root = UMBRANT_SOURCE_DIR "/";
    CGazetteer gazetteer;
    ASSERT_TRUE(gazetteer.IsReady()) << PlaceTableErrorText(gazetteer.Error());
    const std::string list = ReadBackList(gazetteer);
    std::ifstream sums(root + "places/PlaceTable.sum");
    size_t rows = 0;
    unsigned long sum = 0;
    ASSERT_TRUE(sums >> rows >> std::hex >> sum) << root << "places/PlaceTable.sum";
    std::ifstream generated(root + "build/places-check.tsv");
    std::string expected;
    for (std::string line; std::getline(generated, line);)
        expected += line + "\n";
    if (!expected.empty() && expected != list) {
        size_t at = 0;
        while (at < list.size() && list[at] == expected[at])
            ++at;
        const size_t lineStart = list.rfind('\n', at) == std::string::npos ? 0 : list.rfind('\n', at) + 1;
        ADD_FAILURE() << "read back: " << list.substr(lineStart, list.find('\n', at) - lineStart)
                      << "\nwritten:   " << expected.substr(lineStart, expected.find('\n', at) - lineStart);
    }
    EXPECT_EQ(rows, static_cast<size_t>(std::count(list.begin(), list.end(), '\n')));
    EXPECT_EQ(sum, crc32(crc32(0, nullptr, 0), reinterpret_cast<const unsigned char*>(list.data()),
                         static_cast<uInt>(list.size())));
}

// One country, region and place with another name, as make_places.py writes
// them, and the counts of the records: the texts, then the numbers.
const PlaceTableCounts SMALL_COUNTS = {1, 1, 1, 1, 1, 0, 0};
const unsigned char SMALL_RECORDS[] = {
    'S',  'l',  'o',  'v',  'e', 'n', 'i', 'a', 0,       // the country
    'S',  'l',  'o',  'v',  'e', 'n', 'i', 'j', 'a', 0,  // its other name
    'C',  'e',  'n',  't',  'e', 'r', 0,   0,            // the region, no code
    'L',  'j',  'u',  'b',  'l', 'j', 'a', 'n', 'a', 0,  // the place
    'L',  'u',  'b',  'i',  'a', 'n', 'a', 0,            // its other name
    'S',  'I',  1,    1,                                 // the country's code, place and other names
    0,                                                   // the region's country
    1,    1,                                             // the place's other names; the region's places
    0xFA, 0x47, 0xD6, 0x16,                              // 4605, 1451 hundredths, zigzagged
    0xC0, 0x8B, 0x11, 0,                                 // 280,000 people; no detail
};
const size_t SMALL_TEXTS = 45;

// The file with delta added to its byte at (a byte more at its end).
std::vector<unsigned char> WithByte(std::vector<unsigned char> file, size_t at, int delta)
{
    if (at == file.size())
        file.push_back(0);
    else
        file[at] = static_cast<unsigned char>(file[at] + delta);
    return file;
}

// Each kind of damage is refused with its own error and nothing read; the
// sound table is read.
TEST(PlaceTable, RefusesEveryKindOfDamage)
{
    const std::vector<unsigned char> sound =
        PlaceTableFile(SMALL_COUNTS, SMALL_RECORDS, sizeof SMALL_RECORDS, SMALL_TEXTS);
    const size_t packedAt = PLACE_TABLE_HEADER_SIZE;
    const size_t unpackedSizeAt = PLACE_TABLE_MAGIC_SIZE + 8 * 4, textsSizeAt = unpackedSizeAt + 4;
    // The records with a zone key whose text does not end, and with a whole
    // key and a guess whose number does not end.
    std::vector<unsigned char> textCut(SMALL_RECORDS, SMALL_RECORDS + sizeof SMALL_RECORDS);
    std::vector<unsigned char> numberCut = textCut;
    textCut.insert(textCut.begin() + SMALL_TEXTS, {'C', 'e', 'n', 't', 'r', 'a', 'l'});
    numberCut.insert(numberCut.begin() + SMALL_TEXTS, {'K', 0});
    numberCut.push_back(0x80);
    PlaceTableCounts oneKey = SMALL_COUNTS, oneGuess = SMALL_COUNTS, twoPlaces = SMALL_COUNTS;
    oneKey.zoneKeys = 1;
    oneGuess.zoneKeys = 1;
    oneGuess.zoneGuesses = 1;
    twoPlaces.places = 2;
    const struct
    {
        const char* damage;
        std::vector<unsigned char> file;
        PlaceTableError error;
    } cases[] = {
        {"none", sound, PlaceTableError::NONE},
        {"no bytes", {}, PlaceTableError::MISSING},
        {"another magic", WithByte(sound, 0, 1), PlaceTableError::WRONG_MAGIC},
        {"another version", WithByte(sound, PLACE_TABLE_MAGIC_SIZE, 1), PlaceTableError::WRONG_VERSION},
        {"only the magic", {sound.begin(), sound.begin() + PLACE_TABLE_MAGIC_SIZE + 4}, PlaceTableError::LENGTH},
        {"cut short", {sound.begin(), sound.end() - 1}, PlaceTableError::LENGTH},
        {"a byte after", WithByte(sound, sound.size(), 0), PlaceTableError::LENGTH},
        {"a packed byte changed", WithByte(sound, packedAt + 3, 1), PlaceTableError::WRONG_CHECKSUM},
        {"a longer unpacked size", WithByte(sound, unpackedSizeAt, 1), PlaceTableError::UNPACKING},
        {"a shorter unpacked size", WithByte(sound, unpackedSizeAt, -1), PlaceTableError::UNPACKING},
        {"texts beyond the records", WithByte(sound, textsSizeAt + 3, 1), PlaceTableError::CONTENTS},
        {"texts that end a byte early", WithByte(sound, textsSizeAt, -1), PlaceTableError::CONTENTS},
        {"a place the records lack", PlaceTableFile(twoPlaces, SMALL_RECORDS, sizeof SMALL_RECORDS, SMALL_TEXTS),
         PlaceTableError::CONTENTS},
        {"a text without its end", PlaceTableFile(oneKey, textCut.data(), textCut.size(), SMALL_TEXTS + 7),
         PlaceTableError::CONTENTS},
        {"a number without its end", PlaceTableFile(oneGuess, numberCut.data(), numberCut.size(), SMALL_TEXTS + 2),
         PlaceTableError::CONTENTS},
    };
    for (const auto& c : cases) {
        // The file in a block of its own size, so that a read past it faults.
        const std::unique_ptr<unsigned char[]> file(new unsigned char[c.file.size() + !c.file.size()]);
        std::copy(c.file.begin(), c.file.end(), file.get());
        const CGazetteer gazetteer(DataBytes {c.file.empty() ? nullptr : file.get(), c.file.size()});
        EXPECT_STREQ(PlaceTableErrorText(c.error), PlaceTableErrorText(gazetteer.Error())) << c.damage;
        EXPECT_EQ(c.error == PlaceTableError::NONE, gazetteer.IsReady()) << c.damage;
        const CPlaceSearch search(gazetteer);
        FoundPlace found[MAX_FOUND_PLACES];
        const int count = search.Find("lubiana", nullptr, found);
        EXPECT_EQ(c.error == PlaceTableError::NONE ? 1 : 0, count) << c.damage;
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
