#pragma once

#include <windows.h>

// Dialog procedures of the Settings dialog (creation parameter: the CUmbrant)
// and of the About dialog.
INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the About dialog modally over owner, which gets the focus back after it.
void ShowAboutDialog(HWND owner);
