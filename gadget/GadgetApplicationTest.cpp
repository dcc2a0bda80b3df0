// Tests of the host with a gadget and an event sink of their own.
#include "gadget/GadgetApplication.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <math.h>
#include <memory>
#include <string>

#include "gadget/GadgetButton.h"
#include "gadget/GadgetImage.h"
#include "gadget/GadgetLink.h"
#include "gadget/ScreenScale.h"
#include "raster/BitmapSurface.h"
#include "settings/Strings.h"

namespace {

std::wstring ToolTipText(const CGadgetButton* button)
{
    wchar_t text[256] = L"";
    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = button->m_window;
    tool.uId = 0;
    tool.lpszText = text;
    SendMessageW(button->m_toolTip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    return text;
}

// A gadget of a fixed content size that adds a button with a tool tip, like
// the dial does, and records what the host asks of it.
class TestGadget : public CGadget
{
public:
    bool OnCreate(CGadgetHost* host, HWND) override
    {
        m_contentRectCallsBeforeCreate = m_contentRectCalls;
        host->AddButton(CMD_SETTINGS, "ButtonSettings", -26, 7, 16, IDS_SETTINGS_TIP);
        return true;
    }
    bool Paint(HDC, unsigned char*, int stride) override
    {
        m_paints++;
        m_stride = stride;
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
        *width = m_size;
        *height = m_size;
        return true;
    }
    bool OnMessage(HWND, UINT, WPARAM, LPARAM, bool*) override { return false; }
    bool OnTimer() override { return false; }
    DWORD NextFrameDelay() override { return INFINITE; }
    bool OnLanguageChanged(int) override
    {
        m_tipWhenToldOfLanguage = ToolTipText(m_host->m_buttons[0].get());
        return true;
    }
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
        m_host->AddButton(CMD_SETTINGS, "ButtonSettings", -52, 14, 32, IDS_SETTINGS_TIP);
        return true;
    }

    CGadgetApplication* m_host = nullptr;  // the host under test, to look into
    int m_lastCommand = 0;
    int m_size = 250;
    int m_paints = 0, m_stride = 0;
    int m_contentRectCalls = 0, m_contentRectCallsBeforeCreate = -1;
    RECT m_rect = {};
    std::wstring m_tipWhenToldOfLanguage;
};

class RecordingEvents : public CGadgetEvents
{
public:
    bool OnCommand(int command, int, bool) override
    {
        m_lastCommand = command;
        return true;
    }
    bool OnNotify(int, int, const char*) override { return true; }
    bool OnLanguageChanged(int language) override
    {
        m_language = language;
        return true;
    }
    void OnWindowCommand(HWND, int id, HWND) override { m_lastWindowCommand = id; }
    void OnWindowCreated(HWND window) override { m_createdWindow = window; }
    int m_lastCommand = 0, m_language = -1, m_lastWindowCommand = 0;
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
    CGadgetApplication* MakeHost(int frameWidth = 6, float fadeTime = 0.15f)
    {
        m_host.reset(new CGadgetApplication(&m_gadget, &m_events, "UmbrantTest", "Umbrant", LANGUAGE_ENGLISH, 12, 12,
                                            RGB(255, 255, 255), frameWidth, 4, 1000, 0.75f, fadeTime, 0, 0, 0, 0));
        m_gadget.m_host = m_host.get();
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
    RECT WindowRect() const
    {
        RECT rect;
        GetWindowRect(m_host->m_window, &rect);
        return rect;
    }

    TestGadget m_gadget;
    RecordingEvents m_events;
    std::unique_ptr<CGadgetApplication> m_host;
};

}  // namespace

// Centred on the primary monitor's work area (host_two_monitors.sh gives it
// a panel, which the virtual screen here lacks).
TEST_F(GadgetHost, CreateTakesTheGadgetsSizeCentred)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor));
    const RECT work = monitor.rcWork;
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    RECT rect = WindowRect();
    EXPECT_EQ(rect.right - rect.left, 262);
    EXPECT_EQ(rect.bottom - rect.top, 262);
    EXPECT_EQ(rect.left, work.left + (work.right - work.left - 262) / 2);
    EXPECT_EQ(rect.top, work.top + (work.bottom - work.top - 262) / 2);
    EXPECT_EQ(m_gadget.m_contentRectCallsBeforeCreate, 0) << "OnCreate comes before the first content rectangle";
    EXPECT_EQ(m_gadget.m_rect.left, 6);
    EXPECT_EQ(m_gadget.m_rect.top, 6);
    EXPECT_EQ(m_gadget.m_rect.right, 256);
    EXPECT_EQ(m_gadget.m_rect.bottom, 256);
    EXPECT_GT(m_gadget.m_paints, 0);
    EXPECT_EQ(m_gadget.m_stride, 262 * 4);
    const HWND window = m_host->m_window;
    m_host->Create(GetModuleHandleA(nullptr));
    EXPECT_EQ(window, m_host->m_window) << "a second Create is a no-op";

    // The button added while the window was 12 x 12 moved with the frame.
    int left, top, right, bottom;
    m_host->m_buttons[0]->GetRect(&left, &top, &right, &bottom);
    EXPECT_EQ(left, 262 - 48);
    EXPECT_EQ(top, 13);
}

