// Tests of the tip's text in both languages, polar days included, with the twilight and the moon.
#include "dial/SunTip.h"

#include <gtest/gtest.h>

namespace {

const SunTipWords ENGLISH = {L"Sunrise",
                             L"Solar noon",
                             L"Sunset",
                             L"Day length",
                             L"Sun altitude",
                             L"Azimuth",
                             L"The sun does not set today",
                             L"The sun does not rise today",
                             L"Sun time",
                             L"min behind the clock",
                             L"min ahead of the clock",
                             L"as the clock",
                             {L"Dawn {}", L"dusk {}", L"No dawn today", L"no dusk today", L"No dawn or dusk today"},
                             {L"Moon",
                              L"{} % lit",
                              L"rises {}",
                              L"sets {}",
                              L"no moonrise today",
                              L"no moonset today",
                              {L"new moon", L"waxing crescent", L"first quarter", L"waxing gibbous", L"full moon",
                               L"waning gibbous", L"last quarter", L"waning crescent"}},
                             L'.'};
const SunTipWords SLOVENIAN = {
    L"Vzhod sonca",
    L"Pravi poldan",
    L"Zahod sonca",
    L"Dol\u017eina dneva",
    L"Vi\u0161ina sonca",
    L"Azimut",
    L"Sonce danes ne zaide",
    L"Sonce danes ne vzide",
    L"Son\u010dni \u010das",
    L"min za uro",
    L"min pred uro",
    L"kot ura",
    {L"Svitanje {}", L"mrak {}", L"Danes ni svitanja", L"danes ni mraka", L"Danes ni svitanja ne mraka"},
    {L"Luna",
     L"osvetljena {} %",
     L"vzide {}",
     L"zaide {}",
     L"danes ne vzide",
     L"danes ne zaide",
     {L"mlaj", L"nara\u0161\u010dajo\u010di srp", L"prvi krajec", L"nara\u0161\u010dajo\u010da izbo\u010dena",
      L"\u0161\u010dip", L"pojemajo\u010da izbo\u010dena", L"zadnji krajec", L"pojemajo\u010di srp"}},
    L','};

double Clock(int hours, int minutes, int seconds)
{
    return hours * 3600 + minutes * 60 + seconds;
}

struct Row
{
    const char* what;
    const SunTipWords& words;
    SunTipFacts facts;
    const wchar_t* expected;
};

TEST(SunTip, LinesInBothLanguages)
{
    const SunTimes june = {Clock(4, 10, 54), Clock(12, 3, 47), Clock(19, 56, 39), Clock(15, 45, 44), true, true};
    const SunTimes polarDay = {Clock(0, 1, 49), Clock(12, 1, 49), Clock(24, 1, 49), Clock(24, 0, 0), false, false};
    const SunTimes polarNight = {Clock(-1, 58, 3), Clock(11, 58, 3), Clock(23, 58, 3), 0, false, false};
    // The last day of a polar day: it sets after midnight, in the next day;
    // the first: it rises after midnight and stays up.
    const SunTimes lastDay = {Clock(0, 9, 2), Clock(12, 9, 2), Clock(24, 7, 51), Clock(23, 58, 49), false, true};
    const SunTimes firstDay = {Clock(1, 4, 35), Clock(12, 50, 40), Clock(24, 50, 40), Clock(23, 46, 5), true, false};
    // Civil twilight: both, all night light or dark, only a dusk (after
    // midnight) or only a dawn; the moon's rise and set, either or none.
    const SunTimes civil = {Clock(3, 28, 10), 0, Clock(20, 38, 0), 0, true, true};
    const SunTimes noTwilight = {0, 0, 0, 0, false, false};
    const SunTimes noonTwilight = {Clock(9, 31, 0), 0, Clock(13, 53, 0), 0, true, true};
    const SunTimes duskOnly = {0, 0, Clock(24, 50, 0), 0, false, true};
    const SunTimes dawnOnly = {Clock(0, 12, 0), 0, 0, 0, true, false};
    const MoonTimes bothMoon = {Clock(15, 40, 10), Clock(3, 12, 0), true, true};
    const MoonTimes setOnly = {0, Clock(11, 0, 12), false, true};
    const MoonTimes riseOnly = {Clock(22, 5, 0), 0, true, false};
    const MoonTimes noMoon = {0, 0, false, false};
    const Row rows[] = {
        {"a named place",
         ENGLISH,
         {L"Ljubljana", 46.05, 14.51, june, 23.44, 145.26, Clock(11, 48, 20), Clock(11, 59, 40), civil, bothMoon,
          WAXING_GIBBOUS, 0.78},
         L"Ljubljana\r\nSunrise: 4:11\r\nSolar noon: 12:04\r\nSunset: 19:57\r\nDay length: 15:46\r\n"
         L"Dawn 3:28, dusk 20:38\r\n"
         L"Sun altitude: 23.4\u00b0\r\nAzimuth: 145.3\u00b0\r\nSun time: 11:48 (12 min behind the clock)\r\n"
         L"Moon: waxing gibbous, 78 % lit; rises 15:40, sets 3:12"},
        {"the place by its numbers, decimal commas",
         SLOVENIAN,
         {nullptr, 46.05, 14.51, june, -3.27, 64.04, Clock(13, 5, 0), Clock(12, 57, 0), civil, setOnly, FULL_MOON,
          0.996},
         L"46,05\u00b0; 14,51\u00b0\r\nVzhod sonca: 4:11\r\nPravi poldan: 12:04\r\nZahod sonca: 19:57\r\n"
         L"Dol\u017eina dneva: 15:46\r\nSvitanje 3:28, mrak 20:38\r\nVi\u0161ina sonca: -3,3\u00b0\r\n"
         L"Azimut: 64,0\u00b0\r\nSon\u010dni \u010das: 13:05 (8 min pred uro)\r\n"
         L"Luna: \u0161\u010dip, osvetljena 100 %; danes ne vzide, zaide 11:00"},
        {"polar day",
         ENGLISH,
         {L"", 69.65, -18.96, polarDay, 43.7, 180.04, Clock(23, 58, 0), Clock(0, 30, 0), noTwilight, riseOnly, NEW_MOON,
          0.004},
         L"69.65\u00b0, -18.96\u00b0\r\nThe sun does not rise today\r\nSolar noon: 12:02\r\nThe sun does not set "
         L"today\r\nDay length: 24:00\r\nNo dawn or dusk today\r\n"
         L"Sun altitude: 43.7\u00b0\r\nAzimuth: 180.0\u00b0\r\nSun time: 23:58 (32 min behind the clock)\r\n"
         L"Moon: new moon, 0 % lit; rises 22:05, no moonset today"},
        {"polar night",
         SLOVENIAN,
         {L"Troll", -72.01, 2.53, polarNight, -12.345, 359.97, Clock(3, 0, 10), Clock(2, 59, 55), noonTwilight, noMoon,
          LAST_QUARTER, 0.5},
         L"Troll\r\nSonce danes ne vzide\r\nPravi poldan: 11:58\r\nSonce danes ne zaide\r\nDol\u017eina dneva: 0:00\r\n"
         L"Svitanje 9:31, mrak 13:53\r\n"
         L"Vi\u0161ina sonca: -12,3\u00b0\r\nAzimut: 0,0\u00b0\r\nSon\u010dni \u010das: 3:00 (kot ura)\r\n"
         L"Luna: zadnji krajec, osvetljena 50 %; danes ne vzide, danes ne zaide"},
        {"a set after midnight",
         ENGLISH,
         {L"", -68.004, -0.004, lastDay, -0.04, 182.5, Clock(0, 10, 0), Clock(23, 40, 0), duskOnly, bothMoon,
          WANING_CRESCENT, 0.123},
         L"-68.00\u00b0, 0.00\u00b0\r\nThe sun does not rise today\r\nSolar noon: 12:09\r\nSunset: 0:08\r\n"
         L"Day length: 23:59\r\nNo dawn today, dusk 0:50\r\nSun altitude: 0.0\u00b0\r\nAzimuth: 182.5\u00b0\r\n"
         L"Sun time: 0:10 (30 min ahead of the clock)\r\nMoon: waning crescent, 12 % lit; rises 15:40, sets 3:12"},
        {"a rise that is followed by no set",
         SLOVENIAN,
         {L"Troms\u00f8", 69.65, 18.96, firstDay, 1.04, 20.0, Clock(11, 20, 0), Clock(11, 25, 0), dawnOnly, riseOnly,
          WAXING_CRESCENT, 0.2},
         L"Troms\u00f8\r\nVzhod sonca: 1:05\r\nPravi poldan: 12:51\r\nSonce danes ne zaide\r\n"
         L"Dol\u017eina dneva: 23:46\r\nSvitanje 0:12, danes ni mraka\r\nVi\u0161ina sonca: 1,0\u00b0\r\n"
         L"Azimut: 20,0\u00b0\r\nSon\u010dni \u010das: 11:20 (5 min za uro)\r\n"
         L"Luna: nara\u0161\u010dajo\u010di srp, osvetljena 20 %; vzide 22:05, danes ne zaide"},
    };
    for (const Row& row : rows) {
        wchar_t text[SUN_TIP_MAX];
        FormatSunTip(row.words, row.facts, text);
        EXPECT_STREQ(text, row.expected) << row.what;
    }
}

}  // namespace
