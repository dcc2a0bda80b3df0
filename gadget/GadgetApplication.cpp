// The host window: creation, size, place, language, buttons and frames.
#include "gadget/GadgetApplication.h"

#include <new>

#include "gadget/ScreenScale.h"
#include "text/Languages.h"
#include "text/Strings.h"

namespace {

const UINT_PTR ANIMATION_TIMER = 1;
// One-shot timer of the gadget's next change, and how late the system may
// deliver it to batch it with other wake-ups (the gadget allows for that).
const UINT_PTR CHANGE_TIMER = 2;
const ULONG CHANGE_TIMER_TOLERANCE_MS = 250;
// The window's size before the gadget gives its own.
const int FIRST_SIZE = 12;
// Characters of the gadget's tip, terminator included.
const int GADGET_TIP_MAX = 1024;
const DWORD WINDOW_STYLE = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU;
const DWORD WINDOW_EX_STYLE = WS_EX_APPWINDOW;
// A move or size of the window leaves the stacking order and the active
// window alone: a dialog of the gadget may be open and keep the keyboard.
const UINT PLACE_QUIETLY = SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE;

// The top-left corner that centres a window of this size on the primary
// screen's work area (the screen without the taskbar).
PlacePoint CentredOnPrimary(int width, int height)
{
    CWorkAreaList screens;
    screens.Read();
    return StartPlace(nullptr, width, height, screens.Get());
}

}  // namespace

void CentreWindowOnScreen(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    PlacePoint corner = CentredOnPrimary(width, height);
    MoveWindow(window, corner.x, corner.y, width, height, TRUE);
}

CGadgetApplication::CGadgetApplication(CGadget* gadget, CGadgetEvents* events, const HostStyle& style)
    : m_gadget(gadget), m_events(events), m_style(style), m_width(FIRST_SIZE), m_height(FIRST_SIZE),
      m_frames({style.dragOpacity, style.fadeTime, style.idleRedrawMs})
{
    m_compositor.SetFrame(style.frameWidth, style.cornerRadius);
}

CGadgetApplication::~CGadgetApplication()
{
    m_buttons.clear();
    m_mouseGone.Stop();
    m_gadgetTip.reset();
    m_windowDC.reset();
    if (m_window && IsWindow(m_window)) {
        // The window must not reach this half-destroyed host any more.
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
}

void CGadgetApplication::OnCommand(int command)
{
    if (command == CMD_CLOSE)
        PostMessageW(m_window, WM_CLOSE, 0, 0);
    else if (command > 0 && m_gadget)
        m_gadget->OnCommand(command);
}

int CGadgetApplication::Language() const
{
    return m_events ? m_events->Language() : LANGUAGES[0].id;
}

bool CGadgetApplication::SetLanguage(int language)
{
    // A tip that shows keeps its text: it goes, and the next rest brings one
    // in the new language.
    HideGadgetTip();
    if (m_events)
        m_events->OnLanguageChanged(language);
    for (const std::unique_ptr<CGadgetButton>& button : m_buttons)
        button->UpdateTipText(language);
    if (m_window)
        ModifyMenuW(GetSystemMenu(m_window, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE,
                    LocalizedString(IDS_CLOSE_ITEM, language).c_str());
    m_frames.ContentChanged();
    return true;
}

void CGadgetApplication::ContentChanged()
{
    m_frames.ContentChanged();
    if (m_window)
        InvalidateRect(m_window, nullptr, FALSE);
}

bool CGadgetApplication::Create(HINSTANCE instance)
{
    if (m_window)
        return true;
    m_window = CreateGadgetWindow(instance);
    if (!m_window)
        return false;
    m_windowDC.reset(new (std::nothrow) CWindowDC(m_window));
    if (!m_windowDC)
        return false;
    HDC windowDC = m_windowDC->Get();
    m_gadgetTip.reset(new (std::nothrow) CTrackingTip(m_window, L""));
    // Where the system has no coalescable timers a plain one does.
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32)
        m_setCoalescableTimer = reinterpret_cast<decltype(m_setCoalescableTimer)>(
            reinterpret_cast<void*>(GetProcAddress(user32, "SetCoalescableTimer")));
    // The fade-in runs from the start.
    ApplyTimers(m_frames.PlanTimers(NO_FRAME_DUE));
    ShowWindow(m_window, SW_SHOW);
    UpdateWindow(m_window);
    if (!SetStretchBltMode(windowDC, HALFTONE))
        SetStretchBltMode(windowDC, COLORONCOLOR);
    m_compositor.Create(windowDC, m_width, m_height, m_style.background);
    if (m_gadget) {
        m_gadget->OnCreate(this, m_window);
        FitToFrame();
    }
    m_compositor.Capture(m_window, DesktopCopy::FRESH, POSITION_UNSET, POSITION_UNSET);
    DrawFrame();
    UpdateSize(SizePlace::START_PLACE);
    return true;
}

HWND CGadgetApplication::CreateGadgetWindow(HINSTANCE instance)
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, L"AppIcon");
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = m_style.className;
    // A second host in the same process reuses the class.
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    DWORD style = WINDOW_STYLE | (m_style.frameWidth == 0 ? WS_DLGFRAME : 0);
    HWND window = CreateWindowExW(WINDOW_EX_STYLE, m_style.className, m_style.title, style, 0, 0, 1, 1, nullptr,
                                  nullptr, instance, this);
    if (!window)
        return nullptr;
    RECT rect = {0, 0, m_width, m_height};
    AdjustWindowRectEx(&rect, style, FALSE, WINDOW_EX_STYLE);
    PlacePoint corner = CentredOnPrimary(rect.right - rect.left, rect.bottom - rect.top);
    MoveWindow(window, corner.x, corner.y, rect.right - rect.left, rect.bottom - rect.top, FALSE);

    // The window menu holds Close; the program puts its own items above it.
    HMENU menu = GetSystemMenu(window, FALSE);
    while (DeleteMenu(menu, 0, MF_BYPOSITION)) {
    }
    InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, SC_CLOSE, LocalizedString(IDS_CLOSE_ITEM, Language()).c_str());
    if (m_events)
        m_events->OnWindowCreated(window);
    return window;
}

