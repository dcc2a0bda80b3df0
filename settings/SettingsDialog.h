#pragma once

#include <windows.h>

// Colour of link texts and their underline (blue 192).
const COLORREF LINK_COLOUR = RGB(0, 0, 192);

// Writes the date and the wall-clock time of a simulated moment, seconds
// after 1 January 00:00 local standard time of the current year, into two
// fields of the dialog.
void ShowSimulatedDateTime(HWND dialog, int dateFieldId, int timeFieldId, int seconds);

// Owner-draw routine of the link controls: the control's text centred in
// LINK_COLOUR and underlined over exactly its width at the bottom row.
void DrawLinkControl(const DRAWITEMSTRUCT* item);

// Gives the link control the module's LinkCursor; the cursor is a property
// of the control's window class, which only clickable statics bring into view.
void SetLinkCursor(HWND dialog, int linkId);

// Opens an address with the shell's "open" verb.
void OpenAddress(const char* address);
