// The host's frames: the desktop copy behind the window, the gadget's kept content and the composed picture.
#pragma once

#include <windows.h>

#include "platform/Handles.h"
#include "raster/BitmapSurface.h"

class CGadget;

// How a copy of the desktop behind the window is taken.
enum class DesktopCopy
{
    // The screen as it is, while the window shows none of the gadget there.
    FRESH,
    // As the window moves: where its old and new places overlap, the screen
    // shows the gadget, and the previous copy fills that part in.
    MOVED
};

// Composes the window's frames off screen: the gadget's content, painted
// only when it changed and kept in between, with the host's controls over
// it, the frame band shaded from a copy of the desktop behind the window,
// and the whole made translucent over that copy when asked.
class CCompositor
{
public:
    CCompositor();
    // Makes the surfaces; one that cannot be made stays without pixels, and
    // then no frame is composed (the window shows what the system paints).
    void Create(HDC windowDC, int width, int height, COLORREF background);
    // All surfaces have pixels.
    bool Ready() const;
    void Resize(int width, int height);
    // The width of the frame band and the radius of its corners.
    void SetFrame(int frameWidth, int cornerRadius);
    int FrameWidth() const { return m_frameWidth; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Copies the desktop behind the window, as if its top-left corner stood
    // at (x, y) (POSITION_UNSET: where it stands).
    bool Capture(HWND window, DesktopCopy copy, int x, int y);

    // Paints the content afresh: the background colour and the gadget.
    void PaintContent(CGadget* gadget);
    // Starts a frame from the kept content; the host draws its controls on
    // the context this returns, then finishes the frame into windowDC.
    HDC StartFrame();
    void FinishFrame(HDC windowDC, float opacity);

    // The last composed frame.
    const CBitmapSurface& Picture() const { return m_composition; }

private:
    CBitmapSurface m_composition, m_background, m_content;
    CGdiObject<HBRUSH> m_backgroundBrush;
    // The composed picture still holds the kept content outside the frame
    // band, its corners and the controls (the last frame was opaque and
    // nothing changed the content or used the picture as scratch since).
    bool m_pictureHoldsContent = false;
    int m_width = 0, m_height = 0;
    int m_frameWidth = 0, m_cornerRadius = 0;
    // Where the last copy of the desktop was taken, and its size.
    int m_captureX, m_captureY;
    int m_captureWidth = 0, m_captureHeight = 0;
};
