// Painting one dial frame, its markings kept between frames, and the drawing resources it is painted with.
#include "dial/DialFrame.h"

#include "dial/DialGeometry.h"
#include "dial/DialPixels.h"
#include "dial/HourMarkings.h"
#include "dial/Moonlight.h"
#include "sun/Solar.h"
#include "raster/AntialiasedLine.h"
#include "raster/BitmapSurface.h"
#include "platform/Handles.h"
#include "raster/Dither.h"
#include "text/Strings.h"

#include <algorithm>

void DrawShadowBand(HDC dc, const PixelView& view, double u, double v, const DialSize& size)
{
    const PixelRect& dial = view.clip;
    ShadowBand band;
    int cx = (dial.left + dial.right) >> 1, cy = (dial.top + dial.bottom) >> 1;
    if (!ComputeShadowBand(cx, cy, u, v, size.shadowHalfWidth, band))
        return;
    POINT corners[4];
    for (int i = 0; i < 4; ++i) {
        corners[i].x = band.corners[i].x;
        corners[i].y = band.corners[i].y;
    }
    {
        CGdiObject<HBRUSH> brush(CreateSolidBrush(0));
        CGdiObject<HPEN> pen(CreatePen(PS_NULL, 1, 0));
        CSelectedObject brushSelected(dc, brush.Get());
        CSelectedObject penSelected(dc, pen.Get());
        Polygon(dc, corners, 4);
        Ellipse(dc, band.footCap[0], band.footCap[1], band.footCap[2], band.footCap[3]);
        Ellipse(dc, band.tipCap[0], band.tipCap[1], band.tipCap[2], band.tipCap[3]);
    }
    if (band.smoothOutline) {
        GdiFlush();
        DrawAntialiasedPolygonOutline(view, band.corners, 4, 0);
    }
}

void DrawGnomonImage(HDC dc, HDC rodDC, const RECT& dial, float latitude, const DialSize& size)
{
    if (!rodDC)
        return;
    GnomonBands gnomon =
        ComputeGnomonBands(dial.left, dial.top, dial.right - dial.left, dial.bottom - dial.top, latitude, size);
    const StretchBand* bands[3] = {&gnomon.cap, &gnomon.shaft, &gnomon.base};
    for (const StretchBand* band : bands) {
        if (band->dstHeight <= 0)
            continue;
        // The right half of the bitmap is the mask, the left half the picture.
        StretchBlt(dc, gnomon.x, band->dstY, gnomon.width, band->dstHeight, rodDC, gnomon.srcWidth, band->srcY,
                   gnomon.srcWidth, band->srcHeight, SRCAND);
        StretchBlt(dc, gnomon.x, band->dstY, gnomon.width, band->dstHeight, rodDC, 0, band->srcY, gnomon.srcWidth,
                   band->srcHeight, SRCPAINT);
    }
}

// The night text in white, centred in the dial rectangle.
static void DrawNightText(const DialFrame& frame, HDC dc, const RECT& dial)
{
    if (!frame.nightText || !frame.nightText[0])
        return;
    const UINT format = DT_WORDBREAK | DT_VCENTER | DT_CENTER;
    SetTextColor(dc, RGB(255, 255, 255));
    CSelectedObject font(dc, frame.resources->NightFont());
    RECT measured = dial;
    DrawTextW(dc, frame.nightText, -1, &measured, DT_CALCRECT | format);
    int textHeight = measured.bottom - measured.top;
    const int height = dial.bottom - dial.top;
    RECT box = {dial.left, dial.top + ((height - textHeight) >> 1), dial.right,
                dial.top + ((textHeight + height) >> 1)};
    DrawTextW(dc, frame.nightText, -1, &box, format);
}

// The dial's face, on which its markings are drawn.
static const COLORREF FACE_WHITE = RGB(255, 255, 255);
// The night face's brightness: the negated face dimmed.
static const double NIGHT_BRIGHTNESS = 0.7;

// The texts of the labelled date lines, in the order of LABELLED_DATE_LINES.
static const int DATE_LABEL_TEXTS[DATE_LABEL_COUNT] = {IDS_DECEMBER_SOLSTICE, IDS_EQUINOXES, IDS_JUNE_SOLSTICE};

// A label's text on two lines: up to its comma, and after the blank that
// follows; the second is empty for a text without one.
struct LabelLines
{
    std::wstring_view first, second;
};

static LabelLines SplitLabel(std::wstring_view text)
{
    const size_t comma = text.find(L", ");
    if (comma == std::wstring_view::npos)
        return {text, {}};
    return {text.substr(0, comma + 1), text.substr(comma + 2)};
}

static SIZE TextExtent(HDC dc, std::wstring_view text)
{
    SIZE extent = {0, 0};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
    return extent;
}

static void PutText(HDC dc, int left, int top, std::wstring_view text)
{
    TextOutW(dc, left, top, text.data(), static_cast<int>(text.size()));
}

// The date lines' labels, in the language of the frame, where they fit.
static void DrawDateLabels(const DialFrame& frame, HDC dc, DateLabel (&labels)[DATE_LABEL_COUNT])
{
    // 5.1 : 1 against the face's white, well over the 4.5 : 1 small text
    // needs to be read; lighter than the numerals, which read first.
    const COLORREF LABEL_COLOUR = RGB(0x6E, 0x6E, 0x6E);
    SetTextColor(dc, LABEL_COLOUR);
    // On the face's white, which breaks the lines under the text.
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, FACE_WHITE);
    CSelectedObject font(dc, frame.resources->DateLabelFont());
    for (int i = 0; i < DATE_LABEL_COUNT; ++i) {
        const DateLabel& label = labels[i];
        const std::wstring_view text = LocalizedText(DATE_LABEL_TEXTS[i], frame.face.language);
        if (!label.shown)
            continue;
        if (!label.wrapped) {
            PutText(dc, label.left, label.top, text);
            continue;
        }
        const LabelLines lines = SplitLabel(text);
        PutText(dc, label.left, label.top, lines.first);
        PutText(dc, label.left, label.top + label.height, lines.second);
    }
    SetBkMode(dc, TRANSPARENT);
}

