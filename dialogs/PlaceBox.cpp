// The Settings dialog's place box: a place found by typing its name, chosen from a list under the box.
#include "dialogs/PlaceBox.h"

#include "platform/Handles.h"
#include "text/Strings.h"

#include <commctrl.h>
#include <new>

namespace {

// The subclasses' ids on their windows.
const UINT_PTR EDIT_SUBCLASS = 1;
const UINT_PTR LIST_SUBCLASS = 2;
const UINT_PTR TIP_SUBCLASS = 3;
// What the box hears when its places are ready.
const UINT PLACES_PREPARED = WM_APP + 1;
// Characters of a typed name.
const int TYPED_MAX = 64;
// UTF-8 bytes of a typed name: up to three a character.
const int TYPED_UTF8_MAX = TYPED_MAX * 3;
// Pixels a list box leaves on either side of a line's text.
const int LINE_PADDING = 3;
const wchar_t ELLIPSIS[] = L"\x2026";
// A line of text, to measure the tip by.
const wchar_t ONE_LINE[] = L"Ag";

bool IsListKey(WPARAM key)
{
    return key == VK_RETURN || key == VK_ESCAPE;
}

// Cuts line so that it takes at most width pixels in dc, ending it with an
// ellipsis; false when it fits as it is.
bool CutToWidth(HDC dc, wchar_t* line, int width)
{
    const int length = lstrlenW(line);
    SIZE size = {};
    int fits = 0;
    if (!GetTextExtentExPointW(dc, line, length, width, &fits, nullptr, &size) || fits >= length)
        return false;
    SIZE ellipsis = {};
    GetTextExtentPoint32W(dc, ELLIPSIS, 1, &ellipsis);
    GetTextExtentExPointW(dc, line, length, width - ellipsis.cx, &fits, nullptr, &size);
    // Not after half a surrogate pair.
    if (fits > 0 && IS_HIGH_SURROGATE(line[fits - 1]))
        --fits;
    line[fits] = ELLIPSIS[0];
    line[fits + 1] = L'\0';
    return true;
}

// The tip's one tool: the list, the tip placed where the box puts it.
TTTOOLINFOW TipTool(HWND list)
{
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = list;
    return tool;
}

// What the list's frame adds to its lines on each side (left and top negative).
RECT ListFrame(HWND list)
{
    RECT frame = {};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(list, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(list, GWL_EXSTYLE)));
    return frame;
}

}  // namespace

CPlaceBox::CPlaceBox() = default;
CPlaceBox::~CPlaceBox() = default;

