// The host window: creation, size, language, buttons, links and images.
#include "gadget/GadgetApplication.h"

#include <new>

#include "common/Strings.h"
#include "gadget/ScreenScale.h"
#include "platform/Handles.h"
#include "settings/Registry.h"
#include "settings/StoredValues.h"
#include "settings/Strings.h"

namespace {

const UINT_PTR FRAME_TIMER = 1;
const UINT FRAME_PERIOD_MS = 20;
// One-shot timer of the gadget's next change, and how late the system may
// deliver it to batch it with other wake-ups (the gadget allows for that).
const UINT_PTR CHANGE_TIMER = 2;
const ULONG CHANGE_TIMER_TOLERANCE_MS = 250;
const DWORD WINDOW_STYLE = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU;
const DWORD WINDOW_EX_STYLE = WS_EX_APPWINDOW;
// A move or size of the window leaves the stacking order and the active
// window alone: a dialog of the gadget may be open and keep the keyboard.
const UINT PLACE_QUIETLY = SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE;

// Takes a newly made item (null when it could not be made) into the list
// that owns it; returns it.
template <typename T> T* Adopt(std::vector<std::unique_ptr<T>>& items, T* item)
{
    if (item)
        items.emplace_back(item);
    return item;
}

template <typename T> T* FindItem(const std::vector<std::unique_ptr<T>>& items, int command, int param)
{
    for (const std::unique_ptr<T>& item : items)
        if (item->m_command == command && (param == 0 || item->m_param == param))
            return item.get();
    return nullptr;
}

// The top-left corner that centres a window of this size on the primary
// screen's work area (the screen without the taskbar).
void CentredPosition(int width, int height, int* x, int* y)
{
    RECT area;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        SetRect(&area, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    *x = area.left + ((area.right - area.left - width) >> 1);
    *y = area.top + ((area.bottom - area.top - height) >> 1);
}

}  // namespace

CGadgetApplication::CGadgetApplication(CGadget* gadget, CGadgetEvents* events, const char* name, const char* title,
                                       int language, int width, int height, COLORREF backgroundColour, int frameWidth,
                                       int cornerRadius, int animationRedrawMs, float dragOpacity, float fadeTime,
                                       int marginLeft, int marginTop, int marginRight, int marginBottom)
    : m_dragAnchorX(0), m_dragAnchorY(0), m_className(DuplicateString(name)), m_title(DuplicateString(title)),
      m_language(language), m_width(width), m_height(height), m_frameWidth(frameWidth), m_cornerRadius(cornerRadius),
      m_marginLeft(marginLeft), m_marginTop(marginTop), m_marginBottom(marginBottom), m_marginRight(marginRight),
      m_dragOpacity(dragOpacity), m_fadeTime(fadeTime), m_animationRedrawMs(animationRedrawMs),
      m_backgroundColour(backgroundColour), m_window(nullptr), m_windowDC(nullptr), m_backgroundBrush(nullptr),
      m_lastTick(0), m_opacity(0), m_opacityTarget(0), m_dragPhase(0), m_dragPhaseTarget(0), m_idleTime(0),
      m_dragging(false), m_captureX(POSITION_UNSET), m_captureY(POSITION_UNSET), m_captureWidth(0), m_captureHeight(0),
      m_gadget(gadget), m_events(events)
{ }

CGadgetApplication::~CGadgetApplication()
{
    m_gadget = nullptr;
    m_buttons.clear();
    m_links.clear();
    m_images.clear();
    m_composition.reset();
    m_background.reset();
    free(m_className);
    free(m_title);
    if (m_backgroundBrush)
        DeleteObject(m_backgroundBrush);
    if (m_windowDC)
        ReleaseDC(m_window, m_windowDC);
    if (m_window && IsWindow(m_window)) {
        // The window must not reach this half-destroyed host any more.
        SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
}

bool CGadgetApplication::OnCommand(int command, int param, bool checked)
{
    switch (command) {
    case CMD_CLOSE: PostMessageA(m_window, WM_CLOSE, 0, 0); break;
    case CMD_MINIMIZE: ShowWindow(m_window, SW_SHOWMINIMIZED); break;
    case CMD_MAXIMIZE: ShowWindow(m_window, SW_MAXIMIZE); break;
    case CMD_RESTORE: ShowWindow(m_window, SW_SHOWNORMAL); break;
    case CMD_LANGUAGE: SetLanguage(param); break;
    }
    if (command > 0 && m_gadget)
        m_gadget->OnCommand(command);
    if (m_events)
        m_events->OnCommand(command, param, checked);
    return true;
}

bool CGadgetApplication::OnNotify(int command, int param, const char* target)
{
    if (command == CMD_LANGUAGE)
        SetLanguage(param);
    if (m_events)
        m_events->OnNotify(command, param, target);
    return true;
}

bool CGadgetApplication::SetLanguage(int language)
{
    m_language = language;
    for (const std::unique_ptr<CGadgetButton>& button : m_buttons)
        button->UpdateTipText(language);
    // A language switch link is active only for the languages not in force.
    for (const std::unique_ptr<CGadgetLink>& link : m_links)
        if (link->m_command == CMD_LANGUAGE)
            link->SetActive(link->m_param != language);
    if (m_window)
        ModifyMenuW(GetSystemMenu(m_window, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE,
                    LoadLocalizedStringW(IDS_CLOSE_ITEM, language));
    if (m_gadget)
        m_gadget->OnLanguageChanged(language);
    if (m_events)
        m_events->OnLanguageChanged(language);
    return true;
}

bool CGadgetApplication::Create(HINSTANCE instance)
{
    if (m_window)
        return true;
    m_window = CreateGadgetWindow(instance, m_className, m_title, m_width, m_height, m_frameWidth);
    if (!m_window)
        return false;
    m_windowDC = ::GetDC(m_window);
    m_backgroundBrush = CreateSolidBrush(m_backgroundColour);
    // Where the system has no coalescable timers a plain one does.
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32)
        m_setCoalescableTimer = reinterpret_cast<decltype(m_setCoalescableTimer)>(
            reinterpret_cast<void*>(GetProcAddress(user32, "SetCoalescableTimer")));
    // The fade-in runs from the start.
    ScheduleFrames(true);
    ShowWindow(m_window, SW_SHOW);
    UpdateWindow(m_window);
    if (!SetStretchBltMode(m_windowDC, HALFTONE))
        SetStretchBltMode(m_windowDC, COLORONCOLOR);
    // A surface that cannot be made stays without pixels: frames are then
    // not composed and the window shows what the system paints.
    m_composition.reset(new (std::nothrow) CBitmapSurface());
    if (m_composition)
        m_composition->Create(m_windowDC, m_width, m_height, nullptr);
    m_background.reset(new (std::nothrow) CBitmapSurface());
    if (m_background)
        m_background->Create(m_windowDC, m_width, m_height, nullptr);
    if (m_gadget) {
        m_gadget->OnCreate(this, m_window);
        GiveContentRect();
    }
    CaptureBackground(true, POSITION_UNSET, POSITION_UNSET);
    Compose(true);
    UpdateSize(true);
    return true;
}

HWND CGadgetApplication::CreateGadgetWindow(HINSTANCE instance, const char* className, const char* title, int width,
                                            int height, int frameWidth)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, "AppIcon");
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = className;
    // A second host in the same process reuses the class.
    if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    DWORD style = WINDOW_STYLE | (frameWidth == 0 ? WS_DLGFRAME : 0);
    HWND window =
        CreateWindowExA(WINDOW_EX_STYLE, className, title, style, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
    if (!window)
        return nullptr;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    RECT rect = {0, 0, width, height};
    AdjustWindowRectEx(&rect, style, FALSE, WINDOW_EX_STYLE);
    int x, y;
    CentredPosition(rect.right - rect.left, rect.bottom - rect.top, &x, &y);
    MoveWindow(window, x, y, rect.right - rect.left, rect.bottom - rect.top, FALSE);

    // The window menu holds Close; the program puts its own items above it.
    HMENU menu = GetSystemMenu(window, FALSE);
    while (DeleteMenu(menu, 0, MF_BYPOSITION)) {
    }
    InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, SC_CLOSE, LoadLocalizedStringW(IDS_CLOSE_ITEM, m_language));
    if (m_events)
        m_events->OnWindowCreated(window);
    return window;
}

