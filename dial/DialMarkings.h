// The dial's markings besides the sun-time hour lines: date lines, clock hours, and the kept picture of them all.
#pragma once

#include "dial/DialFace.h"
#include "dial/DialSize.h"
#include "raster/PixelView.h"
#include "sun/DialCurves.h"

#include <memory>

// Date lines with labels: the December solstice, the equinoxes and the June
// solstice.
const int LABELLED_DATE_LINES[] = {0, EQUINOX_LINE, DATE_LINE_COUNT - 1};
const int DATE_LABEL_COUNT = 3;

// A date line's label: its size, given, and where it fits beside its line,
// found (top-left corner in surface pixels).
struct DateLabel
{
    int width, height;
    bool shown;
    int left, top;
};

// The date lines for the face's latitude and sun in the dial rectangle, the
// view's clip rectangle, and where their labels go: beside the point of the
// line nearest the noon line at which the label lies wholly on the dial,
// clear of the gnomon.
void DrawDateLines(const PixelView& view, const DialFace& face, const DialSize& size,
                   DateLabel (&labels)[DATE_LABEL_COUNT]);

// The figure-eights of every whole hour of standard time, each with the
// numeral of the clock in force just beyond its end farthest from the
// gnomon within the ring of the hour numerals, in the dial rectangle, the
// view's clip rectangle.
void DrawClockHours(const PixelView& view, const DialFace& face, const PixelImage* numbers, const DialSize& size);

// The markings' picture as last drawn, kept so that frames of the same face
// in the same dial rectangle copy it instead of drawing it again.
class CKeptMarkings
{
public:
    // Copies the kept picture into the dial rectangle, the view's clip
    // rectangle, when it is one of this face there; false when the markings
    // must be drawn.
    bool CopyTo(const DialFace& face, const PixelView& view) const;
    // Keeps the dial rectangle's pixels as the picture of this face's markings.
    void Keep(const DialFace& face, const PixelView& view);

private:
    DialFace m_face = {};
    PixelRect m_dial = {};
    std::unique_ptr<unsigned char[]> m_pixels;
};
