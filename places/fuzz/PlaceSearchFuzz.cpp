// libFuzzer target: any bytes typed into the place box, searched with and without a home country.
#include "places/Gazetteer.h"
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

}  // namespace

// Every answer is a place of the table, once, and the name it was found by
// is one of its own.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const CGazetteer gazetteer;
    Require(gazetteer.IsReady(), "the gazetteer unpacks", "");
    const CFuzzText input(data, size);
    const char* const homes[] = {nullptr, "SI", input.Get()};
    for (const char* home : homes) {
        FoundPlace found[MAX_FOUND_PLACES];
        const int count = gazetteer.Find(input.Get(), home, found);
        Require(count >= 0 && count <= MAX_FOUND_PLACES, "at most ten answers", input.Get());
        for (int i = 0; i < count; ++i) {
            Require(found[i].place >= 0 && found[i].place < gazetteer.PlaceCount(), "a place of the table",
                    input.Get());
            Require(!found[i].alternate || IsAlternateOf(gazetteer, found[i].place, found[i].alternate),
                    "found by one of its names", input.Get());
            for (int j = 0; j < i; ++j)
                Require(found[j].place != found[i].place, "a place once", input.Get());
        }
    }
    return 0;
}
