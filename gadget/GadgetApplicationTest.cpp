// Tests of the host with a gadget and an event sink of their own.
#include "gadget/GadgetApplication.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <memory>
#include <string>
#include <vector>

#include "gadget/ScreenScale.h"
#include "text/Strings.h"

namespace {

BOOL CALLBACK AddTip(HWND window, LPARAM tips)
{
    wchar_t name[32] = L"";
    if (GetClassNameW(window, name, 32) && lstrcmpiW(name, TOOLTIPS_CLASSW) == 0)
        reinterpret_cast<std::vector<HWND>*>(tips)->push_back(window);
    return TRUE;
}

// The tool tips of this thread's windows: the buttons' and the gadget's.
std::vector<HWND> Tips()
{
    std::vector<HWND> tips;
    EnumThreadWindows(GetCurrentThreadId(), AddTip, reinterpret_cast<LPARAM>(&tips));
    return tips;
}

// The tip that shows, or null.
HWND ShownTip()
{
    for (HWND tip : Tips())
        if (IsWindowVisible(tip))
            return tip;
    return nullptr;
}

// What the tips say, each text between bars.
std::wstring TipTexts()
{
    std::wstring texts = L"|";
    for (HWND tip : Tips()) {
        wchar_t text[256] = L"";
        TOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = GetParent(tip);
        tool.lpszText = text;
        SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
        texts = texts + text + L"|";
    }
    return texts;
}

// A gadget of a fixed content size with a close and a settings button, like
// the dial, that paints its whole surface grey and records what the host
// asks of it.
class TestGadget : public CGadget
{
public:
    bool OnCreate(CGadgetHost* host, HWND) override
    {
        m_contentRectCallsBeforeCreate = m_contentRectCalls;
        m_host = host;
        host->AddButton(CMD_CLOSE, L"ButtonClose", -8, 7, 16, IDS_CLOSE_TIP);
        host->AddButton(CMD_SETTINGS, L"ButtonSettings", -26, 7, 16, IDS_SETTINGS_TIP);
        return true;
    }
    bool Paint(HDC, const PixelView& surface) override
    {
        m_paints++;
        m_stride = surface.stride;
        memset(surface.pixels, 0x80, static_cast<size_t>(surface.stride) * (m_rect.bottom + m_rect.top));
        return true;
    }
    bool SetContentRect(int left, int top, int right, int bottom) override
    {
        m_contentRectCalls++;
        m_rect = {left, top, right, bottom};
        return true;
    }
    bool GetContentSize(int* width, int* height) override
    {
        *width = *height = m_size;
        return true;
    }
    bool OnMessage(HWND, UINT, WPARAM, LPARAM) override { return false; }
    bool OnTimer() override { return false; }
    // A tip over the left half of the picture.
    bool TipText(int x, int, wchar_t* text, int size) override
    {
        if (x >= m_size / 2 || size < 2)
            return false;
        lstrcpynW(text, L"Tip", size);
        return true;
    }
    DWORD NextFrameDelay() override { return INFINITE; }
    bool OnCommand(int command) override
    {
        m_lastCommand = command;
        return true;
    }
    // Twice the scale: twice the size, the frame and the button.
    bool OnScaleChanged(int scalePercent) override
    {
        m_size = m_size * scalePercent / 100;
        m_host->SetFrame(12, 8);
        m_host->AddButton(CMD_SETTINGS, L"ButtonSettings", -52, 14, 32, IDS_SETTINGS_TIP);
        return true;
    }

