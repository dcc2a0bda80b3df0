// Painting one dial frame and the drawing resources it is painted with.
#pragma once

#include <windows.h>

#include "dial/DialFace.h"
#include "dial/DialMarkings.h"
#include "dial/DialSize.h"
#include "platform/Handles.h"
#include "raster/BitmapSurface.h"

// What the dial frames are painted with, made once: the white brush, the
// night font, the gnomon bitmaps of both sizes and the numerals.
class CDialResources
{
public:
    CDialResources(HDC referenceDC, const DialSize& size);
    HBRUSH WhiteBrush() const { return m_whiteBrush.Get(); }
    HFONT NightFont() const { return m_nightFont.Get(); }
    HFONT DateLabelFont() const { return m_dateLabelFont.Get(); }
    // The gnomon bitmap of the dial; null when it could not be had.
    HDC RodDC(DialModel model) const { return model == DialModel::Big ? m_rodBig.GetDC() : m_rodSmall.GetDC(); }
    const CBitmapSurface* Numbers() const { return &m_numbers; }

private:
    CGdiObject<HBRUSH> m_whiteBrush;
    CGdiObject<HFONT> m_nightFont;
    CGdiObject<HFONT> m_dateLabelFont;
    CMemoryBitmap m_rodBig, m_rodSmall;
    CBitmapSurface m_numbers;
};

// The display depth a frame is dithered to when it names none: that of the
// device context painted into.
const int DEVICE_DEPTH = 0;

// What one dial frame is painted from: the dial rectangle, the face, the
// moment, the drawing resources and the night text. The gadget fills it from
// its settings and one reading of the clock; the render tool from its
// command line. Painting changes none of it.
struct DialFrame
{
    PixelRect dial;  // on the surface painted into
    DialFace face;
    int moment;                       // the dial moment shown, of ComputeDialMoment
    int displayBits;                  // bits a pixel of the display, or DEVICE_DEPTH
    unsigned char* shadowMask;        // as many bytes as the dial rectangle has pixels, or null
    const CDialResources* resources;  // brush, font, gnomon and numerals, never null
    const wchar_t* nightText;         // shown on the night face; empty for none
    CKeptMarkings* markings;          // the markings' picture kept between frames, or null: drawn anew
};

// Paints one complete frame into the dial rectangle of the surface behind
// dc and its pixels (null pixels: GDI steps only).
void PaintDialFrame(const DialFrame& frame, HDC dc, const PixelView& surface);

// The frame's markings laid out as PaintDialFrame draws them, the labels
// measured in their font on dc.
void LayOutFrameMarkings(const DialFrame& frame, HDC dc, const DialSize& size, MarkingsLayout& layout);

// The black band of the gnomon's shadow, tip at (u, v) pixels from the
// centre of the view's clip rectangle (v up), with smoothed long edges.
void DrawShadowBand(HDC dc, const PixelView& view, double u, double v, const DialSize& size);

// The gnomon, stretched for the latitude, through its mask and picture.
void DrawGnomonImage(HDC dc, HDC rodDC, const RECT& dial, float latitude, const DialSize& size);