void LayOutFrameMarkings(const DialFrame& frame, HDC dc, const DialSize& size, MarkingsLayout& layout)
{
    const DialFace& face = frame.face;
    if (face.dateLines) {
        CSelectedObject font(dc, frame.resources->DateLabelFont());
        for (int i = 0; i < DATE_LABEL_COUNT; ++i) {
            const std::wstring_view text = LocalizedText(DATE_LABEL_TEXTS[i], face.language);
            const SIZE whole = TextExtent(dc, text);
            const LabelLines lines = SplitLabel(text);
            const SIZE first = TextExtent(dc, lines.first), second = TextExtent(dc, lines.second);
            DateLabel& label = layout.labels[i];
            label.width = whole.cx;
            label.height = whole.cy;
            label.wrappedWidth = lines.second.empty() ? 0 : std::max(first.cx, second.cx);
        }
    }
    LayOutMarkings(frame.dial, face, size, layout);
}

// The face's markings on the white face: the date lines, the hour lines of
// the sun's time or the clock's with their numerals, the date lines' labels.
static void DrawMarkings(const DialFrame& frame, HDC dc, const PixelView& view, const DialSize& size)
{
    const DialFace& face = frame.face;
    MarkingsLayout layout {};
    LayOutFrameMarkings(frame, dc, size, layout);
    const PixelImage numbers = frame.resources->Numbers()->Image();
    DrawLaidOutMarkings(view, face, layout, &numbers, size);
    if (face.dateLines) {
        DrawDateLabels(frame, dc, layout.labels);
        GdiFlush();
    }
}

void PaintDialFrame(const DialFrame& frame, HDC dc, const PixelView& surface)
{
    if (!SetStretchBltMode(dc, HALFTONE))
        SetStretchBltMode(dc, COLORONCOLOR);
    const DialFace& face = frame.face;
    const int width = frame.dial.right - frame.dial.left, height = frame.dial.bottom - frame.dial.top;
    const RECT dial = {frame.dial.left, frame.dial.top, frame.dial.right, frame.dial.bottom};
    const PixelView view = ClippedTo(surface, frame.dial);
    const bool pixels = view.pixels != nullptr;
    const DialSize size = DialSizeFor(face.model, face.scalePercent);
    const FaceLight light = ComputeFaceLight(face, size, frame.dial, frame.moment);
    const Shadow& shadow = light.shadow;
    const bool lit = light.lighting != Lighting::NONE;

    FillRect(dc, &dial, frame.resources->WhiteBrush());
    if (lit) {
        // The hard GDI shadow becomes a soft mask, then the face is white
        // again. The moon's is softer, and only as deep as its light.
        if (pixels) {
            DrawShadowBand(dc, view, shadow.u, shadow.v, size);
            GdiFlush();
            if (frame.shadowMask) {
                CopyBlueToMask(view, frame.shadowMask);
                BlurShadowMask(frame.shadowMask, width, height, width >> 1, height >> 1, SoftnessOf(light.lighting));
                if (light.lighting == Lighting::MOON)
                    FadeMask(frame.shadowMask, width * height, light.depth);
            }
        }
        FillRect(dc, &dial, frame.resources->WhiteBrush());
    }
    GdiFlush();
    if (pixels) {
        if (!frame.markings || !frame.markings->CopyTo(face, view)) {
            DrawMarkings(frame, dc, view, size);
            if (frame.markings)
                frame.markings->Keep(face, view);
        }
        if (!lit)
            NegateColours(view);
        else if (frame.shadowMask)
            MultiplyByMask(view, frame.shadowMask);
    }
    if (lit) {
        // Drawn after the shadow, so the gnomon is never in its own shadow.
        DrawGnomonImage(dc, frame.resources->RodDC(face.model), dial, face.latitude, size);
        GdiFlush();
    }
    if (pixels) {
        switch (light.lighting) {
        case Lighting::SUN: ScaleColours(view, BrightnessLevel(shadow.brightness)); break;
        case Lighting::MOON:
            TintColours(view, MOONLIGHT_TINT);
            DrawMoonDisc(view, light.disc);
            break;
        case Lighting::NONE: ScaleColours(view, BrightnessLevel(NIGHT_BRIGHTNESS)); break;
        }
    }
    if (!lit) {
        DrawNightText(frame, dc, dial);
        GdiFlush();
    }
    if (pixels) {
        int bits = frame.displayBits != DEVICE_DEPTH ? frame.displayBits : GetDeviceCaps(dc, BITSPIXEL);
        DitherToDisplayDepth(view, bits);
    }
}

CDialResources::CDialResources(HDC referenceDC, const DialSize& size)
    : m_whiteBrush(CreateSolidBrush(FACE_WHITE)),
      m_nightFont(CreateFontW(size.nightFontHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, EASTEUROPE_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                              L"Arial")),
      m_dateLabelFont(CreateFontW(size.dateLabelFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, L"Arial")),
      m_rodBig(referenceDC,
               LoadBitmapW(GetModuleHandleW(nullptr), CScaledName(L"RodBigImage", size.pictureScale).Get())),
      m_rodSmall(referenceDC,
                 LoadBitmapW(GetModuleHandleW(nullptr), CScaledName(L"RodSmallImage", size.pictureScale).Get())),
      m_numbers(referenceDC, 0, 0, CScaledName(L"NumbersImage", size.pictureScale).Get())
{ }