bool CGadgetApplication::ControlHovered() const
{
    for (const std::unique_ptr<CGadgetButton>& button : m_buttons)
        if (button->m_hover)
            return true;
    for (const std::unique_ptr<CGadgetLink>& link : m_links)
        if (link->m_hover)
            return true;
    return false;
}

void CGadgetApplication::WatchForLeave()
{
    const bool wanted = ControlHovered();
    if (wanted == m_trackingLeave)
        return;
    TRACKMOUSEEVENT track = {sizeof(track), static_cast<DWORD>(wanted ? TME_LEAVE : TME_LEAVE | TME_CANCEL), m_window,
                             0};
    if (!TrackMouseEvent(&track))
        return;
    m_trackingLeave = wanted;
    // A mouse that is already gone again gets no watch, and some systems then
    // send no leave either: the window tells itself.
    TRACKMOUSEEVENT query = {sizeof(query), TME_QUERY, nullptr, 0};
    if (wanted && (!TrackMouseEvent(&query) || !(query.dwFlags & TME_LEAVE) || query.hwndTrack != m_window))
        PostMessageA(m_window, WM_MOUSELEAVE, 0, 0);
}

void CGadgetApplication::ScheduleFrames(bool animating)
{
    DWORD delay = m_gadget ? m_gadget->NextFrameDelay() : INFINITE;
    if (animating || delay == 0) {
        if (!m_animating)
            SetTimer(m_window, FRAME_TIMER, FRAME_PERIOD_MS, nullptr);
        m_animating = true;
        delay = INFINITE;
    } else if (m_animating) {
        KillTimer(m_window, FRAME_TIMER);
        m_animating = false;
    }
    // Setting the one-shot timer again replaces it; it ends at its message.
    if (delay != INFINITE) {
        if (m_setCoalescableTimer)
            m_setCoalescableTimer(m_window, CHANGE_TIMER, delay, nullptr, CHANGE_TIMER_TOLERANCE_MS);
        else
            SetTimer(m_window, CHANGE_TIMER, delay, nullptr);
    } else if (m_waiting) {
        KillTimer(m_window, CHANGE_TIMER);
    }
    m_waiting = delay != INFINITE;
}

