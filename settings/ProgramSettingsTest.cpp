// Tests of the program's settings: where they are read from and written to, and their ranges.
#include "settings/ProgramSettings.h"

#include "text/Languages.h"
#include "settings/Registry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const wchar_t PARENT[] = L"Software";
const wchar_t PATH[] = L"UmbrantSettingsTest";
const wchar_t KEY[] = L"Software\\UmbrantSettingsTest";
// The time zone of the tests: UTC+1, whose meridian is 15 E.
const int BIAS_MINUTES = -60;

std::wstring Stored(HKEY root, const wchar_t* name)
{
    wchar_t text[64] = L"";
    return RegReadString(root, KEY, name, text, 64) ? text : L"(none)";
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
    void Store(HKEY root, const wchar_t* name, const wchar_t* text) { RegWriteString(root, PARENT, PATH, name, text); }
    CProgramSettings m_settings {PARENT, PATH};
};

// Each stored value goes through its own range rule and is written back as
// its own kind; an unknown language takes the system's.
TEST_F(ProgramSettingsTest, WritesBackEveryStoredValueInRange)
{
    static const struct
    {
        const wchar_t* name;
        const wchar_t* stored;
        const wchar_t* written;
    } cases[] = {
        {L"Language", L"8192", L"4096"},
        {L"IsBigClock", L"-3", L"0"},
        {L"GeoLatitude", L"99999999999", L"90"},
        {L"GeoLatitude", L"-12.5", L"-12.5"},
        {L"SimulatedDayOfYear", L"400", L"365"},
        {L"SimulatedTimeOfDay", L"-5", L"0"},
        {L"GeoLongitude", L"-99999999999", L"-180"},
        {L"GeoLongitude", L"-3.5", L"-3.5"},
        {L"IsExactSun", L"7", L"1"},
        {L"IsMoonFace", L"2", L"1"},
        {L"WindowLeft", L"-99999", L"-32768"},
    };
    Store(HKEY_CURRENT_USER, L"WindowTop", L"5");
    for (const auto& c : cases) {
        Store(HKEY_CURRENT_USER, c.name, c.stored);
        m_settings.Load(LANGUAGE_SLOVENIAN, BIAS_MINUTES);
        m_settings.Save();
        EXPECT_EQ(Stored(HKEY_CURRENT_USER, c.name), c.written) << c.name << " stored as " << c.stored;
    }
}

// A yes or no stored by hand as a REG_DWORD reads as its number and comes
// through a Settings round trip as the same REG_DWORD.
TEST_F(ProgramSettingsTest, FlagsStoredAsDwordsAreReadAndKept)
{
    const struct
    {
        const wchar_t* name;
        bool DialSettings::*flag;
    } flags[] = {
        {L"IsBigClock", &DialSettings::isBig},     {L"IsSimulateDateTime", &DialSettings::simulate},
        {L"IsExactSun", &DialSettings::exactSun},  {L"IsDateLines", &DialSettings::dateLines},
        {L"HourLines", &DialSettings::clockHours}, {L"IsMoonFace", &DialSettings::moonFace},
    };
    for (const auto& f : flags) {
        for (DWORD stored : {0u, 1u}) {
            HKEY key = nullptr;
            ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                      ERROR_SUCCESS);
            RegSetValueExW(key, f.name, 0, REG_DWORD, (const BYTE*)&stored, sizeof stored);
            m_settings.Load(LANGUAGE_ENGLISH, BIAS_MINUTES);
            EXPECT_EQ(stored == 1, m_settings.Dial().*f.flag) << f.name << " stored as the REG_DWORD " << stored;
            m_settings.SetDial(m_settings.Dial());
            m_settings.Save();
            DWORD type = 0;
            DWORD kept = 0xdead;
            DWORD size = sizeof kept;
            RegQueryValueExW(key, f.name, nullptr, &type, (BYTE*)&kept, &size);
            RegCloseKey(key);
            EXPECT_TRUE(type == REG_DWORD && kept == stored)
                << f.name << " stored as the REG_DWORD " << stored << " left as type " << type << " holding " << kept;
        }
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
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, L"WindowLeft"), L"(none)") << "no place is made up";
    settings.Load(LANGUAGE_ENGLISH, BIAS_MINUTES);
    EXPECT_FALSE(settings.FirstStart());
    EXPECT_TRUE(settings.LatitudeStored()) << "the place is guessed once";
}

// A size of -1 stored asks for the first start again; no other does.
TEST_F(ProgramSettingsTest, MinusOneStoredAsTheSizeIsAFirstStartAgain)
{
    const struct
    {
        const wchar_t* stored;
        bool firstStart;
    } cases[] = {{L"-1", true}, {L"-2", false}, {L"0", false}, {L"1", false}};
    for (const auto& c : cases) {
        Store(HKEY_CURRENT_USER, L"IsBigClock", c.stored);
        m_settings.Load(LANGUAGE_ENGLISH, BIAS_MINUTES);
        EXPECT_EQ(c.firstStart, m_settings.FirstStart()) << "IsBigClock stored as " << testing::PrintToString(c.stored);
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
        RegWriteString(HKEY_CURRENT_USER, PARENT, PATH, L"PlaceName", c.stored);
        m_settings.Load(LANGUAGE_ENGLISH, BIAS_MINUTES);
        EXPECT_STREQ(c.read, m_settings.Dial().placeName);
        RegDeletePath(HKEY_CURRENT_USER, PARENT, PATH);
        m_settings.Save();
        wchar_t stored[PLACE_NAME_MAX] = L"";
        RegReadString(HKEY_CURRENT_USER, KEY, L"PlaceName", stored, PLACE_NAME_MAX);
        EXPECT_STREQ(c.read, stored) << "written back";
    }
}

// Settings an earlier version kept for the machine are read while the user
// has none, and saved for the user; the machine's key is never written.
TEST_F(ProgramSettingsTest, TakesTheMachinesSettingsOfAnEarlierVersion)
{
    Store(HKEY_LOCAL_MACHINE, L"IsBigClock", L"1");
    Store(HKEY_LOCAL_MACHINE, L"GeoLatitude", L"-33.5");
    Store(HKEY_LOCAL_MACHINE, L"WindowLeft", L"40");
    Store(HKEY_LOCAL_MACHINE, L"WindowTop", L"50");
    CProgramSettings& settings = m_settings;
    settings.Load(LANGUAGE_ENGLISH, BIAS_MINUTES);
    EXPECT_FALSE(settings.FirstStart());
    EXPECT_TRUE(settings.Dial().isBig);
    EXPECT_EQ(-33.5f, settings.Dial().latitude);
    DialSettings changed = settings.Dial();
    changed.latitude = 12;
    settings.SetDial(changed);
    settings.Save();
    const wchar_t* const user[][2] = {
        {L"IsBigClock", L"1"}, {L"GeoLatitude", L"12"}, {L"WindowLeft", L"40"}, {L"WindowTop", L"50"}};
    for (const auto& value : user)
        EXPECT_EQ(Stored(HKEY_CURRENT_USER, value[0]), value[1]) << value[0];
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, L"GeoLatitude"), L"-33.5");
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, L"Language"), L"(none)");

    // From now on the user's key counts, whatever the machine's holds.
    Store(HKEY_LOCAL_MACHINE, L"GeoLatitude", L"80");
    settings.Load(LANGUAGE_ENGLISH, BIAS_MINUTES);
    EXPECT_EQ(12.0f, settings.Dial().latitude);
}

}  // namespace