void CPlaceBox::Attach(HWND dialog, int editId, int listId, int language)
{
    m_dialog = dialog;
    m_edit = GetDlgItem(dialog, editId);
    m_language = language;
    SendMessageW(m_edit, EM_SETLIMITTEXT, TYPED_MAX - 1, 0);
    // A child of the dialog, so that it moves with it and never takes the
    // activation; it stays hidden until there is something to list.
    m_list = CreateWindowExW(0, L"LISTBOX", nullptr, WS_CHILD | WS_BORDER | WS_CLIPSIBLINGS | LBS_NOINTEGRALHEIGHT, 0,
                             0, 0, 0, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(listId)),
                             GetModuleHandleW(nullptr), nullptr);
    const WPARAM font = SendMessageW(dialog, WM_GETFONT, 0, 0);
    SendMessageW(m_list, WM_SETFONT, font, FALSE);
    // Owned by the dialog, which destroys it; it tracks the line picked.
    m_tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    TTTOOLINFOW tool = TipTool(m_list);
    tool.lpszText = const_cast<wchar_t*>(ONE_LINE);
    SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(m_tip, WM_SETFONT, font, FALSE);
    // Every line at least as tall as a tip of one line, so that the tip
    // over a cut line covers that line alone: the tip measured once, shown
    // and hidden again before the dialog shows.
    SendMessageW(m_tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    RECT tip = {};
    GetWindowRect(m_tip, &tip);
    SendMessageW(m_tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    m_tipHeight = tip.bottom - tip.top;
    if (m_tipHeight > SendMessageW(m_list, LB_GETITEMHEIGHT, 0, 0))
        SendMessageW(m_list, LB_SETITEMHEIGHT, 0, m_tipHeight);
    SetWindowSubclass(m_edit, EditProc, EDIT_SUBCLASS, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(m_list, ListProc, LIST_SUBCLASS, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(m_tip, TipProc, TIP_SUBCLASS, reinterpret_cast<DWORD_PTR>(this));
    if (!SystemCountry(m_homeCountry))
        m_homeCountry[0] = '\0';
    m_prepared.reset(new (std::nothrow) CPreparedPlaces(m_edit, PLACES_PREPARED));
    m_places = m_prepared ? PlacesState::PREPARING : PlacesState::UNAVAILABLE;
}

void CPlaceBox::OnPlacesPrepared()
{
    m_places = m_prepared && m_prepared->Take() ? PlacesState::READY : PlacesState::UNAVAILABLE;
    // Only what the user typed meanwhile is listed, not the name the
    // dialog opened with.
    if (m_typedWhilePreparing)
        OnTextChanged();
}

void CPlaceBox::OnTextChanged()
{
    if (m_showingName || !m_list)
        return;
    m_typedWhilePreparing = m_places == PlacesState::PREPARING;
    wchar_t typed[TYPED_MAX] = L"";
    GetWindowTextW(m_edit, typed, TYPED_MAX);
    char text[TYPED_UTF8_MAX];
    if (!WideCharToMultiByte(CP_UTF8, 0, typed, -1, text, TYPED_UTF8_MAX, nullptr, nullptr))
        text[0] = '\0';
    m_foundCount =
        m_places == PlacesState::READY && text[0] ? m_prepared->Search().Find(text, m_homeCountry, m_found) : 0;
    // A refused table: the dial goes on without places, and the list says so
    // in a line that nothing chooses.
    const int lineCount = text[0] && m_places == PlacesState::UNAVAILABLE ? 1 : m_foundCount;
    if (!lineCount) {
        Close();
        return;
    }

    // Under the box, as wide as it, just tall enough for the lines.
    RECT box;
    GetWindowRect(m_edit, &box);
    MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&box), 2);
    const RECT frame = ListFrame(m_list);
    const int lineHeight = static_cast<int>(SendMessageW(m_list, LB_GETITEMHEIGHT, 0, 0));
    const int height = lineCount * lineHeight + frame.bottom - frame.top;
    FillList(box.right - box.left - (frame.right - frame.left));
    SetWindowPos(m_list, HWND_TOP, box.left, box.bottom, box.right - box.left, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(m_list, nullptr, TRUE);
    ShowTip();
}

// The lines of the places found, each cut to width pixels less the list's
// padding; with none, the line that says places are unavailable.
void CPlaceBox::FillList(int width)
{
    const CWindowDC dc(m_list);
    const CSelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(m_list, WM_GETFONT, 0, 0)));
    SendMessageW(m_list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(m_list, LB_RESETCONTENT, 0, 0);
    if (!m_foundCount) {
        const std::wstring unavailable = LocalizedString(IDS_PLACES_UNAVAILABLE, m_language);
        SendMessageW(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(unavailable.c_str()));
    }
    for (int i = 0; i < m_foundCount; ++i) {
        m_prepared->Countries().PlaceText(m_prepared->Gazetteer().Place(m_found[i].place), m_found[i].alternate,
                                          m_language, m_lines[i], PLACE_LINE_MAX);
        wchar_t shown[PLACE_LINE_MAX];
        lstrcpynW(shown, m_lines[i], PLACE_LINE_MAX);
        m_isCut[i] = CutToWidth(dc.Get(), shown, width - 2 * LINE_PADDING);
        SendMessageW(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown));
    }
    SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);
}

