// The hour lines and the turned numerals of the dial.
#pragma once

#include "dial/DialSize.h"
#include "raster/PixelView.h"

// Whole-hour lines end this far from the gnomon's foot, in dial widths, and
// their numerals stand just beyond.
const double HOUR_NUMERAL_RING = 0.4;
// The hour lines' silver, of the sun's hours and the clock's alike.
const unsigned int HOUR_LINE_COLOUR = 0xC0C0C0;

// The half-hour lines from 4:00 to 20:00 of a horizontal dial for the
// latitude, and the numerals 4 to 20 turned along their lines, squeezed where
// the lines crowd, drawn into the dial rectangle, the view's clip rectangle.
// Nothing is drawn without pixels or numerals, or at latitude 0 (or not a
// number), where all lines coincide.
void DrawHourLinesAndNumerals(const PixelView& view, float latitude, const PixelImage* numbers, const DialSize& size);