    CGadgetHost* m_host = nullptr;
    int m_lastCommand = 0;
    int m_size = 250;
    int m_paints = 0, m_stride = 0;
    int m_contentRectCalls = 0, m_contentRectCallsBeforeCreate = -1;
    RECT m_rect = {};
};

class RecordingEvents : public CGadgetEvents
{
public:
    int Language() const override { return m_language; }
    bool OnLanguageChanged(int language) override
    {
        m_language = language;
        return true;
    }
    void OnPlaceChanged(int left, int top) override { m_places.push_back({left, top}); }
    void OnWindowCommand(HWND, int id, HWND) override { m_lastWindowCommand = id; }
    void OnWindowCreated(HWND window) override { m_createdWindow = window; }
    int m_language = LANGUAGE_ENGLISH, m_lastWindowCommand = 0;
    std::vector<POINT> m_places;
    HWND m_createdWindow = nullptr;
};

class GadgetHost : public testing::Test
{
protected:
    // The desktop's process may still be starting when the first window is
    // made: wait until it answers.
    static void SetUpTestSuite()
    {
        DWORD_PTR result;
        SendMessageTimeoutA(GetDesktopWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    }
    CGadgetApplication* MakeHost(int frameWidth = 6, int left = POSITION_UNSET, int top = POSITION_UNSET)
    {
        m_host.reset(new CGadgetApplication(
            &m_gadget, &m_events,
            {L"UmbrantTest", L"Umbrant", RGB(255, 255, 255), frameWidth, 4, 0.75f, 0.15f, 1000, left, top}));
        return m_host.get();
    }
    void Pump(int ms)
    {
        DWORD end = GetTickCount() + ms;
        MSG message;
        while (static_cast<int>(end - GetTickCount()) > 0) {
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            Sleep(5);
        }
    }
    HWND Window() const { return m_host->GetWindow(); }
    RECT WindowRect() const
    {
        RECT rect;
        GetWindowRect(Window(), &rect);
        return rect;
    }
    void MoveTo(int left, int top) const
    {
        SetWindowPos(Window(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    static RECT WorkArea()
    {
        RECT area;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        return area;
    }
    static int HoverTime()
    {
        UINT ms = 0;
        SystemParametersInfoA(SPI_GETMOUSEHOVERTIME, 0, &ms, 0);
        return static_cast<int>(ms);
    }
    // True while the host asks the system for WM_MOUSELEAVE.
    bool WatchingForLeave() const
    {
        TRACKMOUSEEVENT query = {sizeof(query), TME_QUERY, nullptr, 0};
        return TrackMouseEvent(&query) && (query.dwFlags & TME_LEAVE) && query.hwndTrack == Window();
    }

    TestGadget m_gadget;
    RecordingEvents m_events;
    std::unique_ptr<CGadgetApplication> m_host;
};

}  // namespace

// Centred on the primary monitor's work area (host_two_monitors.sh gives it
// a panel, which the virtual screen here lacks) unless a place is kept.
TEST_F(GadgetHost, CreateTakesTheGadgetsSizeAtItsStartPlace)
{
    const RECT work = WorkArea();
    const struct
    {
        int left, top, expectedLeft, expectedTop;
    } rows[] = {
        {POSITION_UNSET, POSITION_UNSET, work.left + (work.right - work.left - 262) / 2,
         work.top + (work.bottom - work.top - 262) / 2},
        {40, 50, 40, 50},
    };
    for (const auto& row : rows) {
        m_gadget.m_contentRectCalls = 0;
        ASSERT_TRUE(MakeHost(6, row.left, row.top)->Create(GetModuleHandleA(nullptr)));
        RECT rect = WindowRect();
        EXPECT_TRUE(rect.left == row.expectedLeft && rect.top == row.expectedTop && rect.right - rect.left == 262 &&
                    rect.bottom - rect.top == 262)
            << "kept (" << row.left << ", " << row.top << "): at (" << rect.left << ", " << rect.top << ", "
            << rect.right << ", " << rect.bottom << ")";
    }
    EXPECT_EQ(m_gadget.m_contentRectCallsBeforeCreate, 0) << "OnCreate comes before the first content rectangle";
    EXPECT_TRUE(m_gadget.m_rect.left == 6 && m_gadget.m_rect.top == 6 && m_gadget.m_rect.right == 256 &&
                m_gadget.m_rect.bottom == 256);
    EXPECT_EQ(m_gadget.m_stride, 262 * 4);
    const HWND window = Window();
    m_host->Create(GetModuleHandleA(nullptr));
    EXPECT_EQ(window, Window()) << "a second Create is a no-op";
    // The button added while the window was 12 x 12 moved with the frame.
    EXPECT_EQ(m_host->FindButton(CMD_SETTINGS)->Rect().left, 262 - 48);
}

// The host's window menu holds Close; the program hears of the window in
// time to put its own items above it, and of their commands. A new language
// reaches the program, the tips and the menu.
TEST_F(GadgetHost, WindowMenuAndTipsFollowTheLanguage)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    EXPECT_EQ(m_events.m_createdWindow, Window());
    HMENU menu = GetSystemMenu(Window(), FALSE);
    ASSERT_EQ(GetMenuItemCount(menu), 1);
    EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(SC_CLOSE));
    char text[256];
    GetMenuStringA(menu, 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "&Close\tAlt+F4");
    EXPECT_NE(TipTexts().find(L"|Settings|"), std::wstring::npos) << TipTexts();
    m_host->SetLanguage(LANGUAGE_SLOVENIAN);
    EXPECT_EQ(m_events.m_language, LANGUAGE_SLOVENIAN) << "the program keeps the language";
    GetMenuStringA(menu, 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "&Zapri\tAlt+F4") << "Close follows the language";
    EXPECT_NE(TipTexts().find(L"|Nastavitve|"), std::wstring::npos) << TipTexts();
    // The system may set the four low bits of a menu command.
    SendMessageA(Window(), WM_SYSCOMMAND, 0x20 | 0x3, 0);
    EXPECT_EQ(m_events.m_lastWindowCommand, 0x20);
}

TEST_F(GadgetHost, ResizeKeepsTheCornerAndCentresEvenAtTheSameSize)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    MoveTo(40, 50);
    // A size reached earlier without centring is centred when asked.
    const RECT area = WorkArea();
    m_host->UpdateSize(SizePlace::START_PLACE);
    EXPECT_EQ(WindowRect().left, area.left + (area.right - area.left - 262) / 2) << "left " << WindowRect().left;
    MoveTo(40, 50);