void CGadgetApplication::WatchMouse()
{
    DWORD wanted = m_hoverWanted ? TME_HOVER : 0;
    const bool tipShown = m_gadgetTip && m_gadgetTip->Shown();
    if (wanted || ButtonHovered() || (tipShown && !m_mouseGone.Watching()))
        wanted |= TME_LEAVE;
    if (wanted == m_tracking)
        return;
    // Some systems take a new request in place of the old one, so both
    // watches are asked for together; nothing wanted cancels both.
    const DWORD flags = wanted ? wanted : TME_HOVER | TME_LEAVE | TME_CANCEL;
    TRACKMOUSEEVENT track = {sizeof(track), flags, m_window, HOVER_DEFAULT};
    if (!TrackMouseEvent(&track))
        return;
    m_tracking = wanted;
    // A mouse that is already gone again gets no watch, and some systems then
    // send no leave either: the window tells itself.
    TRACKMOUSEEVENT query = {sizeof(query), TME_QUERY, nullptr, 0};
    if (wanted && (!TrackMouseEvent(&query) || !(query.dwFlags & TME_LEAVE) || query.hwndTrack != m_window))
        PostMessageW(m_window, WM_MOUSELEAVE, 0, 0);
}

bool CGadgetApplication::ButtonHovered() const
{
    for (const std::unique_ptr<CGadgetButton>& button : m_buttons)
        if (button->Hovered())
            return true;
    return false;
}

void CGadgetApplication::OnMouseMoved(int x, int y)
{
    if (ButtonHovered()) {
        m_hoverWanted = false;
        HideGadgetTip();
    } else if (x != m_restPoint.x || y != m_restPoint.y) {
        m_restPoint = {POSITION_UNSET, POSITION_UNSET};
        wchar_t text[GADGET_TIP_MAX];
        // The tip stays, as it was drawn, while the mouse stays where the
        // gadget has one.
        if (m_gadgetTip && m_gadgetTip->Shown() && !(m_gadget && m_gadget->TipText(x, y, text, GADGET_TIP_MAX)))
            HideGadgetTip();
        m_hoverWanted = !(m_gadgetTip && m_gadgetTip->Shown());
    }
    WatchMouse();
}

