// The hour lines and the turned numerals of the dial.
#pragma once

#include "dial/DialSize.h"

// A picture in the surface pixel format, read only.
struct PixelImage
{
    const unsigned char* pixels;
    int stride;
    int width;
    int height;
};

// The half-hour lines from 4:00 to 20:00 of a horizontal dial for the
// latitude, and the numerals 4 to 20 turned along their lines, squeezed where
// the lines crowd, drawn into the dial rectangle (left, top, right, bottom).
// Nothing is drawn without pixels or numerals, or at latitude 0 (or not a
// number), where all lines coincide.
void DrawHourLinesAndNumerals(unsigned char* pixels, int stride, int left, int top, int right, int bottom,
                              float latitude, const PixelImage* numbers, const DialSize& size);
