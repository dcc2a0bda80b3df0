// Tests of the Settings dialog over a copy of the dial's settings.
#include "dialogs/SettingsDialog.h"

#include "text/DialogIds.h"
#include "tests/HiddenDialog.h"
#include "text/Strings.h"

#include <cmath>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>

namespace {

// Counts the changes the dialog reports and keeps the last.
class FakeListener : public CSettingsListener
{
public:
    void OnSettingsChanged(const DialSettings& settings) override
    {
        m_last = settings;
        ++m_changes;
    }
    DialSettings m_last = {};
    int m_changes = 0;
};

// Records the text of the last balloon tip a box was asked to show (the
// system's edit box may not draw one everywhere).
LRESULT CALLBACK RecordBalloon(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR record)
{
    if (message == EM_SHOWBALLOONTIP)
        *reinterpret_cast<std::wstring*>(record) = reinterpret_cast<const EDITBALLOONTIP*>(lParam)->pszText;
    return DefSubclassProc(box, message, wParam, lParam);
}

// The Settings dialog, modeless, over a copy of the big dial's settings at 46.7 N.
class SettingsDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
    }
    void TearDown() override
    {
        if (m_dialog)
            DestroyWindow(m_dialog);
    }

    void Open()
    {
        if (m_dialog)
            DestroyWindow(m_dialog);
        m_dialog = CreateHiddenDialog(LocalizedResourceName(L"SETTINGS", m_state.language).c_str(), SettingsDialogProc,
                                      reinterpret_cast<LPARAM>(&m_state));
        ASSERT_NE(nullptr, m_dialog);
    }
    // Lets the place box hear that its places are ready.
    void WaitForPlaces()
    {
        const DWORD PATIENCE_MS = 60000;
        const DWORD start = GetTickCount();
        MSG message;
        while (!m_state.placeBox.HasPlaces() && GetTickCount() - start < PATIENCE_MS) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, PATIENCE_MS, QS_ALLINPUT);
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
        }
        ASSERT_TRUE(m_state.placeBox.HasPlaces()) << "the places are not ready after " << PATIENCE_MS << " ms";
    }
    // The lines of the place list while it is open (its own style: the
    // dialog is never shown).
    int ListedPlaces() const
    {
        return GetWindowLongW(Item(IDC_PLACE_LIST), GWL_STYLE) & WS_VISIBLE
                   ? static_cast<int>(SendMessageW(Item(IDC_PLACE_LIST), LB_GETCOUNT, 0, 0))
                   : 0;
    }

    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }
    int Position(int id) const { return static_cast<int>(SendMessageA(Item(id), TBM_GETPOS, 0, 0)); }
    std::string Text(int id) const
    {
        char text[64] = "";
        GetDlgItemTextA(m_dialog, id, text, sizeof text);
        return text;
    }
    bool ShowsText(const wchar_t* text) const
    {
        for (HWND child = GetWindow(m_dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t shown[64] = L"";
            GetWindowTextW(child, shown, 64);
            if (std::wstring(shown) == text)
                return true;
        }
        return false;
    }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    // Text typed into a box, which reports each change to the dialog.
    void Type(int id, const wchar_t* text) { SetDlgItemTextW(m_dialog, id, text); }
    // The user's decimal comma, else the point.
    static std::string DecimalSeparator()
    {
        char separator[8] = "";
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator);
        return std::string(separator) == "," ? "," : ".";
    }
    // A key press on a track bar, which reports the move to the dialog.
    void Press(int id, WPARAM key)
    {
        SendMessageA(Item(id), WM_KEYDOWN, key, 0);
        SendMessageA(Item(id), WM_KEYUP, key, 0);
    }
    std::wstring Entry(int index) const
    {
        wchar_t text[64] = L"";
        SendMessageW(Item(IDC_LANGUAGE), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        return text;
    }

    FakeListener m_listener;
    SettingsDialogState m_state = {
        {true, 46.7f, false, 31, 12 * 3600 + 59, 0, false, false, false, false, L""}, LANGUAGE_ENGLISH, &m_listener};
    HWND m_dialog = nullptr;
};

