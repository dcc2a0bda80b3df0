// Tests of the program's settings: where they are read from and written to, and their ranges.
#include "settings/ProgramSettings.h"

#include "text/Languages.h"
#include "settings/Registry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char PARENT[] = "Software";
const char PATH[] = "UmbrantSettingsTest";
const char KEY[] = "Software\\UmbrantSettingsTest";
// The time zone of the tests: UTC+1, whose meridian is 15 E.
const int BIAS_MINUTES = -60;

std::string Stored(HKEY root, const char* name)
{
    char text[64] = "";
    return RegReadString(root, KEY, name, text, sizeof text) ? text : "(none)";
}

class ProgramSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override
    {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            RegDeletePath(root, PARENT, PATH);
    }
    void Store(HKEY root, const char* name, const char* text) { RegWriteString(root, PARENT, PATH, name, text); }
    CProgramSettings m_settings {PARENT, PATH};
};

// Each stored value goes through its own range rule and is written back as
// its own kind; an unknown language takes the system's.
TEST_F(ProgramSettingsTest, WritesBackEveryStoredValueInRange)
{
    static const struct
    {
        const char* name;
        const char* stored;
        const char* written;
    } cases[] = {
        {"Language", "8192", "4096"},
        {"IsBigClock", "-3", "0"},
        {"GeoLatitude", "99999999999", "90"},
        {"GeoLatitude", "-12.5", "-12.5"},
        {"SimulatedDayOfYear", "400", "365"},
        {"SimulatedTimeOfDay", "-5", "0"},
        {"GeoLongitude", "-99999999999", "-180"},
        {"GeoLongitude", "-3.5", "-3.5"},
        {"IsExactSun", "7", "1"},
        {"WindowLeft", "-99999", "-32768"},
    };
    Store(HKEY_CURRENT_USER, "WindowTop", "5");
    for (const auto& c : cases) {
        Store(HKEY_CURRENT_USER, c.name, c.stored);
        m_settings.Load(LANGUAGE_SLOVENIAN, BIAS_MINUTES);
        m_settings.Save();
        EXPECT_EQ(Stored(HKEY_CURRENT_USER, c.name), c.written) << c.name << " stored as " << c.stored;
    }
}

// Nothing stored: the first start, the small dial at 45 N, the exact sun off
// and ready on the zone's meridian, the window centred.
TEST_F(ProgramSettingsTest, NothingStoredIsTheFirstStart)
{
    CProgramSettings& settings = m_settings;
    settings.Load(LANGUAGE_SLOVENIAN, BIAS_MINUTES);
    const DialSettings& dial = settings.Dial();
    EXPECT_TRUE(settings.FirstStart());
    EXPECT_FALSE(settings.LatitudeStored()) << "the place may be guessed";
    EXPECT_EQ(LANGUAGE_SLOVENIAN, settings.Language());
    EXPECT_TRUE(!dial.isBig && dial.latitude == 45.0f && !dial.exactSun && dial.longitude == 15.0f)
        << dial.isBig << " " << dial.latitude << " " << dial.exactSun << " " << dial.longitude;
    EXPECT_FALSE(settings.Place().kept);
    settings.Save();
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, "WindowLeft"), "(none)") << "no place is made up";
    settings.Load(LANGUAGE_ENGLISH, BIAS_MINUTES);
    EXPECT_FALSE(settings.FirstStart());
    EXPECT_TRUE(settings.LatitudeStored()) << "the place is guessed once";
}

// A size of -1 stored asks for the first start again; no other does.
TEST_F(ProgramSettingsTest, MinusOneStoredAsTheSizeIsAFirstStartAgain)
{
    const struct
    {
        const char* stored;
        bool firstStart;
    } cases[] = {{"-1", true}, {"-2", false}, {"0", false}, {"1", false}};
    for (const auto& c : cases) {
        Store(HKEY_CURRENT_USER, "IsBigClock", c.stored);
        m_settings.Load(LANGUAGE_ENGLISH, BIAS_MINUTES);
        EXPECT_EQ(c.firstStart, m_settings.FirstStart()) << "IsBigClock stored as " << c.stored;
    }
}

// A place's name keeps its letters whatever the ANSI code page, and none of
// the control characters that would add lines to the tip or drive a
// terminal; one of them alone is no name.
TEST_F(ProgramSettingsTest, ThePlacesNameIsUnicodeWithoutControlCharacters)
{
    const struct
    {
        const wchar_t* stored;
        const wchar_t* read;
    } cases[] = {
        {L"\u0160kofja Loka", L"\u0160kofja Loka"},
        {L"Line1\r\nLine2", L"Line1Line2"},
        {L"\tTab\x7f", L"Tab"},
        {L"Red\x1b[31m", L"Red[31m"},
        {L"Next\x85Line\x9f", L"NextLine"},
        {L"Para\u2028gra\u2029ph", L"Paragraph"},
        {L"\n", L""},
    };
    for (const auto& c : cases) {
        RegWriteStringW(HKEY_CURRENT_USER, PARENT, PATH, L"PlaceName", c.stored);
        m_settings.Load(LANGUAGE_ENGLISH, BIAS_MINUTES);
        EXPECT_STREQ(c.read, m_settings.Dial().placeName);
        RegDeletePath(HKEY_CURRENT_USER, PARENT, PATH);
        m_settings.Save();
        wchar_t stored[PLACE_NAME_MAX] = L"";
        RegReadStringW(HKEY_CURRENT_USER, KEY, L"PlaceName", stored, PLACE_NAME_MAX);
        EXPECT_STREQ(c.read, stored) << "written back";
    }
}

// Settings an earlier version kept for the machine are read while the user
// has none, and saved for the user; the machine's key is never written.
TEST_F(ProgramSettingsTest, TakesTheMachinesSettingsOfAnEarlierVersion)
{
    Store(HKEY_LOCAL_MACHINE, "IsBigClock", "1");
    Store(HKEY_LOCAL_MACHINE, "GeoLatitude", "-33.5");
    Store(HKEY_LOCAL_MACHINE, "WindowLeft", "40");
    Store(HKEY_LOCAL_MACHINE, "WindowTop", "50");
    CProgramSettings& settings = m_settings;
    settings.Load(LANGUAGE_ENGLISH, BIAS_MINUTES);
    EXPECT_FALSE(settings.FirstStart());
    EXPECT_TRUE(settings.Dial().isBig);
    EXPECT_EQ(-33.5f, settings.Dial().latitude);
    DialSettings changed = settings.Dial();
    changed.latitude = 12;
    settings.SetDial(changed);
    settings.Save();
    const char* const user[][2] = {
        {"IsBigClock", "1"}, {"GeoLatitude", "12"}, {"WindowLeft", "40"}, {"WindowTop", "50"}};
    for (const auto& value : user)
        EXPECT_EQ(Stored(HKEY_CURRENT_USER, value[0]), value[1]) << value[0];
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, "GeoLatitude"), "-33.5");
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, "Language"), "(none)");

    // From now on the user's key counts, whatever the machine's holds.
    Store(HKEY_LOCAL_MACHINE, "GeoLatitude", "80");
    settings.Load(LANGUAGE_ENGLISH, BIAS_MINUTES);
    EXPECT_EQ(12.0f, settings.Dial().latitude);
}

}  // namespace
