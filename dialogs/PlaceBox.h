// The Settings dialog's place box: a place found by typing its name, chosen from a list under the box.
#pragma once

#include <windows.h>

#include "dialogs/Places.h"

#include <memory>

// The WM_COMMAND notification the box sends its dialog when a place is
// chosen (Chosen tells which); above the edit control's own codes.
const WORD PLACE_CHOSEN = 0x4001;

// Characters of one line of the list: a name of PLACE_NAME_MAX, the name it
// was found by, its region and its country.
const int PLACE_LINE_MAX = 4 * PLACE_NAME_MAX;

// An edit box that lists the places its text names under itself, as a
// Windows auto-complete box does: Down and Up move through the list, Page Up
// and Page Down by a page (the whole list), and so do Home and End once a
// line is picked (before, they move in the box); Return or a click chooses,
// Esc closes the list, and so does leaving the box; while the list is open
// Return and Esc do not reach the dialog. A line too long for the list ends
// in an ellipsis and shows whole as a tip over it while it is picked; a
// click on the tip chooses the line. The places are made ready on a
// thread of their own from Attach on, and the text typed meanwhile is
// listed once they are; those of the user's country count more.
class CPlaceBox
{
public:
    CPlaceBox();
    ~CPlaceBox();
    CPlaceBox(const CPlaceBox&) = delete;
    CPlaceBox& operator=(const CPlaceBox&) = delete;

    // Takes the keys of the dialog's edit box editId and makes the list
    // (listId) under it, naming countries in the program's language.
    void Attach(HWND dialog, int editId, int listId, int language);
    // The box's EN_CHANGE: the text typed lists the places it names.
    void OnTextChanged();
    // Shows a name in the box without listing places, the caret after it.
    void ShowName(const wchar_t* name);
    // The place chosen last, named as it was found ("Dunaj" for Vienna);
    // only after PLACE_CHOSEN.
    PlaceView Chosen() const;
    // Whether the places are ready for typing.
    bool HasPlaces() const { return m_places == PlacesState::READY; }

private:
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    static LRESULT CALLBACK TipProc(HWND tip, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    bool IsOpen() const;
    void Close();
    void Move(int step);
    void Choose(int entry);
    bool OnKey(WPARAM key);
    void FillList(int width);
    void ShowTip();
    void OnPlacesPrepared();

    HWND m_dialog = nullptr;
    HWND m_edit = nullptr;
    HWND m_list = nullptr;
    HWND m_tip = nullptr;  // the whole of a cut line; the dialog owns it
    int m_tipHeight = 0;   // pixels of a tip of one line
    int m_language = 0;
    // The places: being made ready, ready, or not to be had (a refused
    // table, too little memory), when the list says so.
    enum class PlacesState
    {
        PREPARING,
        READY,
        UNAVAILABLE,
    };
    std::unique_ptr<CPreparedPlaces> m_prepared;
    PlacesState m_places = PlacesState::PREPARING;
    bool m_typedWhilePreparing = false;
    char m_homeCountry[COUNTRY_CODE_SIZE] = "";
    FoundPlace m_found[MAX_FOUND_PLACES] = {};
    wchar_t m_lines[MAX_FOUND_PLACES][PLACE_LINE_MAX] = {};  // whole, as the list may show them cut
    bool m_isCut[MAX_FOUND_PLACES] = {};
    int m_foundCount = 0;
    FoundPlace m_chosen = {-1, nullptr};
    bool m_showingName = false;
};
