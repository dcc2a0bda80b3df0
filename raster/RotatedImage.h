// Turned, bilinearly sampled copies of an image rectangle.
#pragma once

// Copies the source rectangle (srcX, srcY, srcRectWidth, srcRectHeight) into
// the destination as a rectangle of 2 halfWidth x 2 halfHeight centred on
// (centreX, centreY), turned by angle degrees clockwise, bilinearly sampled,
// clipped to [clipLeft, clipRight) x [clipTop, clipBottom), which must lie
// inside the destination. Pixels whose 2 x 2 sample block would leave the
// source are not written. srcHeight is limited to 4096; a rectangle with
// halfWidth or halfHeight 0 draws nothing.
bool DrawRotatedImage(unsigned char* dstPixels, int dstStride, int clipLeft, int clipTop, int clipRight, int clipBottom,
                      int centreX, int centreY, int halfWidth, int halfHeight, const unsigned char* srcPixels,
                      int srcStride, int srcWidth, int srcHeight, float srcX, float srcY, float srcRectWidth,
                      float srcRectHeight, float angle);