// The host's window menu holds Close; the program hears of the window in
// time to put its own items above it, and of their commands.
TEST_F(GadgetHost, SystemMenuHoldsCloseAndTheProgramsItems)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    EXPECT_EQ(m_events.m_createdWindow, m_host->m_window);
    HMENU menu = GetSystemMenu(m_host->m_window, FALSE);
    ASSERT_EQ(GetMenuItemCount(menu), 1);
    EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(SC_CLOSE));
    char text[256];
    GetMenuStringA(menu, 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "&Close\tAlt+F4");
    m_host->SetLanguage(LANGUAGE_SLOVENIAN);
    GetMenuStringA(menu, 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "&Zapri\tAlt+F4") << "Close follows the language";
    // The system may set the four low bits of a menu command.
    SendMessageA(m_host->m_window, WM_SYSCOMMAND, 0x20 | 0x3, 0);
    EXPECT_EQ(m_events.m_lastWindowCommand, 0x20);
}

TEST_F(GadgetHost, ResizeKeepsTheCornerAndCentresEvenAtTheSameSize)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    SetWindowPos(m_host->m_window, nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(m_host->Resize(262, 262, false));
    EXPECT_EQ(WindowRect().left, 40);
    // A size reached earlier without centring is centred when asked.
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_FALSE(m_host->Resize(262, 262, true));
    EXPECT_EQ(WindowRect().left, area.left + (area.right - area.left - 262) / 2) << "left " << WindowRect().left;
    SetWindowPos(m_host->m_window, nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    // A window of the program that is active (a dialog) stays so: nothing
    // that moves or sizes the gadget activates it.
    HWND active = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(active);
    m_gadget.m_size = 450;
    m_host->UpdateSize(false);
    m_host->Resize(462, 462, true);
    SetWindowPos(m_host->m_window, nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(active, GetActiveWindow()) << "the gadget took the activation";
    DestroyWindow(active);
    RECT rect = WindowRect();
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.top, 50);
    EXPECT_EQ(rect.right - rect.left, 462);
    EXPECT_EQ(m_host->m_composition->m_width, 462);
    EXPECT_EQ(m_host->m_background->m_height, 462);
    EXPECT_EQ(m_gadget.m_rect.right, 456);
    int left, top, right, bottom;
    m_host->m_buttons[0]->GetRect(&left, &top, &right, &bottom);
    EXPECT_EQ(left, 462 - 48);
}

// A window pushed partly off the work area comes wholly back onto it when
// the displays or the work area change, and after a size change; other
// setting changes leave it where it is.
TEST_F(GadgetHost, ComesBackOnScreenWhenTheDisplaysChange)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
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
        SetWindowPos(m_host->m_window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (row.message) {
            SendMessageA(m_host->m_window, row.message, row.wParam, 0);
        } else {
            m_gadget.m_size = 450;
            m_host->UpdateSize(false);
        }
        RECT rect = WindowRect();
        if (row.comesBack)
            EXPECT_TRUE(rect.left == area.right - (rect.right - rect.left) && rect.top == area.top)
                << row.what << ": at (" << rect.left << ", " << rect.top << ")";
        else
            EXPECT_TRUE(rect.left == left && rect.top == top)
                << row.what << ": moved to (" << rect.left << ", " << rect.top << ")";
    }
}

