// The scale of the screen a window is on, from its monitor's DPI.
#pragma once

#include <windows.h>

// WM_DPICHANGED, which the headers declare only for newer systems than the
// program is built for.
const UINT MESSAGE_DPI_CHANGED = 0x02E0;

// Pixels per inch of a screen at 100 %.
const int NATURAL_DPI = 96;

// The DPI of the window's monitor, or of the primary monitor for a null
// window: GetDpiForWindow or GetDpiForMonitor where the system has them,
// else the screen's LOGPIXELSX.
int ScreenDpi(HWND window);

// A DPI in percent of NATURAL_DPI, rounded.
int ScalePercentOfDpi(int dpi);
