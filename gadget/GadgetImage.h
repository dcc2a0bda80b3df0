// Bitmaps placed in the host's frame.
#pragma once

#include <windows.h>

class CBitmapSurface;

// A bitmap resource placed in the host's frame rectangle like a button and
// copied into every composed frame below the gadget's content.
class CGadgetImage
{
public:
    CGadgetImage(HDC referenceDC, const char* resourceName, int alignX, int alignY, int x, int y);
    ~CGadgetImage();

    void SetFrame(int left, int top, int right, int bottom);
    bool Draw(HDC dc);

    CBitmapSurface* m_surface;
    int m_alignX, m_alignY;
    int m_x, m_y;
    RECT m_frame;

private:
    CGadgetImage(const CGadgetImage&) = delete;
    CGadgetImage& operator=(const CGadgetImage&) = delete;
};
