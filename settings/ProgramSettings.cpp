// The program's settings: one copy, read once at start, written whole on each save.
#include "settings/ProgramSettings.h"

#include "settings/Registry.h"
#include "settings/StoredValues.h"

#include <climits>
#include <cmath>
#include <cwchar>

namespace {

// What a value reads as when it is absent (or not wholly a number): no
// setting stores these.
const int ABSENT_INT = INT_MIN;
const float ABSENT_ANGLE = NAN;
// The size that makes a first start: read when none is stored, and stored
// by a user or an administrator to have Settings open again.
const int FIRST_START_SIZE = -1;

float Latitude(float stored, float)
{
    return LatitudeInRange(stored);
}

// One stored setting of the dial: its registry value (a number as text, or a
// REG_DWORD, which stays one), the member it fills (the one of its kind) and
// the rule that brings a stored value into the range the Settings dialog
// reaches.
struct DialValue
{
    const wchar_t* name;
    bool DialSettings::*flag;  // stored as 1 or 0; any number above 0 reads as yes
    int DialSettings::*number;
    int (*numberRule)(int stored);
    float DialSettings::*angle;
    // Also gives the default for an absent or non-finite value.
    float (*angleRule)(float stored, float zoneMeridian);
};

constexpr DialValue Flag(const wchar_t* name, bool DialSettings::*member)
{
    return {name, member, nullptr, nullptr, nullptr, nullptr};
}

constexpr DialValue Number(const wchar_t* name, int DialSettings::*member, int (*rule)(int))
{
    return {name, nullptr, member, rule, nullptr, nullptr};
}

constexpr DialValue Angle(const wchar_t* name, float DialSettings::*member, float (*rule)(float, float))
{
    return {name, nullptr, nullptr, nullptr, member, rule};
}

// The dial's settings in the order they are written, after the language.
// Without a stored longitude the exact sun starts on the meridian the model
// takes, so that turning it on changes only what the ephemeris adds.
const DialValue DIAL_VALUES[] = {
    Flag(L"IsBigClock", &DialSettings::isBig),
    Angle(L"GeoLatitude", &DialSettings::latitude, Latitude),
    Flag(L"IsSimulateDateTime", &DialSettings::simulate),
    Number(L"SimulatedDayOfYear", &DialSettings::simulatedDay, DayInRange),
    Number(L"SimulatedTimeOfDay", &DialSettings::simulatedTime, TimeInRange),
    Angle(L"GeoLongitude", &DialSettings::longitude, LongitudeInRange),
    Flag(L"IsExactSun", &DialSettings::exactSun),
    Flag(L"IsDateLines", &DialSettings::dateLines),
    Flag(L"HourLines", &DialSettings::clockHours),
    Flag(L"IsMoonFace", &DialSettings::moonFace),
};
const wchar_t* const SIZE_VALUE = DIAL_VALUES[0].name;
const wchar_t* const LATITUDE_VALUE = DIAL_VALUES[1].name;

const wchar_t LANGUAGE_VALUE[] = L"Language";
const wchar_t WINDOW_LEFT_VALUE[] = L"WindowLeft";
const wchar_t WINDOW_TOP_VALUE[] = L"WindowTop";
const wchar_t PLACE_NAME_VALUE[] = L"PlaceName";

void ReadDialValue(const DialValue& value, HKEY root, const wchar_t* key, float zoneMeridian, DialSettings* dial)
{
    if (value.flag)
        dial->*value.flag = RegReadInt(root, key, value.name, ABSENT_INT) > 0;
    else if (value.number)
        dial->*value.number = value.numberRule(RegReadInt(root, key, value.name, 0));
    else
        dial->*value.angle = value.angleRule(RegReadFloat(root, key, value.name, ABSENT_ANGLE), zoneMeridian);
}

}  // namespace

CProgramSettings::CProgramSettings(const wchar_t* parent, const wchar_t* path) : m_parent(parent), m_path(path)
{
    swprintf(m_key, MAX_PATH, L"%ls\\%ls", parent, path);
}

void CProgramSettings::Load(int systemLanguage, int biasMinutes)
{
    const HKEY root = RegKeyExists(HKEY_CURRENT_USER, m_key) ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    m_language = KnownLanguageOr(RegReadInt(root, m_key, LANGUAGE_VALUE, systemLanguage), systemLanguage);
    const float zoneMeridian = ZoneMeridian(biasMinutes);
    for (const DialValue& value : DIAL_VALUES)
        ReadDialValue(value, root, m_key, zoneMeridian, &m_dial);
    if (!RegReadString(root, m_key, PLACE_NAME_VALUE, m_dial.placeName, PLACE_NAME_MAX))
        m_dial.placeName[0] = L'\0';
    DropControlCharacters(m_dial.placeName);
    m_firstStart = RegReadInt(root, m_key, SIZE_VALUE, FIRST_START_SIZE) == FIRST_START_SIZE;
    m_latitudeStored = std::isfinite(RegReadFloat(root, m_key, LATITUDE_VALUE, ABSENT_ANGLE));
    const int left = RegReadInt(root, m_key, WINDOW_LEFT_VALUE, ABSENT_INT);
    const int top = RegReadInt(root, m_key, WINDOW_TOP_VALUE, ABSENT_INT);
    m_place = {left != ABSENT_INT && top != ABSENT_INT, PlaceInRange(left), PlaceInRange(top)};
}

bool CProgramSettings::Save() const
{
    // Each value is written through the parent, which makes the key and the
    // keys between when they are missing.
    bool written = RegWriteInt(HKEY_CURRENT_USER, m_parent, m_path, LANGUAGE_VALUE, m_language);
    for (const DialValue& value : DIAL_VALUES) {
        if (value.flag)
            written &= RegWriteInt(HKEY_CURRENT_USER, m_parent, m_path, value.name, m_dial.*value.flag ? 1 : 0);
        else if (value.number)
            written &= RegWriteInt(HKEY_CURRENT_USER, m_parent, m_path, value.name, m_dial.*value.number);
        else
            written &= RegWriteFloat(HKEY_CURRENT_USER, m_parent, m_path, value.name, m_dial.*value.angle);
    }
    written &= RegWriteString(HKEY_CURRENT_USER, m_parent, m_path, PLACE_NAME_VALUE, m_dial.placeName);
    if (m_place.kept) {
        written &= RegWriteInt(HKEY_CURRENT_USER, m_parent, m_path, WINDOW_LEFT_VALUE, m_place.left);
        written &= RegWriteInt(HKEY_CURRENT_USER, m_parent, m_path, WINDOW_TOP_VALUE, m_place.top);
    }
    return written;
}

void CProgramSettings::Remove() const
{
    RegDeletePath(HKEY_CURRENT_USER, m_parent, m_path);
    RegDeletePath(HKEY_LOCAL_MACHINE, m_parent, m_path);
}
