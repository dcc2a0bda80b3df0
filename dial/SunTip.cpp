// The text of the tip over the dial: the place, the day's sun, the sun now and the moon.
#include "dial/SunTip.h"

#include "common/Calendar.h"

#include <cmath>

namespace {

const int MINUTES_PER_HALF_DAY = MINUTES_PER_DAY / 2;
const double FULL_TURN = 360;  // an azimuth that rounds to it is 0
const int PLACE_DECIMALS = 2;  // a hundredth of a degree, as Settings takes the place
const int SUN_DECIMALS = 1;
const wchar_t DEGREE_SIGN[] = L"\u00b0";
const wchar_t LABEL_END[] = L": ";
const wchar_t LINE_BREAK[] = L"\r\n";
const wchar_t LIST_SEPARATOR[] = L", ";
const wchar_t CLAUSE_SEPARATOR[] = L"; ";
const std::wstring_view PLACEHOLDER = L"{}";  // in a word, where its time or number goes
const int PERCENT = 100;

// The text under construction; it never runs past SUN_TIP_MAX.
class TipWriter
{
public:
    explicit TipWriter(wchar_t* text) : text_(text) { text_[0] = 0; }

    void Add(std::wstring_view s)
    {
        for (size_t i = 0; i < s.size() && length_ < SUN_TIP_MAX - 1; ++i)
            text_[length_++] = s[i];
        text_[length_] = 0;
    }

    // A whole number of at least digits digits.
    void AddWhole(long n, int digits)
    {
        wchar_t reversed[24];
        int count = 0;
        do {
            reversed[count++] = static_cast<wchar_t>(L'0' + n % 10);
            n /= 10;
        } while (n > 0 || count < digits);
        while (count > 0)
            Add(std::wstring_view(&reversed[--count], 1));
    }

    // scaled / 10^decimals with that many decimals.
    void AddFixed(long scaled, int decimals, wchar_t decimalSign)
    {
        if (scaled < 0)
            Add(L"-");
        long magnitude = labs(scaled), unit = lround(pow(10, decimals));
        AddWhole(magnitude / unit, 1);
        Add(std::wstring_view(&decimalSign, 1));
        AddWhole(magnitude % unit, decimals);
    }

    // H:MM for a count of minutes.
    void AddClock(long minutes)
    {
        AddWhole(minutes / MINUTES_PER_HOUR, 1);
        Add(L":");
        AddWhole(minutes % MINUTES_PER_HOUR, 2);
    }

    // A line with no label starts with its text.
    void StartLine(std::wstring_view label)
    {
        if (length_ > 0)
            Add(LINE_BREAK);
        if (!label.empty()) {
            Add(label);
            Add(LABEL_END);
        }
    }

private:
    wchar_t* text_;
    int length_ = 0;
};

long Scaled(double value, int decimals)
{
    return lround(value * pow(10, decimals));
}

// Minutes after midnight on the 24-hour clock, to the nearest minute.
long ClockMinutes(double seconds)
{
    long minutes = lround(seconds / SECONDS_PER_MINUTE);
    return (minutes % MINUTES_PER_DAY + MINUTES_PER_DAY) % MINUTES_PER_DAY;
}

void AddDegrees(TipWriter& tip, long scaled, int decimals, wchar_t decimalSign)
{
    tip.AddFixed(scaled, decimals, decimalSign);
    tip.Add(DEGREE_SIGN);
}

// "Label: H:MM" for a sunrise or sunset the day has, else the line that
// says it has none.
void AddEvent(TipWriter& tip, bool happens, std::wstring_view label, double seconds, std::wstring_view none)
{
    if (!happens) {
        tip.StartLine({});
        tip.Add(none);
        return;
    }
    tip.StartLine(label);
    tip.AddClock(ClockMinutes(seconds));
}

// The word with what add writes in place of its placeholder.
template <typename Add> void AddInto(TipWriter& tip, std::wstring_view word, Add add)
{
    const size_t at = word.find(PLACEHOLDER);
    tip.Add(word.substr(0, at));
    if (at == std::wstring_view::npos)
        return;
    add();
    tip.Add(word.substr(at + PLACEHOLDER.size()));
}

// The word with the time of an event the day has, else the words that say
// it has none.
void AddTime(TipWriter& tip, bool happens, std::wstring_view word, double seconds, std::wstring_view none)
{
    if (happens)
        AddInto(tip, word, [&] { tip.AddClock(ClockMinutes(seconds)); });
    else
        tip.Add(none);
}

void AddTwilight(TipWriter& tip, const TwilightWords& words, const SunTimes& civil)
{
    tip.StartLine({});
    if (!civil.hasSunrise && !civil.hasSunset) {
        tip.Add(words.none);
        return;
    }
    AddTime(tip, civil.hasSunrise, words.dawn, civil.sunrise, words.noDawn);
    tip.Add(LIST_SEPARATOR);
    AddTime(tip, civil.hasSunset, words.dusk, civil.sunset, words.noDusk);
}

void AddMoon(TipWriter& tip, const MoonWords& words, const SunTipFacts& facts)
{
    tip.StartLine(words.moon);
    tip.Add(words.phases[facts.moonPhase]);
    tip.Add(LIST_SEPARATOR);
    AddInto(tip, words.lit, [&] { tip.AddWhole(lround(facts.moonFraction * PERCENT), 1); });
    tip.Add(CLAUSE_SEPARATOR);
    const MoonTimes& times = facts.moonTimes;
    AddTime(tip, times.hasRise, words.rises, times.rise, words.noRise);
    tip.Add(LIST_SEPARATOR);
    AddTime(tip, times.hasSet, words.sets, times.set, words.noSet);
}

}  // namespace

