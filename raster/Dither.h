// Ordered dither to the levels of 15- and 16-bit displays.
#pragma once

#include "raster/PixelView.h"

// 4 x 4 ordered-dither matrix, row-major, rows y & 3, columns x & 3.
extern const unsigned char DITHER_MATRIX[16];

// Reduces the view's clip rectangle to the levels a display of bitsPerPixel
// shows; nothing changes above 16 bits.
bool DitherToDisplayDepth(const PixelView& view, int bitsPerPixel);
