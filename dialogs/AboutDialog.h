// The About dialog of the program.
#pragma once

#include <windows.h>

// Dialog procedure; the creation parameter is the language of its texts.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the About dialog modally over owner, in a language of the table.
void ShowAboutDialog(HWND owner, int language);