    // A window of the program that is active (a dialog) stays so: nothing
    // that moves or sizes the gadget activates it.
    HWND active = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(active);
    m_gadget.m_size = 450;
    m_host->UpdateSize(SizePlace::WHERE_IT_STANDS);
    m_host->UpdateSize(SizePlace::START_PLACE);
    MoveTo(40, 50);
    EXPECT_EQ(active, GetActiveWindow()) << "the gadget took the activation";
    DestroyWindow(active);
    RECT rect = WindowRect();
    EXPECT_TRUE(rect.left == 40 && rect.top == 50 && rect.right - rect.left == 462);
    EXPECT_EQ(m_host->Compositor().Picture().Width(), 462);
    EXPECT_EQ(m_gadget.m_rect.right, 456);
    EXPECT_EQ(m_host->FindButton(CMD_SETTINGS)->Rect().left, 462 - 48);
}

// A window pushed partly off the work area comes wholly back onto it when
// the displays or the work area change, and after a size change; other
// setting changes leave it where it is.
TEST_F(GadgetHost, ComesBackOnScreenWhenTheDisplaysChange)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    const RECT area = WorkArea();
    const struct
    {
        const char* what;
        UINT message;
        WPARAM wParam;
        bool comesBack;
    } rows[] = {
        {"WM_DISPLAYCHANGE", WM_DISPLAYCHANGE, 32, true},
        {"WM_SETTINGCHANGE with SPI_SETWORKAREA", WM_SETTINGCHANGE, SPI_SETWORKAREA, true},
        {"WM_SETTINGCHANGE with SPI_SETDESKWALLPAPER", WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, false},
        {"a larger size", 0, 0, true},
    };
    for (const auto& row : rows) {
        const int left = area.right - 100, top = area.top - 50;
        MoveTo(left, top);
        if (row.message) {
            SendMessageA(Window(), row.message, row.wParam, 0);
        } else {
            m_gadget.m_size = 450;
            m_host->UpdateSize(SizePlace::WHERE_IT_STANDS);
        }
        RECT rect = WindowRect();
        bool back = rect.left == area.right - (rect.right - rect.left) && rect.top == area.top;
        bool stayed = rect.left == left && rect.top == top;
        EXPECT_TRUE(row.comesBack ? back : stayed) << row.what << ": at (" << rect.left << ", " << rect.top << ")";
    }
}

