// Off-screen 32-bit surfaces shared by GDI and direct pixel writes.
#include "raster/BitmapSurface.h"

#include <cstring>
#include <new>
#include <utility>

// A bitmap header with room for the largest colour table, which GetDIBits
// may fill in behind the header.
struct BitmapInfo
{
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

CBitmapSurface::CBitmapSurface(HDC referenceDC, int width, int height, const wchar_t* resourceName)
{
    Create(referenceDC, width, height, resourceName);
}

void CBitmapSurface::Create(HDC referenceDC, int width, int height, const wchar_t* resourceName)
{
    // A second Create replaces the surface instead of leaking it.
    m_memory.reset();
    m_referenceDC = referenceDC;

    CGdiObject<HBITMAP> loaded;
    if (resourceName) {
        loaded.Reset(static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), resourceName, IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE)));
    }
    BitmapInfo info;
    if (loaded.Get()) {
        std::memset(&info, 0, sizeof(info));
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        if (GetDIBits(referenceDC, loaded.Get(), 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS)) {
            width = info.header.biWidth;
            height = info.header.biHeight < 0 ? -info.header.biHeight : info.header.biHeight;
        }
    }

    std::memset(&info, 0, sizeof(info));
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = -height;  // top-down
    info.header.biPlanes = 1;
    info.header.biBitCount = 32;
    info.header.biCompression = BI_RGB;
    void* bits = nullptr;
    CGdiObject<HBITMAP> section(
        CreateDIBSection(referenceDC, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    m_pixels = section.Get() ? static_cast<unsigned char*>(bits) : nullptr;
    if (loaded.Get() && m_pixels)
        GetDIBits(referenceDC, loaded.Get(), 0, height, m_pixels, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    m_width = width;
    m_height = height;
    m_memory.reset(new (std::nothrow) CMemoryBitmap(referenceDC, section.Get()));
    if (m_memory)
        section.Detach();  // the memory bitmap owns it now
    else
        m_pixels = nullptr;
    if (GetDC())
        SetBkMode(GetDC(), TRANSPARENT);
}

void CBitmapSurface::Resize(int width, int height)
{
    Create(m_referenceDC, width, height, nullptr);
}

void CBitmapSurface::ResizeKeepingContent(int width, int height)
{
    CBitmapSurface resized(m_referenceDC, width, height, nullptr);
    if (resized.GetDC() && GetDC())
        BitBlt(resized.GetDC(), 0, 0, m_width, m_height, GetDC(), 0, 0, SRCCOPY);
    m_width = resized.m_width;
    m_height = resized.m_height;
    m_memory = std::move(resized.m_memory);
    m_pixels = resized.m_pixels;
}
