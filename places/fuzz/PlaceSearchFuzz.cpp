// libFuzzer target: any bytes typed into the place box, searched with and without a home country, and with slips.
#include "common/Characters.h"
#include "places/LetterFold.h"
#include "places/PlaceSearch.h"
#include "tests/FuzzText.h"

namespace {

// Whether name is one of the place's names in other languages.
bool IsAlternateOf(const CGazetteer& gazetteer, int place, const char* name)
{
    for (int which = 0; const char* alternate = gazetteer.Alternate(place, which); ++which) {
        if (alternate == name)
            return true;
    }
    return false;
}

// Whether a word of name starts with letter, folded: a slip never changes
// the first letter, and the words that stand for each other share theirs.
bool HasWordStartingWith(const char* name, unsigned letter)
{
    CFoldedReader reader(name);
    for (unsigned at = reader.Next(), before = ' '; at; before = at, at = reader.Next()) {
        if (before == ' ' && at == letter)
            return true;
    }
    return false;
}

// The first letter of text as the search reads it: folded, then decoded
// (bytes that are not UTF-8 on either side of a mark may join once it
// folds away).
unsigned FirstLetterTyped(const char* text)
{
    // Room for the first letter's bytes, each a piece of its own.
    char folded[16];
    FoldForSearch(text, folded, sizeof folded);
    size_t length;
    return DecodeUtf8(reinterpret_cast<const unsigned char*>(folded), length);
}

}  // namespace

// Every answer is a place of the table, once, the name it was found by is
// one of its own and has a word of the typed first letter, and asked for
// the first answer alone the search gives the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const CGazetteer gazetteer;
    static const CPlaceSearch search(gazetteer);
    Require(search.IsReady(), "the gazetteer unpacks and its words are indexed", "");
    const CFuzzText input(data, size);
    const char* const homes[] = {nullptr, "SI", input.Get()};
    const unsigned first = FirstLetterTyped(input.Get());
    for (const char* home : homes) {
        FoundPlace found[MAX_FOUND_PLACES];
        const int count = search.Find(input.Get(), home, found);
        Require(count >= 0 && count <= MAX_FOUND_PLACES, "at most ten answers", input.Get());
        for (int i = 0; i < count; ++i) {
            Require(found[i].place >= 0 && found[i].place < gazetteer.PlaceCount(), "a place of the table",
                    input.Get());
            Require(!found[i].alternate || IsAlternateOf(gazetteer, found[i].place, found[i].alternate),
                    "found by one of its names", input.Get());
            for (int j = 0; j < i; ++j)
                Require(found[j].place != found[i].place, "a place once", input.Get());
            const char* name = found[i].alternate ? found[i].alternate : gazetteer.Place(found[i].place).name;
            Require(HasWordStartingWith(name, first), "a word of the first letter typed", input.Get());
        }
        FoundPlace alone[1];
        Require(search.Find(input.Get(), home, alone, 1) == (count ? 1 : 0) &&
                    (!count || alone[0].place == found[0].place),
                "the first answer alone is the first of ten", input.Get());
    }
    return 0;
}
