// The host's frames: the desktop copy behind the window, the gadget's kept content and the composed picture.
#include "gadget/Compositor.h"

#include <string.h>

#include <initializer_list>

#include "gadget/Gadget.h"
#include "raster/FrameShading.h"

namespace {

const float BEVEL_CURVATURE = 0.5f;

bool HasPixels(const CBitmapSurface& surface)
{
    return surface.GetDC() && surface.GetPixels();
}

size_t Bytes(const CBitmapSurface& surface)
{
    return static_cast<size_t>(surface.GetStride()) * surface.Height();
}

}  // namespace

CCompositor::CCompositor() : m_captureX(POSITION_UNSET), m_captureY(POSITION_UNSET)
{ }

void CCompositor::Create(HDC windowDC, int width, int height, COLORREF background)
{
    m_width = width;
    m_height = height;
    m_backgroundBrush.Reset(CreateSolidBrush(background));
    m_composition.Create(windowDC, width, height, nullptr);
    m_background.Create(windowDC, width, height, nullptr);
    m_content.Create(windowDC, width, height, nullptr);
}

bool CCompositor::Ready() const
{
    return HasPixels(m_composition) && HasPixels(m_background) && HasPixels(m_content);
}

void CCompositor::Resize(int width, int height)
{
    m_width = width;
    m_height = height;
    m_pictureHoldsContent = false;
    m_composition.Resize(width, height);
    m_background.ResizeKeepingContent(width, height);
    m_content.Resize(width, height);
}

void CCompositor::SetFrame(int frameWidth, int cornerRadius)
{
    m_frameWidth = frameWidth;
    m_cornerRadius = cornerRadius;
}

bool CCompositor::Capture(HWND window, DesktopCopy copy, int x, int y)
{
    if (m_frameWidth <= 0)
        return true;
    HDC scratchDC = m_composition.GetDC();
    HDC backgroundDC = m_background.GetDC();
    if (!scratchDC || !backgroundDC)
        return false;
    const bool moved = copy == DesktopCopy::MOVED;
    if (moved && (!m_composition.GetPixels() || !m_background.GetPixels()))
        return false;
    if (m_captureWidth == 0)
        m_captureWidth = m_width;
    if (m_captureHeight == 0)
        m_captureHeight = m_height;

    POINT target = {0, 0};
    ClientToScreen(window, &target);
    if (x != POSITION_UNSET && y != POSITION_UNSET) {
        RECT windowRect;
        GetWindowRect(window, &windowRect);
        target.x += x - windowRect.left;
        target.y += y - windowRect.top;
    }
    if (m_captureX == POSITION_UNSET)
        m_captureX = target.x;
    if (m_captureY == POSITION_UNSET)
        m_captureY = target.y;

    // The composed picture is scratch here: it keeps the previous copy.
    if (moved) {
        memcpy(m_composition.GetPixels(), m_background.GetPixels(), Bytes(m_background));
        m_pictureHoldsContent = false;
    }
    CWindowDC screen(nullptr);
    BitBlt(backgroundDC, 0, 0, m_width, m_height, screen.Get(), target.x, target.y, SRCCOPY);
    // Where the old and the new window areas overlap the screen shows the
    // gadget itself; the previous copy puts the desktop back there.
    if (moved)
        BitBlt(backgroundDC, m_captureX - target.x, m_captureY - target.y, m_captureWidth, m_captureHeight, scratchDC,
               0, 0, SRCCOPY);
    m_captureX = target.x;
    m_captureY = target.y;
    m_captureWidth = m_width;
    m_captureHeight = m_height;
    return true;
}

void CCompositor::PaintContent(CGadget* gadget)
{
    m_pictureHoldsContent = false;
    HDC dc = m_content.GetDC();
    RECT all = {0, 0, m_width, m_height};
    FillRect(dc, &all, m_backgroundBrush.Get());
    if (gadget)
        gadget->Paint(dc, m_content.View());
    GdiFlush();
}

HDC CCompositor::StartFrame()
{
    if (!m_pictureHoldsContent) {
        memcpy(m_composition.GetPixels(), m_content.GetPixels(), Bytes(m_content));
        m_pictureHoldsContent = true;
        return m_composition.GetDC();
    }
    // The band is shaded from the desktop copy alone and the controls cover
    // their squares, but the rounded corners blend the content in: they
    // start from it again.
    const int corner = m_frameWidth + m_cornerRadius + 1;
    const int stride = m_content.GetStride();
    for (int top : {0, m_height - corner})
        for (int left : {0, m_width - corner})
            for (int y = top; y < top + corner; y++) {
                const size_t offset = static_cast<size_t>(y) * stride + static_cast<size_t>(left) * 4;
                memcpy(m_composition.GetPixels() + offset, m_content.GetPixels() + offset, corner * 4);
            }
    return m_composition.GetDC();
}

void CCompositor::FinishFrame(HDC windowDC, float opacity)
{
    ShadeRoundedBevel(m_composition.GetPixels(), m_background.GetPixels(), m_width, m_height, m_frameWidth,
                      m_cornerRadius, BEVEL_CURVATURE);
    if (opacity < 1.0f) {
        BlendTranslucent(m_composition.GetPixels(), m_background.GetPixels(), m_width, m_height, opacity);
        m_pictureHoldsContent = false;
    }
    BitBlt(windowDC, 0, 0, m_width, m_height, m_composition.GetDC(), 0, 0, SRCCOPY);
}