// On a screen of twice the DPI the gadget takes twice its size, at the
// top-left corner of the rectangle the system suggests.
TEST_F(GadgetHost, FollowsTheScaleOfTheScreen)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    RECT suggested = {100, 120, 100 + 524, 120 + 524};
    SendMessageA(Window(), MESSAGE_DPI_CHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    RECT rect = WindowRect();
    EXPECT_TRUE(rect.left == 100 && rect.top == 120 && rect.right == 624 && rect.bottom == 644)
        << "window at (" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
    EXPECT_TRUE(m_gadget.m_rect.left == 12 && m_gadget.m_rect.right == 512)
        << "content from " << m_gadget.m_rect.left << " to " << m_gadget.m_rect.right;
    EXPECT_EQ(m_host->FindButton(CMD_CLOSE), nullptr) << "the buttons of the old scale are gone";
    RECT button = m_host->FindButton(CMD_SETTINGS)->Rect();
    EXPECT_TRUE(button.left == 524 - 12 - 52 - 32 && button.right - button.left == 32)
        << "button from " << button.left << " to " << button.right;
}

// Frames that change only what the host draws (a hover, a repaint, a move)
// reuse the gadget's picture and look exactly as a frame painted afresh; a
// change the gadget reports, the clock's and the language's paint it again.
TEST_F(GadgetHost, PaintsTheGadgetOnlyWhenItChanged)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    for (int i = 0; i < 100 && m_host->Frames().Animating(); i++)
        Pump(20);
    ASSERT_EQ(m_host->Frames().Opacity(), 1.0f) << "the fade-in ends";
    const CBitmapSurface& picture = m_host->Compositor().Picture();
    auto shown = [&picture]() {
        return std::string(reinterpret_cast<const char*>(picture.GetPixels()), picture.GetStride() * picture.Height());
    };
    m_host->ContentChanged();
    m_host->DrawFrame();
    const std::string fresh = shown();
    const struct
    {
        const char* what;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool paints, looksFresh;
    } rows[] = {
        {"a repaint", WM_PAINT, 0, 0, false, true},
        {"a hover", WM_MOUSEMOVE, 0, MAKELPARAM(262 - 40, 20), false, false},
        {"the hover's end", WM_MOUSEMOVE, 0, MAKELPARAM(100, 100), false, true},
        {"the clock's change", WM_TIMECHANGE, 0, 0, true, true},
        {"the gadget's change", 0, 0, 0, true, true},
        {"the language's change", 0, 1, 0, true, true},
    };
    for (const auto& row : rows) {
        const int before = m_gadget.m_paints;
        if (row.message)
            SendMessageA(Window(), row.message, row.wParam, row.lParam);
        else if (row.wParam)
            m_host->SetLanguage(LANGUAGE_ENGLISH);
        else
            m_host->ContentChanged();
        m_host->DrawFrame();
        EXPECT_EQ(m_gadget.m_paints - before, row.paints ? 1 : 0) << row.what;
        EXPECT_EQ(shown() == fresh, row.looksFresh) << row.what;
    }
}

TEST_F(GadgetHost, NoFrameBandTakesASystemFrame)
{
    ASSERT_TRUE(MakeHost(0)->Create(GetModuleHandleA(nullptr)));
    EXPECT_NE(GetWindowLongA(Window(), GWL_STYLE) & WS_DLGFRAME, 0);
}

// The program hears of the place to keep when a drag ends (also when another
// window takes the mouse), at the session's end and when the window goes.
TEST_F(GadgetHost, DragFollowsTheMouseAndReportsThePlace)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    const struct
    {
        const char* what;
        UINT message;
        WPARAM wParam;
    } rows[] = {
        {"the release", WM_LBUTTONUP, 0},
        {"the capture taken", WM_CAPTURECHANGED, 0},
        {"the session's end", WM_ENDSESSION, TRUE},
        {"the window's end", WM_CLOSE, 0},
    };
    for (const auto& row : rows) {
        const RECT before = WindowRect();
        m_events.m_places.clear();
        if (row.message != WM_ENDSESSION && row.message != WM_CLOSE) {
            SendMessageA(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
            EXPECT_EQ(GetCapture(), Window()) << row.what;
            SendMessageA(Window(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(120, 130));
            const RECT after = WindowRect();
            EXPECT_TRUE(after.left == before.left + 20 && after.top == before.top + 30) << row.what;
            EXPECT_TRUE(m_events.m_places.empty()) << row.what << ": reported before the drag ended";
        }
        const RECT now = WindowRect();
        SendMessageA(Window(), row.message, row.wParam, 0);
        Pump(50);
        ASSERT_EQ(m_events.m_places.size(), 1u) << row.what;
        EXPECT_TRUE(m_events.m_places[0].x == now.left && m_events.m_places[0].y == now.top) << row.what;
    }
    EXPECT_FALSE(IsWindow(Window()));
}

TEST_F(GadgetHost, ButtonsReachTheGadgetAndCloseCloses)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    for (int x : {262 - 40, 262 - 22}) {
        SendMessageA(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(x, 20));
        SendMessageA(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 20));
        EXPECT_EQ(GetCapture(), nullptr) << "a press on a button drags at " << x;
        SendMessageA(Window(), WM_LBUTTONUP, 0, MAKELPARAM(x, 20));
    }
    EXPECT_EQ(m_gadget.m_lastCommand, CMD_SETTINGS) << "the gadget hears of its own button";
    Pump(100);
    EXPECT_FALSE(IsWindow(Window()));
}

