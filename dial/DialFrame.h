#pragma once

#include <windows.h>

class CBitmapSurface;

// What one dial frame is painted from: the dial rectangle, the settings, the
// drawing resources and the night text, which alone survives from frame to
// frame. The gadget fills it from its fields; the render tool from its
// command line.
struct DialFrame
{
    int left, top, width, height;
    bool isBig;
    float latitude;
    bool simulate;
    int simulatedDay, simulatedTime;
    int displayBits;                 // 0: the depth of the device context
    unsigned char* shadowMask;       // width x height bytes, or null
    const CBitmapSurface* numbers;   // NumbersImage, or null
    HBRUSH whiteBrush;
    HFONT nightFont;
    HDC rodDC;                       // gnomon bitmap of the current size
    DWORD* lastNightTextTime;        // 0: no text chosen yet
    int* nightTextIndex;
    char* nightText;                 // NIGHT_TEXT_SIZE bytes, UTF-8
};

const int NIGHT_TEXT_SIZE = 1024;

// Paints one complete frame into the dial rectangle of the surface behind
// dc and pixels (null pixels: GDI steps only); returns the dial moment shown.
int PaintDialFrame(const DialFrame& frame, HDC dc, unsigned char* pixels, int stride);

// The black band of the gnomon's shadow, tip at (u, v) pixels from the
// centre of the rectangle (v up), with smoothed long edges.
void DrawShadowBand(HDC dc, unsigned char* pixels, int stride, const RECT& dial, double u, double v, bool big);

// The gnomon, stretched for the latitude, through its mask and picture.
void DrawGnomonImage(HDC dc, HDC rodDC, const RECT& dial, float latitude, bool big);

// Resources of the dial: the night font, and a memory device context that
// holds a gnomon bitmap of the program's module (both released with
// ReleaseRodImage).
HFONT CreateNightFont();
HDC LoadRodImage(HDC referenceDC, const char* resourceName, HBITMAP& bitmap);
void ReleaseRodImage(HDC& rodDC, HBITMAP& bitmap);
