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

// dst = dst * opacity + src * (1 - opacity) per channel; false at opacity >= 1.
bool BlendTranslucent(unsigned char* dstPixels, const unsigned char* srcPixels, int width, int height, float opacity);