void CGadgetApplication::GiveContentRect()
{
    if (m_gadget)
        m_gadget->SetContentRect(m_marginLeft + m_frameWidth, m_marginTop + m_frameWidth,
                                 m_width - m_marginRight - m_frameWidth, m_height - m_marginBottom - m_frameWidth);
}

bool CGadgetApplication::UpdateSize(bool centre)
{
    if (!m_gadget)
        return false;
    int width = 0, height = 0;
    if (m_gadget->GetContentSize(&width, &height))
        SetContentSize(width, height, centre);
    return true;
}

bool CGadgetApplication::SetContentSize(int width, int height, bool centre)
{
    WindowSizeFor(&width, &height);
    return Resize(width, height, centre);
}

void CGadgetApplication::WindowSizeFor(int* width, int* height) const
{
    *width += 2 * m_frameWidth + m_marginLeft + m_marginRight;
    *height += 2 * m_frameWidth + m_marginTop + m_marginBottom;
}

PlacePoint CGadgetApplication::StartCorner(int width, int height) const
{
    CWorkAreaList screens;
    screens.Read();
    int left = POSITION_UNSET, top = POSITION_UNSET;
    if (m_placeKey) {
        left = RegReadInt(HKEY_LOCAL_MACHINE, m_placeKey, "WindowLeft", POSITION_UNSET);
        top = RegReadInt(HKEY_LOCAL_MACHINE, m_placeKey, "WindowTop", POSITION_UNSET);
    }
    PlacePoint stored = {PlaceInRange(left), PlaceInRange(top)};
    bool known = left != POSITION_UNSET && top != POSITION_UNSET;
    return StartPlace(known ? &stored : nullptr, width, height, screens.Get());
}

PlacePoint CGadgetApplication::OnScreenCorner(int width, int height) const
{
    CWorkAreaList screens;
    screens.Read();
    RECT rect;
    GetWindowRect(m_window, &rect);
    return KeepOnScreen({rect.left, rect.top}, width, height, screens.Get());
}

void CGadgetApplication::SavePlace() const
{
    RECT rect;
    // A minimized window stands far outside every screen.
    if (!m_placeKey || IsIconic(m_window) || !GetWindowRect(m_window, &rect))
        return;
    RegWriteInt(HKEY_LOCAL_MACHINE, m_placeKey, nullptr, "WindowLeft", rect.left);
    RegWriteInt(HKEY_LOCAL_MACHINE, m_placeKey, nullptr, "WindowTop", rect.top);
}

void CGadgetApplication::BringOnScreen()
{
    if (IsIconic(m_window))
        return;
    PlacePoint corner = OnScreenCorner(m_width, m_height);
    RECT rect;
    GetWindowRect(m_window, &rect);
    if (corner.x != rect.left || corner.y != rect.top)
        SetWindowPos(m_window, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | PLACE_QUIETLY);
}

bool CGadgetApplication::SetFrame(int frameWidth, int cornerRadius)
{
    m_frameWidth = frameWidth;
    m_cornerRadius = cornerRadius;
    return true;
}

void CGadgetApplication::OnDpiChanged(int dpi, const RECT& suggested)
{
    m_buttons.clear();
    int width = m_width, height = m_height;
    if (m_gadget) {
        m_gadget->OnScaleChanged(ScalePercentOfDpi(dpi));
        int contentWidth = 0, contentHeight = 0;
        if (m_gadget->GetContentSize(&contentWidth, &contentHeight)) {
            WindowSizeFor(&contentWidth, &contentHeight);
            width = contentWidth;
            height = contentHeight;
        }
    }
    // The frame may have changed at the same size: the content and the
    // buttons take it all the same.
    if (!Place(width, height, {suggested.left, suggested.top}))
        FitToFrame();
    Compose(true);
}