// On a screen of twice the DPI the gadget takes twice its size, at the
// top-left corner of the rectangle the system suggests.
TEST_F(GadgetHost, FollowsTheScaleOfTheScreen)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    RECT suggested = {100, 120, 100 + 524, 120 + 524};
    SendMessageA(m_host->m_window, MESSAGE_DPI_CHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    RECT rect = WindowRect();
    EXPECT_TRUE(rect.left == 100 && rect.top == 120 && rect.right == 624 && rect.bottom == 644)
        << "window at (" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
    EXPECT_TRUE(m_gadget.m_rect.left == 12 && m_gadget.m_rect.right == 512)
        << "content from " << m_gadget.m_rect.left << " to " << m_gadget.m_rect.right;
    ASSERT_EQ(m_host->m_buttons.size(), 1u) << "the buttons of the old scale are gone";
    int left, top, right, bottom;
    m_host->m_buttons[0]->GetRect(&left, &top, &right, &bottom);
    EXPECT_TRUE(left == 524 - 12 - 52 - 32 && right - left == 32) << "button from " << left << " to " << right;
}

TEST_F(GadgetHost, ComposesOnlyWhenSomethingChanged)
{
    MakeHost();
    EXPECT_FALSE(m_host->Compose(true)) << "no surfaces before Create";
    EXPECT_FALSE(m_host->CaptureBackground(true, POSITION_UNSET, POSITION_UNSET));
    ASSERT_TRUE(m_host->Create(GetModuleHandleA(nullptr)));

    // The fade-in forces a frame on every step until it settles.
    EXPECT_LT(m_host->m_opacity, 1.0f);
    Sleep(20);
    EXPECT_TRUE(m_host->Compose(false));
    for (int i = 0; i < 200 && m_host->m_opacity < 1.0f; i++) {
        Sleep(20);
        m_host->Compose(false);
    }
    EXPECT_EQ(m_host->m_opacity, 1.0f);
    EXPECT_FALSE(m_host->Compose(false)) << "idle within a second";
    m_host->m_idleTime = 0.9f;
    EXPECT_TRUE(m_host->Compose(true));
    EXPECT_EQ(m_host->m_idleTime, 0.0f) << "a forced frame restarts the idle period";
    EXPECT_FALSE(m_host->m_animating) << "the timer stops with the fade-in";
    m_host->m_idleTime = 1.0f;
    Sleep(5);
    EXPECT_FALSE(m_host->Compose(false)) << "a quiet host draws only what is asked for";

    m_host->m_buttons[0]->m_hover = true;
    m_host->Compose(true);
    EXPECT_FALSE(m_host->m_animating) << "a hovered button's look stands still: no timer";
    m_host->m_buttons[0]->m_hover = false;

    // While something animates, the idle period still ends in a frame.
    m_host->m_dragging = true;
    m_host->Compose(false);
    EXPECT_TRUE(m_host->m_animating) << "a drag runs the timer";
    m_host->m_idleTime = 1.0f;
    Sleep(5);
    EXPECT_TRUE(m_host->Compose(false)) << "the idle period ran out";
    EXPECT_EQ(m_host->m_idleTime, 0.0f);
    m_host->m_dragging = false;
    m_host->Compose(true);
    EXPECT_FALSE(m_host->m_animating);
}

TEST_F(GadgetHost, ZeroFadeTimeJumpsToTheTarget)
{
    ASSERT_TRUE(MakeHost(6, 0.0f)->Create(GetModuleHandleA(nullptr)));
    m_host->Compose(true);
    EXPECT_EQ(m_host->m_opacity, 1.0f);
}

TEST_F(GadgetHost, NoFrameBandCapturesNothing)
{
    ASSERT_TRUE(MakeHost(0)->Create(GetModuleHandleA(nullptr)));
    EXPECT_TRUE(m_host->CaptureBackground(true, POSITION_UNSET, POSITION_UNSET));
    EXPECT_EQ(m_host->m_captureX, POSITION_UNSET);
    EXPECT_NE(GetWindowLongA(m_host->m_window, GWL_STYLE) & WS_DLGFRAME, 0);
}

