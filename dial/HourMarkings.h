// The hour lines, and the turned numerals of the sun's hours and of the clock's.
#pragma once

#include "dial/DialSize.h"
#include "raster/PixelView.h"
#include "raster/RotatedImage.h"

#include <vector>

// Whole-hour lines end this far from the gnomon, in dial widths, and
// their numerals stand just beyond.
const double HOUR_NUMERAL_RING = 0.4;
// The hour lines' silver, of the sun's hours and the clock's alike.
const unsigned int HOUR_LINE_COLOUR = 0xC0C0C0;

// Where an hour's numeral stands: numeralGap beyond the end of its line,
// which lies radius pixels from the gnomon's foot in the unit direction
// (sx, sy) of the surface (y down); it is turned to lie along the line and
// narrowed to the room between the lines or numerals on either side.
struct NumeralSpot
{
    int numeral;  // 0 to 23: its cell of the numerals bitmap
    double sx, sy;
    double radius;
    double room;  // radians from the line or numeral on one side to that on the other
};

// A numeral placed and fitted: the turned rectangle it is drawn into, the
// cell of the numerals bitmap drawn there, and the box of the pixels it may
// cover, for overlap checks.
struct PlacedNumeral
{
    TurnedPlace place;
    SourceRect cell;
    PixelRect bounds;
};

// Places and fits the numeral of spot on the dial rectangle, whose centre is
// the gnomon's foot.
PlacedNumeral PlaceNumeral(const PixelRect& dial, const NumeralSpot& spot, const DialSize& size);

// Pixels a numeral's cell keeps clear of another's: the glyphs' margins in
// their cells keep their ink further apart.
const double NUMERAL_CLEARANCE = 1;

// Whether two numerals come closer than NUMERAL_CLEARANCE; one of no width
// draws nothing and meets none.
bool NumeralsMeet(const PlacedNumeral& a, const PlacedNumeral& b);

// Narrows the numerals placed at spots (count of each; a spot of radius 0
// has none) pass by pass while one still meets another, each time to a
// share of its room, and places them again.
void NarrowWhileTheyMeet(const PixelRect& dial, NumeralSpot* spots, PlacedNumeral* placed, int count,
                         const DialSize& size);

// The numerals 4 to 20 of the sun's whole hours on the dial rectangle, in
// hour order, each at the end of its line, turned along it and narrowed to
// the room between the half-hour lines on either side, and further while
// two meet; none at latitude 0 (or not a number), where all lines coincide.
std::vector<PlacedNumeral> PlaceSunNumerals(const PixelRect& dial, float latitude, const DialSize& size);

// The half-hour lines from 4:00 to 20:00 of a horizontal dial for the
// latitude, whole-hour lines stopping short of their numerals' ring, drawn
// into the dial rectangle, the view's clip rectangle. Nothing is drawn
// without pixels, or at latitude 0 (or not a number), where all lines
// coincide.
void DrawHourLines(const PixelView& view, float latitude, const DialSize& size);
