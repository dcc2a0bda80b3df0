// Ordered dither to the levels of 15- and 16-bit displays.
#pragma once

// 4 x 4 ordered-dither matrix, row-major, rows y & 3, columns x & 3.
extern const unsigned char DITHER_MATRIX[16];

// Reduces the rectangle [x0, x1) x [y0, y1) to the levels a display of
// bitsPerPixel shows; nothing changes above 16 bits.
bool DitherToDisplayDepth(unsigned char* pixels, int stride, int x0, int y0, int x1, int y1, int bitsPerPixel);