TEST_F(GadgetHost, DragFollowsTheMouseTranslucently)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    RECT before = WindowRect();
    HWND window = m_host->m_window;
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    EXPECT_TRUE(m_host->m_dragging);
    EXPECT_EQ(GetCapture(), window);
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(120, 130));
    RECT after = WindowRect();
    EXPECT_EQ(after.left, before.left + 20);
    EXPECT_EQ(after.top, before.top + 30);
    for (int i = 0; i < 200 && m_host->m_opacity != 0.75f; i++) {
        Sleep(20);
        m_host->Compose(false);
    }
    EXPECT_EQ(m_host->m_opacity, 0.75f);
    EXPECT_GT(m_host->m_dragPhase, 0.0f);
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(120, 130));
    EXPECT_FALSE(m_host->m_dragging);
    EXPECT_NE(GetCapture(), window);
    EXPECT_EQ(m_host->m_dragPhase, 0.0f);
}

TEST_F(GadgetHost, LanguageReachesTipsBeforeTheGadget)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    m_host->SetLanguage(LANGUAGE_ENGLISH);
    CGadgetButton* button = m_host->FindButton(CMD_SETTINGS, 0);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(ToolTipText(button), L"Settings");
    m_host->OnCommand(CMD_LANGUAGE, LANGUAGE_SLOVENIAN, false);
    EXPECT_EQ(m_host->GetLanguage(), LANGUAGE_SLOVENIAN);
    EXPECT_EQ(ToolTipText(button), L"Nastavitve");
    EXPECT_EQ(m_gadget.m_tipWhenToldOfLanguage, L"Nastavitve");
    EXPECT_EQ(m_events.m_language, LANGUAGE_SLOVENIAN);
}

TEST_F(GadgetHost, HoverShowsTheToolTipAtOnceAndEndsWhenTheMouseLeaves)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    Pump(200);
    CGadgetButton* button = m_host->FindButton(CMD_SETTINGS, 0);
    POINT point = {262 - 40, 20};
    ClientToScreen(m_host->m_window, &point);
    SetCursorPos(point.x, point.y);
    Pump(100);
    SetCursorPos(point.x + 1, point.y);
    Pump(300);
    EXPECT_TRUE(button->m_hover);
    EXPECT_TRUE(IsWindowVisible(button->m_toolTip));
    EXPECT_TRUE(m_host->m_trackingLeave);
    Sleep(50);
    MSG pending;
    EXPECT_FALSE(PeekMessageA(&pending, button->m_toolTip, WM_TIMER, WM_TIMER, PM_NOREMOVE))
        << "a tip shown under a resting mouse polls it: timer " << pending.wParam;

    // Off the button onto the picture: nothing is left to watch the leave for.
    POINT picture = {100, 100};
    ClientToScreen(m_host->m_window, &picture);
    SetCursorPos(picture.x, picture.y);
    Pump(300);
    EXPECT_FALSE(m_host->m_trackingLeave) << "hovered " << button->m_hover;
    SetCursorPos(point.x, point.y);
    Pump(300);
    EXPECT_TRUE(button->m_hover);

    // Straight out of the window from the button: no move arrives inside.
    SetCursorPos(point.x + 400, point.y + 400);
    Pump(300);
    EXPECT_FALSE(button->m_hover);
    EXPECT_FALSE(IsWindowVisible(button->m_toolTip));
    EXPECT_FALSE(m_host->m_trackingLeave);

    // A move over the button handled when the mouse has gone again (a quick
    // flick): the leave still comes.
    SendMessageA(m_host->m_window, WM_MOUSEMOVE, 0, MAKELPARAM(262 - 40, 20));
    Pump(300);
    EXPECT_FALSE(button->m_hover);
    EXPECT_FALSE(IsWindowVisible(button->m_toolTip));
}

