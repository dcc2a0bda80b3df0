// Off-screen 32-bit surfaces shared by GDI and direct pixel writes.
#pragma once

#include <windows.h>

// An off-screen 32-bit top-down DIB section selected into a memory device
// context: GDI and direct pixel writes land in the same memory. Pixels are
// bytes blue, green, red and an unused fourth byte; stride = width * 4.
class CBitmapSurface
{
public:
    CBitmapSurface();
    CBitmapSurface(HDC referenceDC, int width, int height, const char* resourceName);
    ~CBitmapSurface();

    bool Create(HDC referenceDC, int width, int height, const char* resourceName);
    bool Release();
    bool Resize(int width, int height, bool keepContent);

    HDC GetDC() const { return m_memoryDC; }
    unsigned char* GetPixels() const { return m_pixels; }
    int GetStride() const { return (m_width * 4 + 3) & ~3; }

    int m_width;
    int m_height;
    HDC m_memoryDC;
    HDC m_referenceDC;
    HBITMAP m_bitmap;
    unsigned char* m_pixels;

private:
    CBitmapSurface(const CBitmapSurface&) = delete;
    CBitmapSurface& operator=(const CBitmapSurface&) = delete;
};