TEST_F(SettingsDialogTest, OpensWithTheDialsSettings)
{
    m_state.language = LANGUAGE_SLOVENIAN;
    Open();
    EXPECT_EQ(47, Position(IDC_LATITUDE));
    EXPECT_EQ("46" + DecimalSeparator() + "7", Text(IDC_LATITUDE_TEXT));
    EXPECT_FLOAT_EQ(46.7f, m_state.settings.latitude) << "opening changes nothing";
    EXPECT_TRUE(IsDlgButtonChecked(m_dialog, IDC_SIZE_BIG));
    EXPECT_FALSE(IsDlgButtonChecked(m_dialog, IDC_SIZE_SMALL));
    EXPECT_FALSE(IsDlgButtonChecked(m_dialog, IDC_SIMULATE));
    for (int id : {IDC_DAY, IDC_TIME, IDC_DATE_TEXT, IDC_TIME_TEXT})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ(31, Position(IDC_DAY));
    EXPECT_EQ(720, Position(IDC_TIME));
    EXPECT_EQ("-02-01", Text(IDC_DATE_TEXT).substr(4));
    EXPECT_EQ(2, SendMessageA(Item(IDC_LANGUAGE), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(L"English", Entry(0));
    EXPECT_EQ(L"Sloven\u0161\u010dina", Entry(1));
    EXPECT_EQ(1, SendMessageA(Item(IDC_LANGUAGE), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(0, m_listener.m_changes);
    EXPECT_TRUE(ShowsText(L"Simuliraj datum in \u010das"));
    HCURSOR linkCursor = LoadCursorA(GetModuleHandleA(nullptr), "LinkCursor");
    ASSERT_NE(nullptr, linkCursor);
    EXPECT_EQ(linkCursor, CursorOver(Item(IDC_ARTICLE_LINK)));
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), CursorOver(Item(IDC_TIME_LABEL))) << "a label keeps the arrow";
}

TEST_F(SettingsDialogTest, StoredLatitudeOutOfRangeOpensAtTheEnds)
{
    const float latitudes[] = {1e30f, -1e30f, NAN};
    const int positions[] = {90, -90, 0};
    for (int i = 0; i < 3; ++i) {
        m_state.settings.latitude = latitudes[i];
        Open();
        EXPECT_EQ(positions[i], Position(IDC_LATITUDE));
        EXPECT_EQ(std::to_string(positions[i]), Text(IDC_LATITUDE_TEXT));
    }
}

TEST_F(SettingsDialogTest, TrackBarsReportEachChangeAtOnce)
{
    Open();
    Press(IDC_LATITUDE, VK_HOME);
    EXPECT_EQ(-90.0f, m_listener.m_last.latitude);
    EXPECT_EQ("-90", Text(IDC_LATITUDE_TEXT));
    EXPECT_GT(m_listener.m_changes, 0);
    Press(IDC_LATITUDE, VK_RIGHT);
    EXPECT_EQ(-89.0f, m_state.settings.latitude);

    m_listener.m_changes = 0;
    Press(IDC_DAY, VK_HOME);
    EXPECT_EQ(0, m_state.settings.simulatedDay);
    EXPECT_EQ("-01-01", Text(IDC_DATE_TEXT).substr(4));
    EXPECT_GT(m_listener.m_changes, 0);

    m_listener.m_changes = 0;
    Press(IDC_TIME, VK_END);
    EXPECT_EQ(86400, m_state.settings.simulatedTime);
    EXPECT_EQ("24:00:00", Text(IDC_TIME_TEXT));
    EXPECT_EQ("-01-01", Text(IDC_DATE_TEXT).substr(4)) << "the end of the day the bar points at";
    EXPECT_GT(m_listener.m_changes, 0);

    // A size button takes the new size at once.
    SendMessageA(m_dialog, WM_COMMAND, MAKEWPARAM(IDC_SIZE_SMALL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(IDC_SIZE_SMALL)));
    EXPECT_FALSE(m_listener.m_last.isBig);
}

// Text typed into a degree box: a number in range is in force at once; any
// other text puts back the value shown before the typing (nothing of "100"
// stays), and the box left with it shows that value and says why.
TEST_F(SettingsDialogTest, TypedDegreesInRangeAreInForceAtOnce)
{
    m_state.settings.latitude = 46.123f;
    m_state.settings.longitude = 14.0f;
    Open();
    EXPECT_EQ(46.123f, m_state.settings.latitude) << "showing 46.12 keeps the stored value";
    const struct
    {
        int textId;
        const wchar_t* typed;
        float expected;  // the setting afterwards
        int position;    // of the track bar
        bool changed;
    } cases[] = {
        {IDC_LATITUDE_TEXT, L"46.05", 46.05f, 46, true},
        {IDC_LATITUDE_TEXT, L"4a", 46.123f, 46, true},
        {IDC_LATITUDE_TEXT, L"10", 10.0f, 10, true},
        {IDC_LATITUDE_TEXT, L"100", 46.123f, 46, true},
        {IDC_LATITUDE_TEXT, L"-33,86", -33.86f, -34, true},
        {IDC_LATITUDE_TEXT, L"90.5", 46.123f, 46, true},
        {IDC_LATITUDE_TEXT, L"1e3", 46.123f, 46, false},
        {IDC_LONGITUDE_TEXT, L"-20", -20.0f, -20, true},
        {IDC_LONGITUDE_TEXT, L"-200", 14.0f, 14, true},
        {IDC_LONGITUDE_TEXT, L"", 14.0f, 14, false},
        {IDC_LONGITUDE_TEXT, L"-179.75", -179.75f, -180, true},
    };
    for (const auto& c : cases) {
        m_listener.m_changes = 0;
        Type(c.textId, c.typed);
        int barId = c.textId == IDC_LATITUDE_TEXT ? IDC_LATITUDE : IDC_LONGITUDE;
        float got = c.textId == IDC_LATITUDE_TEXT ? m_state.settings.latitude : m_state.settings.longitude;
        EXPECT_EQ(c.expected, got) << testing::PrintToString(c.typed);
        EXPECT_EQ(c.position, Position(barId)) << testing::PrintToString(c.typed);
        EXPECT_EQ(c.changed, m_listener.m_changes == 1) << testing::PrintToString(c.typed);
    }
    // Leaving a box shows the setting in force again; refused text leaves a
    // balloon that gives the range.
    std::wstring balloon;
    SetWindowSubclass(Item(IDC_LATITUDE_TEXT), RecordBalloon, 0, reinterpret_cast<DWORD_PTR>(&balloon));
    Type(IDC_LATITUDE_TEXT, L"100");
    for (int id : {IDC_LONGITUDE_TEXT, IDC_LATITUDE_TEXT})
        SendMessageW(m_dialog, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), reinterpret_cast<LPARAM>(Item(id)));
    EXPECT_EQ("-179" + DecimalSeparator() + "75", Text(IDC_LONGITUDE_TEXT));
    EXPECT_EQ("46" + DecimalSeparator() + "12", Text(IDC_LATITUDE_TEXT));
    EXPECT_EQ(46.123f, m_state.settings.latitude);
    EXPECT_EQ(L"Type a latitude from -90 to 90 degrees (south negative).", balloon);
    RemoveWindowSubclass(Item(IDC_LATITUDE_TEXT), RecordBalloon, 0);
    // Releasing the track bar's key (as a click on its thumb does) reports
    // the place it has: the typed fraction stays.
    SendMessageA(Item(IDC_LONGITUDE), WM_KEYUP, VK_RIGHT, 0);
    EXPECT_EQ(-179.75f, m_state.settings.longitude);

    // The box is wide enough for the longest number it shows.
    HDC dc = GetDC(Item(IDC_LONGITUDE_TEXT));
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Item(IDC_LONGITUDE_TEXT), WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(dc, "-179.75", 7, &size);
    SelectObject(dc, old);
    ReleaseDC(Item(IDC_LONGITUDE_TEXT), dc);
    RECT inside = {};
    SendMessageW(Item(IDC_LONGITUDE_TEXT), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&inside));
    EXPECT_LE(size.cx, inside.right - inside.left) << "text of " << size.cx << " pixels";
}

