#pragma once

#include <windows.h>

// Gives the dialog and its controls the texts of the dialog template that
// letters outside ASCII may have lost: a dialog made by the ANSI calls can
// pass its texts through the system's ANSI code page, so they are set again
// from the template's Unicode. Controls are matched by their order, which is
// the template's.
void ShowTemplateTexts(HWND dialog, const char* templateName);
