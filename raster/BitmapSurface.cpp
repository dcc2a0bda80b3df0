// Off-screen 32-bit surfaces shared by GDI and direct pixel writes.
#include "raster/BitmapSurface.h"

#include <cstring>

// A bitmap header with room for the largest colour table, which GetDIBits
// may fill in behind the header.
struct BitmapInfo
{
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

CBitmapSurface::CBitmapSurface()
    : m_width(0), m_height(0), m_memoryDC(nullptr), m_referenceDC(nullptr), m_bitmap(nullptr), m_pixels(nullptr)
{ }

CBitmapSurface::CBitmapSurface(HDC referenceDC, int width, int height, const char* resourceName)
    : m_width(0), m_height(0), m_memoryDC(nullptr), m_referenceDC(referenceDC), m_bitmap(nullptr), m_pixels(nullptr)
{
    Create(referenceDC, width, height, resourceName);
}

CBitmapSurface::~CBitmapSurface()
{
    Release();
}

bool CBitmapSurface::Create(HDC referenceDC, int width, int height, const char* resourceName)
{
    // A second Create replaces the surface instead of leaking it.
    Release();
    m_referenceDC = referenceDC;
    m_memoryDC = CreateCompatibleDC(referenceDC);
    SetBkMode(m_memoryDC, TRANSPARENT);

    HBITMAP loaded = nullptr;
    if (resourceName) {
        loaded = static_cast<HBITMAP>(
            LoadImageA(GetModuleHandleA(nullptr), resourceName, IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE));
    }
    BitmapInfo info;
    if (loaded) {
        std::memset(&info, 0, sizeof(info));
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        if (GetDIBits(referenceDC, loaded, 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS)) {
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
    m_bitmap = CreateDIBSection(referenceDC, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    m_pixels = m_bitmap ? static_cast<unsigned char*>(bits) : nullptr;

    if (loaded) {
        if (m_pixels)
            GetDIBits(referenceDC, loaded, 0, height, m_pixels, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
        DeleteObject(loaded);
    }
    m_width = width;
    m_height = height;
    if (m_bitmap)
        SelectObject(m_memoryDC, m_bitmap);
    return true;
}

bool CBitmapSurface::Release()
{
    // The DC goes first, so that the section is no longer selected when it is deleted.
    if (m_memoryDC)
        DeleteDC(m_memoryDC);
    if (m_bitmap)
        DeleteObject(m_bitmap);
    m_memoryDC = nullptr;
    m_bitmap = nullptr;
    m_pixels = nullptr;
    m_width = 0;
    m_height = 0;
    return true;
}

bool CBitmapSurface::Resize(int width, int height, bool keepContent)
{
    if (!keepContent) {
        Release();
        return Create(m_referenceDC, width, height, nullptr);
    }
    CBitmapSurface resized;
    resized.Create(m_referenceDC, width, height, nullptr);
    BitBlt(resized.m_memoryDC, 0, 0, m_width, m_height, m_memoryDC, 0, 0, SRCCOPY);
    Release();
    m_width = resized.m_width;
    m_height = resized.m_height;
    m_memoryDC = resized.m_memoryDC;
    m_bitmap = resized.m_bitmap;
    m_pixels = resized.m_pixels;
    resized.m_memoryDC = nullptr;
    resized.m_bitmap = nullptr;
    resized.m_pixels = nullptr;
    return true;
}
