// The shaded frame band and the translucent blend of the composed picture.
#pragma once

// Whole-picture effects on two buffers of width x height pixels with rows
// width * 4 bytes apart (destination: the composed frame, source: the desktop
// behind the window). No clipping: the caller passes buffers of that size.

// The shaded frame band of border + 1 pixels from the source, with inner
// corners rounded by cornerRadius. width and height must be at least
// border + cornerRadius + 1.
bool ShadeRoundedBevel(unsigned char* dstPixels, const unsigned char* srcPixels, int width, int height, int border,
                       int cornerRadius, float curvature);

// One corner square [left, right) x [top, bottom) of the band; xDirection and
// yDirection are -1 for the left and top, +1 for the right and bottom corners.
void ShadeBevelCorner(unsigned char* dstPixels, const unsigned char* srcPixels, int width, int height, int border,
                      int cornerRadius, float curvature, int left, int top, int right, int bottom, int xDirection,
                      int yDirection);

// count pixels from byte offset startOffset, step bytes apart:
// dst = ScaleTable[factor][src] per channel.
void ScalePixelRun(unsigned char* dstPixels, const unsigned char* srcPixels, int factor, int count, int startOffset,
                   int step);

// dst = dst * opacity + src * (1 - opacity) per channel; false at opacity >= 1.
bool BlendTranslucent(unsigned char* dstPixels, const unsigned char* srcPixels, int width, int height, float opacity);
