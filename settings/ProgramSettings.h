// The program's settings: one copy, read once at start, written whole on each save.
#pragma once

#include <windows.h>

// Characters a place's name keeps, the terminator included.
const int PLACE_NAME_MAX = 256;

// What the dial shows and how: its size, its place on the Earth and the
// moment it shows.
struct DialSettings
{
    bool isBig;
    float latitude;     // degrees north
    bool simulate;      // show simulatedDay and simulatedTime instead of the clock
    int simulatedDay;   // 0 = 1 January
    int simulatedTime;  // seconds after midnight, local standard time
    float longitude;    // degrees east, for the exact sun
    bool exactSun;
    bool dateLines;   // the solstices', equinoxes' and months' curves of the shadow's tip
    bool clockHours;  // hour lines of the clock's time (figure-eights), not of the sun's
    bool moonFace;    // by night the moon lights the face while it is up
    // The place chosen by name whose coordinates these are; empty when none
    // is, or when a coordinate was set by hand after it.
    wchar_t placeName[PLACE_NAME_MAX];
};

// The window's top-left corner, in screen coordinates.
struct WindowPlace
{
    bool kept;  // false: none is stored, the window starts centred
    int left, top;
};

// Every setting of the program: the language in force, the dial's settings
// and the window's kept place. They are kept under parent\path of
// HKEY_CURRENT_USER, so that they follow the user; earlier versions kept
// them under the same path of HKEY_LOCAL_MACHINE, which is read when the
// user's key does not exist yet and never written. Loaded once, in range;
// each Save writes them all, so what is read back is what was in force.
class CProgramSettings
{
public:
    CProgramSettings(const wchar_t* parent, const wchar_t* path);
    // Reads the user's key, else the machine's key of an earlier version,
    // bringing every value into range; a missing language takes
    // systemLanguage, a missing longitude the meridian of the time zone
    // whose standard time is biasMinutes behind UTC.
    void Load(int systemLanguage, int biasMinutes);
    // Writes every setting to the user's key, making it when it is missing.
    bool Save() const;
    // Removes the user's key, the machine's key and the keys of path above
    // them that hold nothing else.
    void Remove() const;

    int Language() const { return m_language; }
    void SetLanguage(int language) { m_language = language; }
    const DialSettings& Dial() const { return m_dial; }
    void SetDial(const DialSettings& dial)
    {
        m_dial = dial;
        m_firstStart = false;
    }
    // Whether a latitude was stored; without one the place may be guessed.
    bool LatitudeStored() const { return m_latitudeStored; }
    // The dial's settings with a place guessed from the system: what
    // FirstStart says stays as it was.
    void SetGuessedDial(const DialSettings& dial) { m_dial = dial; }
    // No dial settings were stored or given, or -1 was stored as the size:
    // the program has not run for this user yet, or is asked to start as if.
    bool FirstStart() const { return m_firstStart; }
    // The window's top-left corner where it was left, if it was.
    const WindowPlace& Place() const { return m_place; }
    void SetPlace(int left, int top) { m_place = {true, left, top}; }

private:
    const wchar_t* m_parent;
    const wchar_t* m_path;
    // parent\path, the key read.
    wchar_t m_key[MAX_PATH];
    int m_language = 0;
    DialSettings m_dial = {};
    bool m_firstStart = true;
    bool m_latitudeStored = false;
    WindowPlace m_place = {};
};