bool CGadgetApplication::Resize(int width, int height, bool centre)
{
    PlacePoint corner = centre ? StartCorner(width, height) : OnScreenCorner(width, height);
    // The size may have been reached without centring (a choice made in the
    // first-start dialog): the start place still moves the window.
    if (width == m_width && height == m_height && !centre)
        return false;
    return Place(width, height, corner);
}

void CGadgetApplication::FitToFrame()
{
    GiveContentRect();
    int frameRight = m_width - m_frameWidth, frameBottom = m_height - m_frameWidth;
    for (const std::unique_ptr<CGadgetButton>& button : m_buttons)
        button->SetFrame(m_frameWidth, m_frameWidth, frameRight, frameBottom);
    for (const std::unique_ptr<CGadgetImage>& image : m_images)
        image->SetFrame(m_frameWidth, m_frameWidth, frameRight, frameBottom);
}

bool CGadgetApplication::Place(int width, int height, PlacePoint corner)
{
    if (width == m_width && height == m_height) {
        SetWindowPos(m_window, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | PLACE_QUIETLY);
        return false;
    }
    m_width = width;
    m_height = height;
    if (m_composition)
        m_composition->Resize(width, height, false);
    if (m_background)
        m_background->Resize(width, height, true);
    CaptureBackground(false, corner.x, corner.y);
    FitToFrame();
    SetWindowPos(m_window, nullptr, corner.x, corner.y, width, height, SWP_NOCOPYBITS | PLACE_QUIETLY);
    if (m_composition && m_composition->GetDC()) {
        CGdiObject<HBRUSH> white(CreateSolidBrush(RGB(255, 255, 255)));
        RECT all = {0, 0, width, height};
        FillRect(m_composition->GetDC(), &all, white.Get());
    }
    return true;
}

void CentreWindowOnScreen(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    int x, y;
    CentredPosition(width, height, &x, &y);
    MoveWindow(window, x, y, width, height, TRUE);
}

CGadgetButton* CGadgetApplication::AddButton(CCommandTarget* owner, int command, int param, const char* resourceName,
                                             int alignX, int alignY, int x, int y, int w, int h, bool visible,
                                             bool radio, bool toggle, bool checked, const char* tipText,
                                             int tipStringId, bool flat)
{
    return Adopt(m_buttons, new (std::nothrow) CGadgetButton(
                                m_window, m_frameWidth, m_frameWidth, m_width - m_frameWidth, m_height - m_frameWidth,
                                command, param, resourceName, alignX, alignY, x, y, w, h, visible, radio, toggle,
                                checked, tipText, tipStringId, flat, owner ? owner : this, m_language));
}

bool CGadgetApplication::AddButton(int command, const char* resourceName, int x, int y, int size, int tipStringId)
{
    return AddButton(this, command, 0, resourceName, 1, -1, x, y, size, size, true, false, false, false, nullptr,
                     tipStringId, false) != nullptr;
}

CGadgetButton* CGadgetApplication::FindButton(int command, int param)
{
    return FindItem(m_buttons, command, param);
}

CGadgetLink* CGadgetApplication::AddLink(int command, int param, CNotifyTarget* listener, const char* text,
                                         const char* target, bool active, COLORREF textColour, COLORREF hoverColour,
                                         COLORREF boxColour, COLORREF boxBorderColour, int boxPadding, bool useFont3,
                                         bool useFont2, HFONT font1, HFONT font2, HFONT font3, int left, int top,
                                         int right, int bottom)
{
    CGadgetLink* link = Adopt(
        m_links, new (std::nothrow) CGadgetLink(command, param, listener ? listener : static_cast<CNotifyTarget*>(this),
                                                text, target, active, textColour, hoverColour, boxColour,
                                                boxBorderColour, boxPadding, useFont3, useFont2, font1, font2, font3));
    if (link)
        link->SetRect(left, top, right, bottom);
    return link;
}

CGadgetLink* CGadgetApplication::FindLink(int command, int param)
{
    return FindItem(m_links, command, param);
}

bool CGadgetApplication::AddImage(const char* resourceName, int alignX, int alignY, int x, int y)
{
    CGadgetImage* image =
        Adopt(m_images, new (std::nothrow) CGadgetImage(m_windowDC, resourceName, alignX, alignY, x, y));
    if (!image)
        return false;
    image->SetFrame(m_frameWidth, m_frameWidth, m_width - m_frameWidth, m_height - m_frameWidth);
    return true;
}
