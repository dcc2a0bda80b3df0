// The Settings dialog over the dial whose settings it edits.
#pragma once

#include <windows.h>

// Dialog procedure; the creation parameter is the CUmbrant whose settings it
// shows and changes.
INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Writes the date and the wall-clock time of a simulated day of the current
// year (0 = 1 January) and time of day in local standard time into two
// fields of the dialog; the end of a day is 24:00 of that day.
void ShowSimulatedDateTime(HWND dialog, int dateFieldId, int timeFieldId, int day, int timeOfDay);
