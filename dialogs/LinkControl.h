// Link controls of the dialogs.
#pragma once

// Link controls of the dialogs: owner-drawn, clickable statics (SS_OWNERDRAW |
// SS_NOTIFY) whose text is an address.

#include <windows.h>

// Colour of link texts and their underline (blue 192).
const COLORREF LINK_COLOUR = RGB(0, 0, 192);

// Owner-draw routine of the link controls: the control's text centred in
// LINK_COLOUR and underlined over exactly its width at the bottom row.
void DrawLinkControl(const DRAWITEMSTRUCT* item);

// Gives the link control the module's LinkCursor while the mouse is over it.
void SetLinkCursor(HWND dialog, int linkId);

// Opens an address with the shell's "open" verb.
void OpenAddress(const wchar_t* address);
