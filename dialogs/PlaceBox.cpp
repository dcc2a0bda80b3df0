// The Settings dialog's place box: a place found by typing its name, chosen from a list under the box.
#include "dialogs/PlaceBox.h"

#include <commctrl.h>

namespace {

// The subclasses' ids on their windows.
const UINT_PTR EDIT_SUBCLASS = 1;
const UINT_PTR LIST_SUBCLASS = 2;
// Characters of a typed name, and of one line of the list.
const int TYPED_MAX = 64;
const int LINE_MAX = 160;
// UTF-8 bytes of a typed name: up to three a character.
const int TYPED_UTF8_MAX = TYPED_MAX * 3;

bool IsListKey(WPARAM key)
{
    return key == VK_RETURN || key == VK_ESCAPE;
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
    SendMessageW(m_list, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    SetWindowSubclass(m_edit, EditProc, EDIT_SUBCLASS, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(m_list, ListProc, LIST_SUBCLASS, reinterpret_cast<DWORD_PTR>(this));
}

void CPlaceBox::OnTextChanged()
{
    if (m_showingName || !m_list)
        return;
    wchar_t typed[TYPED_MAX] = L"";
    GetWindowTextW(m_edit, typed, TYPED_MAX);
    char text[TYPED_UTF8_MAX];
    if (!WideCharToMultiByte(CP_UTF8, 0, typed, -1, text, TYPED_UTF8_MAX, nullptr, nullptr))
        text[0] = '\0';
    if (!m_gazetteer) {
        m_gazetteer = std::make_unique<CGazetteer>();
        m_countries = std::make_unique<CCountryNames>();
    }
    m_foundCount = text[0] ? m_gazetteer->Find(text, m_found) : 0;
    if (!m_foundCount) {
        Close();
        return;
    }
    SendMessageW(m_list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(m_list, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < m_foundCount; ++i) {
        wchar_t line[LINE_MAX];
        m_countries->PlaceText(m_gazetteer->Place(m_found[i]), m_language, line, LINE_MAX);
        SendMessageW(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    }
    SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);

    // Under the box, as wide as it, just tall enough for the lines.
    RECT box;
    GetWindowRect(m_edit, &box);
    MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&box), 2);
    RECT frame = {}, inside = {};
    GetWindowRect(m_list, &frame);
    GetClientRect(m_list, &inside);
    const int border = (frame.bottom - frame.top) - inside.bottom;
    const int height = m_foundCount * static_cast<int>(SendMessageW(m_list, LB_GETITEMHEIGHT, 0, 0)) + border;
    SetWindowPos(m_list, HWND_TOP, box.left, box.bottom, box.right - box.left, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(m_list, nullptr, TRUE);
}

void CPlaceBox::ShowName(const wchar_t* name)
{
    m_showingName = true;
    SetWindowTextW(m_edit, name);
    m_showingName = false;
    Close();
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
}

void CPlaceBox::Choose(int entry)
{
    if (entry < 0 || entry >= m_foundCount)
        entry = 0;
    m_chosen = m_found[entry];
    Close();
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
        if (wParam == VK_DOWN || wParam == VK_UP) {
            box->Move(wParam == VK_DOWN ? 1 : -1);
            return 0;
        }
        if (IsListKey(wParam) && box->IsOpen()) {
            if (wParam == VK_RETURN)
                box->Choose(static_cast<int>(SendMessageW(box->m_list, LB_GETCURSEL, 0, 0)));
            else
                box->Close();
            return 0;
        }
        break;
    case WM_CHAR:
        // A single-line box would only beep at them.
        if (IsListKey(wParam))
            return 0;
        break;
    case WM_KILLFOCUS: box->Close(); break;
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
        else if (SendMessageW(list, LB_GETCURSEL, 0, 0) != LOWORD(hit))
            SendMessageW(list, LB_SETCURSEL, LOWORD(hit), 0);
        return 0;
    }
    case WM_LBUTTONDBLCLK: return 0;
    case WM_NCDESTROY: RemoveWindowSubclass(list, ListProc, LIST_SUBCLASS); break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}