// A place chosen by name (Return in its box takes the first listed) sets
// its coordinates and the exact sun; a coordinate changed by hand
// afterwards forgets its name, one typed as it is or a name typed and
// left unchosen does not.
TEST_F(SettingsDialogTest, ACoordinateChangedByHandForgetsThePlace)
{
    Open();
    const struct
    {
        int id;
        const wchar_t* typed;  // null: one step right on the track bar
        const wchar_t* name;   // kept afterwards
    } cases[] = {
        {IDC_LATITUDE_TEXT, L"46.05", L"Ljubljana"},
        {IDC_PLACE, L"mari", L"Ljubljana"},
        {IDC_LATITUDE_TEXT, L"45", L""},
        {IDC_LONGITUDE_TEXT, L"15", L""},
        {IDC_LONGITUDE, nullptr, L""},
    };
    WaitForPlaces();
    for (const auto& c : cases) {
        Type(IDC_PLACE, L"ljubljana");
        Press(IDC_PLACE, VK_RETURN);
        ASSERT_STREQ(L"Ljubljana", m_state.settings.placeName);
        ASSERT_TRUE(m_state.settings.latitude == 46.05f && m_state.settings.longitude == 14.51f &&
                    m_state.settings.exactSun)
            << m_state.settings.latitude << " " << m_state.settings.longitude;
        if (c.typed)
            Type(c.id, c.typed);
        else
            Press(c.id, VK_RIGHT);
        SendMessageW(m_dialog, WM_COMMAND, MAKEWPARAM(c.id, EN_KILLFOCUS), reinterpret_cast<LPARAM>(Item(c.id)));
        wchar_t shown[PLACE_NAME_MAX] = L"";
        GetDlgItemTextW(m_dialog, IDC_PLACE, shown, PLACE_NAME_MAX);
        EXPECT_STREQ(c.name, m_state.settings.placeName) << c.id << " " << testing::PrintToString(c.typed);
        EXPECT_STREQ(c.name, shown) << c.id << " " << testing::PrintToString(c.typed);
    }
}

