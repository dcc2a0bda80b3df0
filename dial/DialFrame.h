// Painting one dial frame, the drawing resources it is painted with and the night text it shows.
#pragma once

#include <windows.h>

#include "dial/DialMarkings.h"
#include "dial/DialSize.h"
#include "sun/Ephemeris.h"
#include "platform/Handles.h"
#include "raster/BitmapSurface.h"

// A gnomon bitmap of the program's module, selected into a memory device
// context of its own (null when either cannot be made).
class CRodImage
{
public:
    CRodImage(HDC referenceDC, const char* resourceName);
    ~CRodImage();
    HDC GetDC() const { return m_dc; }

private:
    HDC m_dc;
    CGdiObject<HBITMAP> m_bitmap;

    CRodImage(const CRodImage&) = delete;
    CRodImage& operator=(const CRodImage&) = delete;
};

// What the dial frames are painted with, made once: the white brush, the
// night font, the gnomon bitmaps of both sizes and the numerals.
class CDialResources
{
public:
    CDialResources(HDC referenceDC, const DialSize& size);
    HBRUSH WhiteBrush() const { return m_whiteBrush.Get(); }
    HFONT NightFont() const { return m_nightFont.Get(); }
    HFONT DateLabelFont() const { return m_dateLabelFont.Get(); }
    HDC RodDC(bool big) const { return big ? m_rodBig.GetDC() : m_rodSmall.GetDC(); }
    const CBitmapSurface* Numbers() const { return &m_numbers; }

private:
    CGdiObject<HBRUSH> m_whiteBrush;
    CGdiObject<HFONT> m_nightFont;
    CGdiObject<HFONT> m_dateLabelFont;
    CRodImage m_rodBig, m_rodSmall;
    CBitmapSurface m_numbers;
};

// What one dial frame is painted from: the dial rectangle, the settings, the
// moment, the drawing resources and the night text. The gadget fills it from
// its settings and one reading of the clock; the render tool from its
// command line. Painting changes none of it.
struct DialFrame
{
    int left, top, width, height;
    bool isBig;
    int scalePercent;  // NATURAL_SCALE: the bitmaps' own size
    float latitude;
    int moment;                       // the dial moment shown, of ComputeDialMoment
    int displayBits;                  // 0: the depth of the device context
    unsigned char* shadowMask;        // width x height bytes, or null
    const CDialResources* resources;  // brush, font, gnomon and numerals, never null
    const wchar_t* nightText;         // shown on the night face; empty for none
    SunSource sun;                    // the model's or the ephemeris' sun
    bool dateLines;
    bool clockHours;          // figure-eights of the clock's hours in place of the sun's hour lines
    int clockShiftHours;      // the clock in force ahead of standard time: 1 in daylight saving
    int language;             // of the date lines' labels
    CKeptMarkings* markings;  // the markings' picture kept between frames, or null: drawn anew
};

// The text on the night face: one of the list of the part of the day, chosen
// by the dial's own random numbers, held at least NIGHT_TEXT_HOLD_MS, and
// dropped at daylight. Chosen before a frame, never while it is painted.
class CNightText
{
public:
    explicit CNightText(int randomSeed) : m_random(randomSeed) { }
    // Before a frame of dial moment t whose face is lit (isDay) or not, at
    // now (timeGetTime()): daylight drops the text, the night takes a new
    // one when none is held or the last one has been held long enough.
    void Update(bool isDay, int t, int language, DWORD now);
    // The text, empty for none.
    const wchar_t* Text() const { return m_text; }
    // When the text held was chosen; 0 while none is held.
    DWORD ChosenAt() const { return m_chosenAt; }

private:
    // Characters kept of a text, terminator included.
    static const int SIZE = 1024;
    DWORD m_chosenAt = 0;
    // The state of the dial's own random numbers: nothing else moves it.
    int m_random;
    wchar_t m_text[SIZE] = L"";
};

// Paints one complete frame into the dial rectangle of the surface behind
// dc and pixels (null pixels: GDI steps only).
void PaintDialFrame(const DialFrame& frame, HDC dc, unsigned char* pixels, int stride);

// The black band of the gnomon's shadow, tip at (u, v) pixels from the
// centre of the rectangle (v up), with smoothed long edges.
void DrawShadowBand(HDC dc, unsigned char* pixels, int stride, const RECT& dial, double u, double v,
                    const DialSize& size);

// The gnomon, stretched for the latitude, through its mask and picture.
void DrawGnomonImage(HDC dc, HDC rodDC, const RECT& dial, float latitude, const DialSize& size);
