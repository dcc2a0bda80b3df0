// Off-screen 32-bit surfaces shared by GDI and direct pixel writes.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/Handles.h"
#include "raster/PixelView.h"

// An off-screen 32-bit top-down DIB section selected into a memory device
// context: GDI and direct pixel writes land in the same memory. Pixels are
// bytes blue, green, red and an unused fourth byte; stride = width * 4.
class CBitmapSurface
{
public:
    CBitmapSurface() = default;
    // A surface of width x height, or of the size of the bitmap resource
    // resourceName with its picture when there is one.
    CBitmapSurface(HDC referenceDC, int width, int height, const wchar_t* resourceName);
    CBitmapSurface(const CBitmapSurface&) = delete;
    CBitmapSurface& operator=(const CBitmapSurface&) = delete;

    // Replaces the surface with a new one, as the constructor makes it.
    void Create(HDC referenceDC, int width, int height, const wchar_t* resourceName);
    // A blank surface of the new size.
    void Resize(int width, int height);
    // A surface of the new size that keeps the top-left part of the picture.
    void ResizeKeepingContent(int width, int height);

    HDC GetDC() const { return m_memory ? m_memory->GetDC() : nullptr; }
    unsigned char* GetPixels() const { return m_pixels; }
    int GetStride() const { return (m_width * 4 + 3) & ~3; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The pixels, all of them open to change.
    PixelView View() const { return {m_pixels, GetStride(), m_width, m_height, {0, 0, m_width, m_height}}; }
    PixelImage Image() const { return {m_pixels, GetStride(), m_width, m_height}; }

private:
    int m_width = 0;
    int m_height = 0;
    HDC m_referenceDC = nullptr;
    std::unique_ptr<CMemoryBitmap> m_memory;
    unsigned char* m_pixels = nullptr;
};