void CGadgetApplication::OnMouseRest(int x, int y, WPARAM keys)
{
    m_tracking &= ~TME_HOVER;
    m_hoverWanted = false;
    m_restPoint = {x, y};
    wchar_t text[GADGET_TIP_MAX];
    const bool free = !m_dragging && !(keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && !ButtonHovered();
    if (free && m_gadgetTip && m_gadget && m_gadget->TipText(x, y, text, GADGET_TIP_MAX)) {
        m_gadgetTip->SetText(text);
        m_gadgetTip->Show(true);
        m_mouseGone.Start();
    }
    WatchMouse();
}

void CGadgetApplication::HideGadgetTip()
{
    if (m_gadgetTip)
        m_gadgetTip->Show(false);
    m_mouseGone.Stop();
}

bool CGadgetApplication::DrawFrame()
{
    return Compose(FrameAsk::FORCED);
}

bool CGadgetApplication::Compose(FrameAsk ask)
{
    const bool forced = ask == FrameAsk::FORCED;
    if (!m_compositor.Ready())
        return false;
    // A hover has just begun or ended when a frame is forced.
    if (forced)
        WatchMouse();
    const FrameWork work = m_frames.Frame(timeGetTime(), m_dragging, forced);
    if (work == FrameWork::PAINT)
        m_compositor.PaintContent(m_gadget);
    if (work != FrameWork::NONE) {
        HDC dc = m_compositor.StartFrame();
        for (const std::unique_ptr<CGadgetButton>& button : m_buttons)
            button->Draw(dc);
        m_compositor.FinishFrame(m_windowDC->Get(), m_frames.Opacity());
    }
    // After the gadget painted: its next change counts from this frame.
    ApplyTimers(m_frames.PlanTimers(m_gadget ? m_gadget->NextFrameDelay() : NO_FRAME_DUE));
    return work != FrameWork::NONE;
}

void CGadgetApplication::ApplyTimers(const TimerPlan& plan)
{
    if (plan.startAnimation)
        SetTimer(m_window, ANIMATION_TIMER, CFrameScheduler::ANIMATION_PERIOD_MS, nullptr);
    if (plan.stopAnimation)
        KillTimer(m_window, ANIMATION_TIMER);
    // Setting the one-shot timer again replaces it; it ends at its message.
    if (plan.changeDelay != NO_FRAME_DUE && m_setCoalescableTimer)
        m_setCoalescableTimer(m_window, CHANGE_TIMER, plan.changeDelay, nullptr, CHANGE_TIMER_TOLERANCE_MS);
    else if (plan.changeDelay != NO_FRAME_DUE)
        SetTimer(m_window, CHANGE_TIMER, plan.changeDelay, nullptr);
    else if (plan.stopChange)
        KillTimer(m_window, CHANGE_TIMER);
}

RECT CGadgetApplication::FrameRect() const
{
    const int frame = m_compositor.FrameWidth();
    return {frame, frame, m_width - frame, m_height - frame};
}

void CGadgetApplication::FitToFrame()
{
    const RECT frame = FrameRect();
    if (m_gadget)
        m_gadget->SetContentRect(frame.left, frame.top, frame.right, frame.bottom);
    for (const std::unique_ptr<CGadgetButton>& button : m_buttons)
        button->SetFrame(frame);
    m_frames.ContentChanged();
}

bool CGadgetApplication::UpdateSize(SizePlace place)
{
    if (!m_gadget)
        return false;
    int width = 0, height = 0;
    if (m_gadget->GetContentSize(&width, &height)) {
        WindowSizeFor(&width, &height);
        Resize(width, height, place);
    }
    return true;
}

void CGadgetApplication::WindowSizeFor(int* width, int* height) const
{
    *width += 2 * m_compositor.FrameWidth();
    *height += 2 * m_compositor.FrameWidth();
}

PlacePoint CGadgetApplication::StartCorner(int width, int height) const
{
    CWorkAreaList screens;
    screens.Read();
    PlacePoint kept = {m_style.left, m_style.top};
    bool known = m_style.left != POSITION_UNSET && m_style.top != POSITION_UNSET;
    return StartPlace(known ? &kept : nullptr, width, height, screens.Get());
}

PlacePoint CGadgetApplication::OnScreenCorner(int width, int height) const
{
    CWorkAreaList screens;
    screens.Read();
    RECT rect;
    GetWindowRect(m_window, &rect);
    return KeepOnScreen({rect.left, rect.top}, width, height, screens.Get());
}

void CGadgetApplication::ReportPlace()
{
    RECT rect;
    // A minimized window stands far outside every screen.
    if (IsIconic(m_window) || !GetWindowRect(m_window, &rect))
        return;
    // A later start place (centring after the first start's choice) is this one.
    m_style.left = rect.left;
    m_style.top = rect.top;
    if (m_events)
        m_events->OnPlaceChanged(rect.left, rect.top);
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
    m_compositor.SetFrame(frameWidth, cornerRadius);
    return true;
}

void CGadgetApplication::OnDpiChanged(int dpi, const RECT& suggested)
{
    HideGadgetTip();
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
    DrawFrame();
}

bool CGadgetApplication::Resize(int width, int height, SizePlace place)
{
    const bool start = place == SizePlace::START_PLACE;
    PlacePoint corner = start ? StartCorner(width, height) : OnScreenCorner(width, height);
    // The size may have been reached without the start place (a choice made
    // in the first-start dialog): the start place still moves the window.
    if (width == m_width && height == m_height && !start)
        return false;
    return Place(width, height, corner);
}

bool CGadgetApplication::Place(int width, int height, PlacePoint corner)
{
    if (width == m_width && height == m_height) {
        SetWindowPos(m_window, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | PLACE_QUIETLY);
        return false;
    }
    m_width = width;
    m_height = height;
    m_compositor.Resize(width, height);
    m_compositor.Capture(m_window, DesktopCopy::MOVED, corner.x, corner.y);
    FitToFrame();
    SetWindowPos(m_window, nullptr, corner.x, corner.y, width, height, SWP_NOCOPYBITS | PLACE_QUIETLY);
    return true;
}

bool CGadgetApplication::AddButton(int command, const wchar_t* resourceName, int x, int y, int size, int tipStringId)
{
    const ButtonStyle style = {command, resourceName, x, y, size, tipStringId};
    CGadgetButton* button = new (std::nothrow) CGadgetButton(m_window, FrameRect(), style, this, Language());
    if (button)
        m_buttons.emplace_back(button);
    return button != nullptr;
}

const CGadgetButton* CGadgetApplication::FindButton(int command) const
{
    for (const std::unique_ptr<CGadgetButton>& button : m_buttons)
        if (button->Command() == command)
            return button.get();
    return nullptr;
}