TEST_F(GadgetHost, CommandsReachTheEventSink)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    m_host->OnCommand(42, 0, false);
    EXPECT_EQ(m_events.m_lastCommand, 42);
    EXPECT_EQ(m_host->FindButton(42, 0), nullptr);
    EXPECT_EQ(m_host->FindButton(CMD_SETTINGS, 5), nullptr) << "a non-zero param must match";

    // The settings button reports its click to the host, which passes it on.
    SendMessageA(m_host->m_window, WM_MOUSEMOVE, 0, MAKELPARAM(262 - 40, 20));
    SendMessageA(m_host->m_window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(262 - 40, 20));
    EXPECT_FALSE(m_host->m_dragging);
    SendMessageA(m_host->m_window, WM_LBUTTONUP, 0, MAKELPARAM(262 - 40, 20));
    EXPECT_EQ(m_events.m_lastCommand, CMD_SETTINGS);
    EXPECT_EQ(m_gadget.m_lastCommand, CMD_SETTINGS) << "the gadget hears of its own button";

    m_host->OnCommand(CMD_CLOSE, 0, false);
    Pump(100);
    EXPECT_FALSE(IsWindow(m_host->m_window));
}

namespace {

class NotifyRecorder : public CNotifyTarget
{
public:
    bool OnNotify(int command, int, const char* target) override
    {
        m_command = command;
        m_target = target;
        return true;
    }
    int m_command = 0;
    std::string m_target;
};

}  // namespace

TEST_F(GadgetHost, LinksReportClicksAndSwitchLanguages)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    NotifyRecorder listener;
    CGadgetLink* link = m_host->AddLink(7, 0, &listener, "home page", "http://example.org/", true, 0, 0xFF, 0xFFFFFFFF,
                                        0xFFFFFFFF, 0, false, false, font, font, font, 20, 40, 200, 60);
    CGadgetLink* plain = m_host->AddLink(8, 0, &listener, "no target", nullptr, true, 0, 0, 0xFFFFFFFF, 0xFFFFFFFF, 0,
                                         false, false, font, font, font, 20, 80, 200, 100);
    ASSERT_NE(link, nullptr);
    EXPECT_GT(link->m_textWidth, 0);
    EXPECT_EQ(m_host->FindLink(7, 0), link);
    HWND window = m_host->m_window;
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(30, 45));
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 45));
    EXPECT_FALSE(m_host->m_dragging) << "the link took the press";
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(30, 45));
    EXPECT_EQ(listener.m_command, 7);
    EXPECT_EQ(listener.m_target, "http://example.org/");

    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(30, 85));
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 85));
    EXPECT_TRUE(m_host->m_dragging) << "a link without a target never reacts";
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(30, 85));
    EXPECT_EQ(listener.m_command, 7);
    EXPECT_TRUE(plain->m_active);

    // Language switches: the host listens and keeps only the other
    // language's switch active.
    CGadgetLink* english =
        m_host->AddLink(CMD_LANGUAGE, LANGUAGE_ENGLISH, nullptr, "English", "en", true, 0, 0, 0xFFFFFFFF, 0xFFFFFFFF, 0,
                        false, false, font, font, font, 20, 120, 200, 140);
    CGadgetLink* slovenian =
        m_host->AddLink(CMD_LANGUAGE, LANGUAGE_SLOVENIAN, nullptr, "Slovensko", "sl", true, 0, 0, 0xFFFFFFFF,
                        0xFFFFFFFF, 0, false, false, font, font, font, 20, 160, 200, 180);
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(30, 165));
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 165));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(30, 165));
    EXPECT_EQ(m_host->GetLanguage(), LANGUAGE_SLOVENIAN);
    EXPECT_TRUE(english->m_active);
    EXPECT_FALSE(slovenian->m_active);
}

TEST_F(GadgetHost, ImagesFollowTheFrame)
{
    ASSERT_TRUE(MakeHost()->Create(GetModuleHandleA(nullptr)));
    EXPECT_TRUE(m_host->AddImage("ButtonClose", 1, 1, 0, 0));
    CGadgetImage* image = m_host->m_images[0].get();
    EXPECT_EQ(image->m_surface->m_width, 64);
    EXPECT_EQ(image->m_frame.right, 256);
    m_gadget.m_size = 450;
    m_host->UpdateSize(false);
    EXPECT_EQ(image->m_frame.right, 456);
    EXPECT_TRUE(m_host->Compose(true));
    EXPECT_FALSE(m_host->AddImage("NoSuchBitmap", 0, 0, 0, 0) && m_host->m_images[1]->Draw(nullptr));
}