// The whole of the line picked, over it, while the list shows it cut.
void CPlaceBox::ShowTip()
{
    TTTOOLINFOW tool = TipTool(m_list);
    const int entry = IsOpen() ? static_cast<int>(SendMessageW(m_list, LB_GETCURSEL, 0, 0)) : -1;
    if (entry < 0 || entry >= m_foundCount || !m_isCut[entry]) {
        SendMessageW(m_tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    tool.lpszText = m_lines[entry];
    SendMessageW(m_tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    RECT line = {};
    SendMessageW(m_list, LB_GETITEMRECT, entry, reinterpret_cast<LPARAM>(&line));
    MapWindowPoints(m_list, nullptr, reinterpret_cast<POINT*>(&line), 2);
    // Over the line itself, as tall as it at most: placed where the tip
    // takes the point for its text, then moved to the pixel.
    const int top = line.top + (line.bottom - line.top - m_tipHeight) / 2;
    SendMessageW(m_tip, TTM_TRACKPOSITION, 0, MAKELPARAM(line.left, top));
    SendMessageW(m_tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    SetWindowPos(m_tip, nullptr, line.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPlaceBox::ShowName(const wchar_t* name)
{
    m_showingName = true;
    SetWindowTextW(m_edit, name);
    const LRESULT end = GetWindowTextLengthW(m_edit);
    SendMessageW(m_edit, EM_SETSEL, end, end);
    m_showingName = false;
    Close();
}

PlaceView CPlaceBox::Chosen() const
{
    PlaceView place = m_prepared->Gazetteer().Place(m_chosen.place);
    if (m_chosen.alternate)
        place.name = m_chosen.alternate;
    return place;
}

bool CPlaceBox::IsOpen() const
{
    // Its own style: a dialog not shown yet has its list open all the same.
    return m_list && (GetWindowLongW(m_list, GWL_STYLE) & WS_VISIBLE);
}

void CPlaceBox::Close()
{
    if (IsOpen())
        ShowWindow(m_list, SW_HIDE);
    ShowTip();
}

void CPlaceBox::Move(int step)
{
    if (!IsOpen()) {
        OnTextChanged();
        return;
    }
    int entry = static_cast<int>(SendMessageW(m_list, LB_GETCURSEL, 0, 0)) + step;
    if (entry < 0)
        entry = 0;
    if (entry >= m_foundCount)
        entry = m_foundCount - 1;
    SendMessageW(m_list, LB_SETCURSEL, entry, 0);
    ShowTip();
}

// The list's keys; false for those it leaves to the box.
bool CPlaceBox::OnKey(WPARAM key)
{
    const bool picked = IsOpen() && SendMessageW(m_list, LB_GETCURSEL, 0, 0) >= 0;
    switch (key) {
    case VK_DOWN: Move(1); return true;
    case VK_UP: Move(-1); return true;
    case VK_NEXT: Move(MAX_FOUND_PLACES); return true;
    case VK_PRIOR: Move(-MAX_FOUND_PLACES); return true;
    case VK_END:
        if (picked)
            Move(MAX_FOUND_PLACES);
        return picked;
    case VK_HOME:
        if (picked)
            Move(-MAX_FOUND_PLACES);
        return picked;
    case VK_RETURN:
    case VK_ESCAPE:
        if (!IsOpen())
            return false;
        if (key == VK_RETURN)
            Choose(static_cast<int>(SendMessageW(m_list, LB_GETCURSEL, 0, 0)));
        else
            Close();
        return true;
    }
    return false;
}

void CPlaceBox::Choose(int entry)
{
    Close();
    if (!m_foundCount)
        return;
    if (entry < 0 || entry >= m_foundCount)
        entry = 0;
    m_chosen = m_found[entry];
    SendMessageW(m_dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(m_edit), PLACE_CHOSEN),
                 reinterpret_cast<LPARAM>(m_edit));
}

LRESULT CALLBACK CPlaceBox::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    CPlaceBox* box = reinterpret_cast<CPlaceBox*>(self);
    switch (message) {
    case WM_GETDLGCODE: {
        // While the list is open its keys stay with the box.
        const MSG* key = reinterpret_cast<const MSG*>(lParam);
        LRESULT code = DefSubclassProc(edit, message, wParam, lParam);
        if (key && key->message == WM_KEYDOWN && IsListKey(key->wParam) && box->IsOpen())
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_KEYDOWN:
        if (box->OnKey(wParam))
            return 0;
        break;
    case WM_CHAR:
        // A single-line box would only beep at them.
        if (IsListKey(wParam))
            return 0;
        break;
    case WM_KILLFOCUS: box->Close(); break;
    case PLACES_PREPARED: box->OnPlacesPrepared(); return 0;
    case WM_NCDESTROY: RemoveWindowSubclass(edit, EditProc, EDIT_SUBCLASS); break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT CALLBACK CPlaceBox::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    CPlaceBox* box = reinterpret_cast<CPlaceBox*>(self);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE: {
        // The list never takes the focus: the box keeps it while a line is
        // pointed at and chosen.
        const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
        if (HIWORD(hit))
            return 0;
        if (message == WM_LBUTTONDOWN)
            box->Choose(LOWORD(hit));
        else if (SendMessageW(list, LB_GETCURSEL, 0, 0) != LOWORD(hit)) {
            SendMessageW(list, LB_SETCURSEL, LOWORD(hit), 0);
            box->ShowTip();
        }
        return 0;
    }
    case WM_LBUTTONDBLCLK: return 0;
    case WM_NCDESTROY: RemoveWindowSubclass(list, ListProc, LIST_SUBCLASS); break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

// The tip lies over the line picked: a click on it chooses that line, and
// never takes the focus from the box.
LRESULT CALLBACK CPlaceBox::TipProc(HWND tip, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    CPlaceBox* box = reinterpret_cast<CPlaceBox*>(self);
    switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_LBUTTONDOWN: box->Choose(static_cast<int>(SendMessageW(box->m_list, LB_GETCURSEL, 0, 0))); return 0;
    case WM_NCDESTROY: RemoveWindowSubclass(tip, TipProc, TIP_SUBCLASS); break;
    }
    return DefSubclassProc(tip, message, wParam, lParam);
}
