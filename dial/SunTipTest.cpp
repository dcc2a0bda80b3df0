// Tests of the tip's text in both languages, polar days included.
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
                             L'.'};
const SunTipWords SLOVENIAN = {L"Vzhod sonca",
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
    const Row rows[] = {
        {"a named place",
         ENGLISH,
         {L"Ljubljana", 46.05, 14.51, june, 23.44, 145.26, Clock(11, 48, 20), Clock(11, 59, 40)},
         L"Ljubljana\r\nSunrise: 4:11\r\nSolar noon: 12:04\r\nSunset: 19:57\r\nDay length: 15:46\r\n"
         L"Sun altitude: 23.4\u00b0\r\nAzimuth: 145.3\u00b0\r\nSun time: 11:48 (12 min behind the clock)"},
        {"the place by its numbers, decimal commas",
         SLOVENIAN,
         {nullptr, 46.05, 14.51, june, -3.27, 64.04, Clock(13, 5, 0), Clock(12, 57, 0)},
         L"46,05\u00b0; 14,51\u00b0\r\nVzhod sonca: 4:11\r\nPravi poldan: 12:04\r\nZahod sonca: 19:57\r\n"
         L"Dol\u017eina dneva: 15:46\r\nVi\u0161ina sonca: -3,3\u00b0\r\nAzimut: 64,0\u00b0\r\n"
         L"Son\u010dni \u010das: 13:05 (8 min pred uro)"},
        {"polar day",
         ENGLISH,
         {L"", 69.65, -18.96, polarDay, 43.7, 180.04, Clock(23, 58, 0), Clock(0, 30, 0)},
         L"69.65\u00b0, -18.96\u00b0\r\nThe sun does not rise today\r\nSolar noon: 12:02\r\nThe sun does not set "
         L"today\r\nDay length: 24:00\r\n"
         L"Sun altitude: 43.7\u00b0\r\nAzimuth: 180.0\u00b0\r\nSun time: 23:58 (32 min behind the clock)"},
        {"polar night",
         SLOVENIAN,
         {L"Troll", -72.01, 2.53, polarNight, -12.345, 359.97, Clock(3, 0, 10), Clock(2, 59, 55)},
         L"Troll\r\nSonce danes ne vzide\r\nPravi poldan: 11:58\r\nSonce danes ne zaide\r\nDol\u017eina dneva: 0:00\r\n"
         L"Vi\u0161ina sonca: -12,3\u00b0\r\nAzimut: 0,0\u00b0\r\nSon\u010dni \u010das: 3:00 (kot ura)"},
        {"a set after midnight",
         ENGLISH,
         {L"", -68.004, -0.004, lastDay, -0.04, 182.5, Clock(0, 10, 0), Clock(23, 40, 0)},
         L"-68.00\u00b0, 0.00\u00b0\r\nThe sun does not rise today\r\nSolar noon: 12:09\r\nSunset: 0:08\r\n"
         L"Day length: 23:59\r\nSun altitude: 0.0\u00b0\r\nAzimuth: 182.5\u00b0\r\n"
         L"Sun time: 0:10 (30 min ahead of the clock)"},
        {"a rise that is followed by no set",
         SLOVENIAN,
         {L"Troms\u00f8", 69.65, 18.96, firstDay, 1.04, 20.0, Clock(11, 20, 0), Clock(11, 25, 0)},
         L"Troms\u00f8\r\nVzhod sonca: 1:05\r\nPravi poldan: 12:51\r\nSonce danes ne zaide\r\n"
         L"Dol\u017eina dneva: 23:46\r\nVi\u0161ina sonca: 1,0\u00b0\r\nAzimut: 20,0\u00b0\r\n"
         L"Son\u010dni \u010das: 11:20 (5 min za uro)"},
    };
    for (const Row& row : rows) {
        wchar_t text[SUN_TIP_MAX];
        FormatSunTip(row.words, row.facts, text);
        EXPECT_STREQ(text, row.expected) << row.what;
    }
}

}  // namespace
