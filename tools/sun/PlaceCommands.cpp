// umbrant-sun's place commands: the gazetteer's matches for a text, and the guess for a country and Windows zone.
//   umbrant-sun --find TEXT [--country CC]   at most ten places, best first (none: status 1), those of CC (the user's
//                                           country, status 2 for one the gazetteer does not know) before others
//   umbrant-sun --guess COUNTRY ZONE         ISO country code, Windows time-zone key name
// One place a line: name, country code, latitude, longitude (degrees), population, region, and for --find the name
// it was found by when that is not its own (in its own letters; empty otherwise), tab-separated, in UTF-8.
#include "tools/sun/PlaceCommands.h"

#include "places/PlaceSearch.h"
#include "tools/options/CommandOptions.h"

#include <cstdio>
#include <cstring>

namespace {

void PrintPlace(const CGazetteer& gazetteer, const FoundPlace& found)
{
    PlaceView place = gazetteer.Place(found.place);
    char latitude[HUNDREDTHS_TEXT_SIZE], longitude[HUNDREDTHS_TEXT_SIZE];
    FormatHundredths(place.latitudeHundredths, latitude);
    FormatHundredths(place.longitudeHundredths, longitude);
    printf("%s\t%s\t%s\t%s\t%lu\t%s\t%s\n", place.name, place.countryCode, latitude, longitude, place.population,
           place.region, found.alternate ? found.alternate : "");
}

}  // namespace

int RunPlaceCommand(int argc, char** argv)
{
    bool find = (argc == 3 || (argc == 5 && !strcmp(argv[3], "--country"))) && !strcmp(argv[1], "--find");
    bool guess = argc == 4 && !strcmp(argv[1], "--guess");
    if (!find && !guess) {
        if (argc < 2 || (strcmp(argv[1], "--find") && strcmp(argv[1], "--guess")))
            return -1;
        fprintf(stderr, "umbrant-sun: usage: --find TEXT [--country CC] | --guess COUNTRY ZONE\n");
        return 2;
    }
    CGazetteer gazetteer;
    if (!gazetteer.IsReady()) {
        fprintf(stderr, "umbrant-sun: %s\n", PlaceTableErrorText(gazetteer.Error()));
        return 1;
    }
    const char* country = argc == 5 ? argv[4] : nullptr;
    if (find && country && !gazetteer.KnowsCountry(country)) {
        char shown[SHOWN_ARGUMENT_MAX];
        ShowArgument(country, shown);
        fprintf(stderr, "umbrant-sun: --country must be the ISO code of a country: %s\n", shown);
        return 2;
    }
    if (guess) {
        int place = gazetteer.Guess(argv[2], argv[3]);
        if (place < 0) {
            char shown[SHOWN_ARGUMENT_MAX];
            ShowArgument(argv[2], shown);
            fprintf(stderr, "umbrant-sun: no place known for country %s\n", shown);
            return 1;
        }
        PrintPlace(gazetteer, {place, nullptr});
        return 0;
    }
    const CPlaceSearch search(gazetteer);
    FoundPlace found[MAX_FOUND_PLACES];
    int count = search.Find(argv[2], country, found);
    if (count == 0) {
        char shown[SHOWN_ARGUMENT_MAX];
        ShowArgument(argv[2], shown);
        fprintf(stderr, "umbrant-sun: no place found for %s\n", shown);
        return 1;
    }
    for (int i = 0; i < count; ++i)
        PrintPlace(gazetteer, found[i]);
    return 0;
}