TEST_F(GadgetHost, HoverShowsTheToolTipAtOnceAndEndsWhenTheMouseLeaves)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    Pump(200);
    const CGadgetButton* button = m_host->FindButton(CMD_SETTINGS);
    POINT point = {262 - 40, 20};
    ClientToScreen(Window(), &point);
    SetCursorPos(point.x, point.y);
    Pump(100);
    SetCursorPos(point.x + 1, point.y);
    Pump(300);
    EXPECT_TRUE(button->Hovered());
    const HWND tip = ShownTip();
    EXPECT_TRUE(tip);
    EXPECT_TRUE(WatchingForLeave());
    Sleep(50);
    MSG pending;
    EXPECT_FALSE(PeekMessageA(&pending, tip, WM_TIMER, WM_TIMER, PM_NOREMOVE))
        << "a tip shown under a resting mouse polls it: timer " << pending.wParam;

    // Off the button onto the picture where the gadget has no tip: once the
    // rest there is heard of, nothing is left to watch the leave for.
    POINT picture = {200, 100};
    ClientToScreen(Window(), &picture);
    SetCursorPos(picture.x, picture.y);
    Pump(300 + HoverTime());
    EXPECT_FALSE(WatchingForLeave()) << "hovered " << button->Hovered();
    SetCursorPos(point.x, point.y);
    Pump(300);
    EXPECT_TRUE(button->Hovered());

    // Straight out of the window from the button: no move arrives inside.
    SetCursorPos(point.x + 400, point.y + 400);
    Pump(300);
    EXPECT_FALSE(button->Hovered());
    EXPECT_FALSE(ShownTip());
    EXPECT_FALSE(WatchingForLeave());

    // A move over the button handled when the mouse has gone again (a quick
    // flick): the leave still comes.
    SendMessageA(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(262 - 40, 20));
    Pump(300);
    EXPECT_FALSE(button->Hovered());
    EXPECT_FALSE(ShownTip());
}

// A rest on the gadget shows its tip, and then nothing polls the resting
// mouse: no hover or leave watch, no timer; the tip goes on a button.
TEST_F(GadgetHost, RestOnTheGadgetShowsItsTipAndWatchesNothing)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    Pump(200);
    POINT picture = {60, 120};
    ClientToScreen(Window(), &picture);
    SetCursorPos(picture.x, picture.y);
    Pump(100);
    SetCursorPos(picture.x + 1, picture.y);
    Pump(300 + HoverTime());
    const HWND gadgetTip = ShownTip();
    ASSERT_TRUE(gadgetTip);
    wchar_t text[16] = L"";
    SendMessageW(gadgetTip, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Tip");
    TRACKMOUSEEVENT query = {sizeof(query), TME_QUERY, nullptr, 0};
    EXPECT_FALSE(TrackMouseEvent(&query) && query.hwndTrack == Window() && (query.dwFlags & (TME_HOVER | TME_LEAVE)))
        << "watched: " << query.dwFlags;
    MSG pending;
    EXPECT_FALSE(PeekMessageA(&pending, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE)) << "timer " << pending.wParam;

    POINT button = {262 - 40, 20};
    ClientToScreen(Window(), &button);
    SetCursorPos(button.x, button.y);
    Pump(300);
    EXPECT_FALSE(IsWindowVisible(gadgetTip));
}
