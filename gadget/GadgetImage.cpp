// Bitmaps placed in the host's frame.
#include "gadget/GadgetImage.h"

#include <new>

#include "gadget/GadgetButton.h"
#include "raster/BitmapSurface.h"

CGadgetImage::CGadgetImage(HDC referenceDC, const char* resourceName, int alignX, int alignY, int x, int y)
    : m_surface(new (std::nothrow) CBitmapSurface()), m_alignX(alignX), m_alignY(alignY), m_x(x), m_y(y), m_frame()
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
    SetRect(&m_frame, left, top, right, bottom);
}

bool CGadgetImage::Draw(HDC dc)
{
    if (!m_surface || !m_surface->GetDC())
        return false;
    int left, top;
    PlaceInFrame(m_frame.left, m_frame.top, m_frame.right, m_frame.bottom, m_alignX, m_alignY, m_x, m_y,
                 m_surface->m_width, m_surface->m_height, &left, &top);
    return BitBlt(dc, left, top, m_surface->m_width, m_surface->m_height, m_surface->GetDC(), 0, 0, SRCCOPY) != 0;
}
