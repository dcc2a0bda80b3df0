// Rectangles of pixels, and the pixels the raster routines write and read.
#pragma once

// A rectangle of whole pixels: left and top inside it, right and bottom just
// outside.
struct PixelRect
{
    int left, top, right, bottom;

    bool operator==(const PixelRect&) const = default;
};

// 32-bit pixels (blue, green, red and an unused byte) that a routine writes,
// only inside clip, which lies inside width x height.
struct PixelView
{
    unsigned char* pixels;  // the top row's first pixel; null for none
    int stride;             // bytes from one row to the next
    int width, height;
    PixelRect clip;
};

// The same pixels, written only inside clip.
inline PixelView ClippedTo(const PixelView& view, const PixelRect& clip)
{
    PixelView clipped = view;
    clipped.clip = clip;
    return clipped;
}

// A picture in the same pixel format that a routine only reads.
struct PixelImage
{
    const unsigned char* pixels;
    int stride;
    int width, height;
};
