#include "gadget/GadgetImage.h"

#include <new>

#include "gadget/GadgetButton.h"
#include "raster/BitmapSurface.h"

CGadgetImage::CGadgetImage(HDC referenceDC, const char* resourceName, int alignX, int alignY, int x, int y)
    : m_surface(new (std::nothrow) CBitmapSurface()), m_alignX(alignX), m_alignY(alignY), m_x(x), m_y(y), m_frameLeft(0),
      m_frameTop(0), m_frameRight(0), m_frameBottom(0)
{
    if (m_surface)
        m_surface->Create(referenceDC, 0, 0, resourceName);
}

CGadgetImage::~CGadgetImage()
{
    delete m_surface;
}

void CGadgetImage::SetFrame(int left, int top, int right, int bottom)
{
    m_frameLeft = left;
    m_frameTop = top;
    m_frameRight = right;
    m_frameBottom = bottom;
}

bool CGadgetImage::Draw(HDC dc)
{
    if (!m_surface || !m_surface->GetDC())
        return false;
    int left, top;
    PlaceInFrame(m_frameLeft, m_frameTop, m_frameRight, m_frameBottom, m_alignX, m_alignY, m_x, m_y,
                 m_surface->m_width, m_surface->m_height, &left, &top);
    return BitBlt(dc, left, top, m_surface->m_width, m_surface->m_height, m_surface->GetDC(), 0, 0, SRCCOPY) != 0;
}
