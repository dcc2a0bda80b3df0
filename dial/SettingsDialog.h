// The Settings dialog over the dial whose settings it edits.
#pragma once

#include <windows.h>

// Dialog procedure; the creation parameter is the CUmbrant whose settings it
// shows and changes.
INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Writes the date and the wall-clock time of a simulated moment, seconds
// after 1 January 00:00 local standard time of the current year, into two
// fields of the dialog.
void ShowSimulatedDateTime(HWND dialog, int dateFieldId, int timeFieldId, int seconds);
