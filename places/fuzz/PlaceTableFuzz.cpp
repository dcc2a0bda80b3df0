// libFuzzer target: place table files, damaged anywhere (the first byte even) or with sound packing around
// damaged records (odd: seven one-byte counts, the texts' size, then the records), read by the gazetteer.
#include "places/PlaceSearch.h"
#include "tests/FuzzText.h"
#include "tests/PlaceTableFile.h"

namespace {

const size_t COUNT_BYTES = 8;

}  // namespace

// A table is refused or read whole: every place, name and guess answers.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    std::vector<unsigned char> file(data + 1, data + size);
    if (data[0] & 1) {
        if (size < 1 + COUNT_BYTES)
            return 0;
        const uint8_t* count = data + 1;
        const PlaceTableCounts counts = {count[0], count[1], count[2], count[3], count[4], count[5], count[6]};
        const size_t recordsSize = size - 1 - COUNT_BYTES;
        file = PlaceTableFile(counts, data + 1 + COUNT_BYTES, recordsSize,
                              count[7] < recordsSize ? count[7] : recordsSize);
    }
    const CGazetteer gazetteer(DataBytes {file.data(), file.size()});
    Require(gazetteer.IsReady() == (gazetteer.Error() == PlaceTableError::NONE), "ready when no error", "");
    if (!gazetteer.IsReady())
        return 0;
    for (int place = 0; place < gazetteer.PlaceCount(); ++place) {
        const PlaceView view = gazetteer.Place(place);
        Require(view.name && view.region && view.country && view.district, "every text of a place", "");
        for (int which = 0; gazetteer.Alternate(place, which); ++which) {
        }
    }
    const CPlaceSearch search(gazetteer);
    FoundPlace found[MAX_FOUND_PLACES];
    for (const char* text : {"a", "l", "ljubljana si", "ljubljana slovenija", "ljublana"}) {
        const int count = search.Find(text, "SI", found);
        for (int i = 0; i < count; ++i)
            Require(found[i].place >= 0 && found[i].place < gazetteer.PlaceCount(), "a place of the table", text);
    }
    const int guessed = gazetteer.Guess("SI", "Central Europe Standard Time");
    Require(guessed >= -1 && guessed < gazetteer.PlaceCount(), "a guess of the table", "");
    return 0;
}
