// Figures of the search on the sets it is tuned on: each name typed letter by letter, by a user in its country or
// nowhere.
#include "places/SearchSets.h"

#include "common/Characters.h"
#include "places/LetterFold.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <unordered_map>

namespace {

// The letters by which a place should be first.
const int FIRST_BY = 4;
// Hundredths of a degree a set's coordinates may be off the table's (both rounded).
const int COORDINATE_SLACK = 1;
const size_t FOLDED_SIZE = 256;

std::string Folded(const char* text)
{
    char folded[FOLDED_SIZE];
    FoldForSearch(text, folded, sizeof folded);
    return folded;
}

// The table's places by country and coordinates.
class CPlaceIndex
{
public:
    explicit CPlaceIndex(const CGazetteer& gazetteer) : m_gazetteer(gazetteer)
    {
        for (int p = 0; p < gazetteer.PlaceCount(); ++p) {
            const PlaceView place = gazetteer.Place(p);
            m_places[Key(place.countryCode, place.latitudeHundredths, place.longitudeHundredths)].push_back(p);
        }
    }

    // The place of country at about latitude and longitude named name (by
    // any of its names), else the largest there; -1 for none.
    int Find(const std::string& name, const std::string& country, int latitude, int longitude) const
    {
        const std::string folded = Folded(name.c_str());
        int best = -1;
        bool bestNamed = false;
        for (int dLat = -COORDINATE_SLACK; dLat <= COORDINATE_SLACK; ++dLat) {
            for (int dLon = -COORDINATE_SLACK; dLon <= COORDINATE_SLACK; ++dLon) {
                const auto at = m_places.find(Key(country.c_str(), latitude + dLat, longitude + dLon));
                if (at == m_places.end())
                    continue;
                for (int p : at->second) {
                    const bool named = IsNamed(p, folded);
                    if (best < 0 || named > bestNamed ||
                        (named == bestNamed && m_gazetteer.Place(p).population > m_gazetteer.Place(best).population)) {
                        best = p;
                        bestNamed = named;
                    }
                }
            }
        }
        return best;
    }

private:
    static std::string Key(const char* country, int latitude, int longitude)
    {
        return std::string(country) + " " + std::to_string(latitude) + " " + std::to_string(longitude);
    }

    bool IsNamed(int place, const std::string& folded) const
    {
        if (Folded(m_gazetteer.Place(place).name) == folded)
            return true;
        for (int a = 0; const char* alternate = m_gazetteer.Alternate(place, a); ++a) {
            if (Folded(alternate) == folded)
                return true;
        }
        return false;
    }

    const CGazetteer& m_gazetteer;
    std::unordered_map<std::string, std::vector<int>> m_places;
};

int Hundredths(const std::string& degrees)
{
    return static_cast<int>(std::lround(std::strtod(degrees.c_str(), nullptr) * HUNDREDTHS_PER_DEGREE));
}

// Where each character of name ends, in bytes.
std::vector<size_t> CharacterEnds(const std::string& name)
{
    std::vector<size_t> ends;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(name.c_str());
    for (size_t at = 0; at < name.size();) {
        size_t length;
        DecodeUtf8(bytes + at, length);
        at += length;
        ends.push_back(at);
    }
    return ends;
}

}  // namespace

SearchSetFigures MeasureSearchSet(const CGazetteer& gazetteer, const CPlaceSearch& search, const char* file,
                                  SetTypist typist)
{
    const std::string path = std::string(UMBRANT_SOURCE_DIR "/places/tuning/") + file;
    const CPlaceIndex index(gazetteer);
    SearchSetFigures figures;
    std::ifstream set(path);
    int firstByFourth = 0;
    double lettersTyped = 0;
    for (std::string line; std::getline(set, line);) {
        // Name, country, latitude, longitude, population.
        std::istringstream fields(line);
        std::string name, country, latitude, longitude;
        if (!std::getline(fields, name, '\t') || !std::getline(fields, country, '\t') ||
            !std::getline(fields, latitude, '\t') || !std::getline(fields, longitude, '\t'))
            continue;
        ++figures.places;
        const int target = index.Find(name, country, Hundredths(latitude), Hundredths(longitude));
        if (target < 0) {
            figures.unresolved.push_back(line);
            lettersTyped += 1;
            continue;
        }
        const std::vector<size_t> ends = CharacterEnds(name);
        // Typed from the whole name back: the fewest letters from which on it is first.
        size_t firstFrom = ends.size() + 1;
        for (size_t letters = ends.size(); letters > 0; --letters) {
            // The first answer alone: the search then looks no further.
            FoundPlace found[1];
            const std::string typed = name.substr(0, ends[letters - 1]);
            const int count =
                search.Find(typed.c_str(), typist == SetTypist::InItsCountry ? country.c_str() : nullptr, found, 1);
            if (count > 0 && found[0].place == target) {
                firstFrom = letters;
                continue;
            }
            // Not first typed whole: a fault unless a larger place bears the name.
            const char* firstName =
                count ? (found[0].alternate ? found[0].alternate : gazetteer.Place(found[0].place).name) : "";
            const bool larger = count && Folded(firstName) == Folded(name.c_str()) &&
                                gazetteer.Place(found[0].place).population >= gazetteer.Place(target).population;
            if (letters == ends.size() && !larger)
                figures.notFirstWhole.push_back(name + " (" + country + "): " + (count ? firstName : "nothing"));
            break;
        }
        firstByFourth += firstFrom <= static_cast<size_t>(FIRST_BY);
        lettersTyped += firstFrom > ends.size() ? 1.0 : static_cast<double>(firstFrom) / ends.size();
    }
    if (figures.places) {
        figures.firstByFourth = static_cast<double>(firstByFourth) / figures.places;
        figures.lettersTyped = lettersTyped / figures.places;
    }
    return figures;
}