void FormatSunTip(const SunTipWords& words, const SunTipFacts& facts, wchar_t* text)
{
    TipWriter tip(text);
    if (facts.placeName && facts.placeName[0]) {
        tip.Add(facts.placeName);
    } else {
        AddDegrees(tip, Scaled(facts.latitude, PLACE_DECIMALS), PLACE_DECIMALS, words.decimalSign);
        // A list of numbers with decimal commas takes semicolons.
        tip.Add(words.decimalSign == L',' ? CLAUSE_SEPARATOR : LIST_SEPARATOR);
        AddDegrees(tip, Scaled(facts.longitude, PLACE_DECIMALS), PLACE_DECIMALS, words.decimalSign);
    }

    const SunTimes& times = facts.times;
    AddEvent(tip, times.hasSunrise, words.sunrise, times.sunrise, words.noSunrise);
    tip.StartLine(words.solarNoon);
    tip.AddClock(ClockMinutes(times.noon));
    AddEvent(tip, times.hasSunset, words.sunset, times.sunset, words.noSunset);
    tip.StartLine(words.dayLength);
    tip.AddClock(lround(times.dayLength / SECONDS_PER_MINUTE));
    AddTwilight(tip, words.twilight, facts.civil);

    tip.StartLine(words.sunAltitude);
    AddDegrees(tip, Scaled(facts.altitude, SUN_DECIMALS), SUN_DECIMALS, words.decimalSign);
    tip.StartLine(words.azimuth);
    AddDegrees(tip, Scaled(facts.azimuth, SUN_DECIMALS) % Scaled(FULL_TURN, SUN_DECIMALS), SUN_DECIMALS,
               words.decimalSign);

    // Both times to the minute, so that the difference is the one they show;
    // the nearer way round midnight.
    const long sunMinutes = ClockMinutes(facts.sunTime);
    long ahead = ClockMinutes(facts.clockTime) - sunMinutes;
    if (ahead > MINUTES_PER_HALF_DAY)
        ahead -= MINUTES_PER_DAY;
    else if (ahead < -MINUTES_PER_HALF_DAY)
        ahead += MINUTES_PER_DAY;
    tip.StartLine(words.sunTime);
    tip.AddClock(sunMinutes);
    tip.Add(L" (");
    if (ahead != 0) {
        tip.AddWhole(labs(ahead), 1);
        tip.Add(L" ");
    }
    tip.Add(ahead > 0 ? words.behindClock : ahead < 0 ? words.aheadOfClock : words.withClock);
    tip.Add(L")");
    AddMoon(tip, words.moon, facts);
}
