// The Settings dialog's place box: a place found by typing its name, chosen from a list under the box.
#pragma once

#include <windows.h>

#include "dialogs/Places.h"

#include <memory>

// The WM_COMMAND notification the box sends its dialog when a place is
// chosen (Chosen tells which); above the edit control's own codes.
const WORD PLACE_CHOSEN = 0x4001;

// An edit box that lists the places its text names under itself, as a
// Windows auto-complete box does: Down and Up move through the list, Return
// or a click chooses, Esc closes the list, and so does leaving the box;
// while the list is open Return and Esc do not reach the dialog. The
// gazetteer is unpacked at the first typing.
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
    // Shows a name in the box without listing places.
    void ShowName(const wchar_t* name);
    // The place chosen last; only after PLACE_CHOSEN.
    PlaceView Chosen() const { return m_gazetteer->Place(m_chosen); }

private:
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    bool IsOpen() const;
    void Close();
    void Move(int step);
    void Choose(int entry);

    HWND m_dialog = nullptr;
    HWND m_edit = nullptr;
    HWND m_list = nullptr;
    int m_language = 0;
    std::unique_ptr<CGazetteer> m_gazetteer;
    std::unique_ptr<CCountryNames> m_countries;
    int m_found[MAX_FOUND_PLACES] = {};
    int m_foundCount = 0;
    int m_chosen = -1;
    bool m_showingName = false;
};