TEST_F(SettingsDialogTest, CloseAppliesTheChosenLanguageAndEscDoesNot)
{
    m_state.language = LANGUAGE_ENGLISH;
    Open();
    SendMessageA(Item(IDC_LANGUAGE), CB_SETCURSEL, 1, 0);
    SendMessageA(m_dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(LANGUAGE_ENGLISH, m_state.language);

    Open();
    SendMessageA(Item(IDC_LANGUAGE), CB_SETCURSEL, 1, 0);
    SendMessageA(m_dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(LANGUAGE_SLOVENIAN, m_state.language);

    Open();
    SendMessageA(Item(IDC_LANGUAGE), CB_SETCURSEL, 0, 0);
    SendMessageA(m_dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(LANGUAGE_ENGLISH, m_state.language);
}

}  // namespace

// In the open place list Page Down and Page Up go to the last and the first
// line, and so do End and Home once a line is picked; before, those two
// move the caret in the box.
TEST_F(SettingsDialogTest, PageKeysMoveInThePlaceList)
{
    Open();
    const struct
    {
        const char* what;
        WPARAM keys[3];  // 0: no more
        int picked;
    } cases[] = {
        {"Page Down", {VK_NEXT}, MAX_FOUND_PLACES - 1},
        {"Page Down, Page Up", {VK_NEXT, VK_PRIOR}, 0},
        {"Down, End", {VK_DOWN, VK_END}, MAX_FOUND_PLACES - 1},
        {"Down, End, Home", {VK_DOWN, VK_END, VK_HOME}, 0},
        {"End", {VK_END}, -1},
        {"Home", {VK_HOME}, -1},
    };
    WaitForPlaces();
    for (const auto& c : cases) {
        Type(IDC_PLACE, L"");
        Type(IDC_PLACE, L"mari");
        for (WPARAM key : c.keys) {
            if (key)
                Press(IDC_PLACE, key);
        }
        EXPECT_EQ(c.picked, SendMessageW(Item(IDC_PLACE_LIST), LB_GETCURSEL, 0, 0)) << c.what;
    }
}

// The list is as tall as its lines from the first one on; the tip of a cut
// line lies over that line and no other, and a click on it chooses the line.
TEST_F(SettingsDialogTest, TheTipOfACutLineCoversItAloneAndAClickOnItChoosesIt)
{
    Open();
    WaitForPlaces();
    Type(IDC_PLACE, L"santa cruz de la sierra");
    const HWND list = Item(IDC_PLACE_LIST);
    const int lines = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    ASSERT_GT(lines, 1);
    RECT inside = {};
    GetClientRect(list, &inside);
    EXPECT_EQ(lines * SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), inside.bottom) << lines << " lines";
    HWND tip = nullptr;
    while ((tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) && GetWindow(tip, GW_OWNER) != m_dialog) {
    }
    ASSERT_NE(nullptr, tip);
    int tipsShown = 0;
    for (int picked = 0; picked < lines; ++picked) {
        Press(IDC_PLACE, VK_DOWN);
        if (!IsWindowVisible(tip))
            continue;
        ++tipsShown;
        RECT tipRect = {}, line = {}, overlap = {};
        GetWindowRect(tip, &tipRect);
        for (int other = 0; other < lines; ++other) {
            SendMessageW(list, LB_GETITEMRECT, other, reinterpret_cast<LPARAM>(&line));
            MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&line), 2);
            if (other != picked) {
                EXPECT_FALSE(IntersectRect(&overlap, &tipRect, &line))
                    << "the tip of line " << picked << " at " << tipRect.top << ".." << tipRect.bottom
                    << " covers line " << other << " at " << line.top << ".." << line.bottom;
            }
        }
        EXPECT_EQ(MA_NOACTIVATE, SendMessageW(tip, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(m_dialog),
                                              MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)))
            << "a click on the tip of line " << picked << " takes the focus from the box";
    }
    ASSERT_GT(tipsShown, 0) << "no line was cut";
    // A click on the tip chooses the line under it.
    wchar_t picked[PLACE_LINE_MAX] = L"";
    SendMessageW(list, LB_GETTEXT, SendMessageW(list, LB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(picked));
    SendMessageW(tip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    EXPECT_EQ(0, ListedPlaces()) << "the list stays open";
    EXPECT_TRUE(m_state.settings.placeName[0] &&
                !wcsncmp(m_state.settings.placeName, picked, wcslen(m_state.settings.placeName)))
        << testing::PrintToString(std::wstring(m_state.settings.placeName)) << " chosen, "
        << testing::PrintToString(std::wstring(picked)) << " picked";
}

// A chosen name is kept whole up to 255 characters, else cut after a whole
// character.
TEST(SetDialPlace, KeepsTheNameWholeUpTo255Characters)
{
    const std::string letters(300, 'a');
    const std::string smile = "\xf0\x9f\x98\x80";  // two UTF-16 units
    const struct
    {
        std::string name;
        size_t kept;  // UTF-16 units
    } cases[] = {
        {letters.substr(0, 70), 70},           {letters.substr(0, 255), 255},         {letters, 255},
        {letters.substr(0, 254) + smile, 254}, {letters.substr(0, 253) + smile, 255},
    };
    for (const auto& c : cases) {
        const PlaceView place = {c.name.c_str(), PlaceDetail::NONE, "", "", "", "SI", 4605, 1451, 0};
        DialSettings dial = {};
        SetDialPlace(place, &dial);
        EXPECT_EQ(c.kept, wcslen(dial.placeName)) << c.name.size() << " bytes";
        EXPECT_EQ(L'a', dial.placeName[0]) << c.name.size() << " bytes";
    }
}

// The places are made ready off the dialog's thread: typing never waits for
// them, what was typed before they were is listed once they are, and the
// name the dialog opened with opens no list.
TEST_F(SettingsDialogTest, OnlyTextTypedBeforeThePlacesAreReadyIsListedOnceTheyAre)
{
    const struct
    {
        const wchar_t* stored;
        const wchar_t* typed;  // null: nothing
        int listed;
    } cases[] = {
        {L"", L"mari", MAX_FOUND_PLACES},
        {L"Ljubljana", nullptr, 0},
    };
    for (const auto& c : cases) {
        lstrcpynW(m_state.settings.placeName, c.stored, PLACE_NAME_MAX);
        Open();
        if (c.typed)
            Type(IDC_PLACE, c.typed);
        EXPECT_EQ(0, ListedPlaces()) << "listed before the places were ready";
        WaitForPlaces();
        EXPECT_EQ(c.listed, ListedPlaces()) << testing::PrintToString(std::wstring(c.stored)) << " stored, "
                                            << testing::PrintToString(c.typed) << " typed";
    }
}
