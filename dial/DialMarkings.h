// The dial's markings besides the sun-time hour lines: date lines, clock hours, and the kept picture of them all.
#pragma once

#include "dial/DialSize.h"
#include "raster/PixelView.h"
#include "sun/DialCurves.h"

#include <memory>

// What a dial's markings are drawn from: they change with nothing else, so
// a picture of them holds for the day and the place.
struct DialMarkings
{
    int left, top, width, height;  // the dial rectangle, the clip rectangle of the views drawn into
    bool isBig;
    int scalePercent;
    float latitude;
    SunSource sun;
    bool dateLines;
    bool clockHours;      // the figure-eights of the clock's hours in place of the sun's hour lines
    int clockShiftHours;  // the clock in force ahead of standard time: 1 in daylight saving
    int language;         // of the date lines' labels
};

bool SameMarkings(const DialMarkings& a, const DialMarkings& b);

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

// The date lines for the markings' latitude and sun, and where their labels
// go: beside the point of the line nearest the noon line at which the label
// lies wholly on the dial, clear of the gnomon.
void DrawDateLines(const PixelView& view, const DialMarkings& markings, const DialSize& size,
                   DateLabel (&labels)[DATE_LABEL_COUNT]);

// The figure-eights of every whole hour of standard time, each with the
// numeral of the clock in force just beyond its end farthest from the
// gnomon within the ring of the hour numerals.
void DrawClockHours(const PixelView& view, const DialMarkings& markings, const PixelImage* numbers,
                    const DialSize& size);

// The markings' picture as last drawn, kept so that frames of the same
// markings copy it instead of drawing it again.
class CKeptMarkings
{
public:
    // Copies the kept picture into the dial rectangle when it is one of
    // these markings; false when they must be drawn.
    bool CopyTo(const DialMarkings& markings, const PixelView& view) const;
    // Keeps the dial rectangle's pixels as the picture of these markings.
    void Keep(const DialMarkings& markings, const PixelView& view);

private:
    DialMarkings m_markings = {};
    std::unique_ptr<unsigned char[]> m_pixels;
};
