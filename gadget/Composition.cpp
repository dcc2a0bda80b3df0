// The host's frames: the desktop copy behind the window and the composed picture.
#include <string.h>

#include "gadget/GadgetApplication.h"
#include "gadget/GadgetButton.h"
#include "gadget/GadgetImage.h"
#include "gadget/GadgetLink.h"
#include "raster/BitmapSurface.h"
#include "raster/FrameShading.h"

namespace {

const float DRAG_PHASE_TARGET = 0.8f;
const float DRAG_PHASE_RATE = 1.0f / 3.0f;
const float SETTLED = 0.01f;
const float BEVEL_CURVATURE = 0.5f;

bool HasPixels(const std::unique_ptr<CBitmapSurface>& surface)
{
    return surface && surface->GetDC() && surface->GetPixels();
}

// Moves value a fraction k (at most the whole way) toward target; true while
// it is still visibly away from it, otherwise it snaps onto the target.
bool Approach(float& value, float target, float k)
{
    if (k > 1.0f)
        k = 1.0f;
    value += (target - value) * k;
    float left = target - value;
    if (left > SETTLED || left < -SETTLED)
        return true;
    value = target;
    return false;
}

template <typename T> void DrawItems(const std::vector<std::unique_ptr<T>>& items, HDC dc)
{
    for (const std::unique_ptr<T>& item : items)
        item->Draw(dc);
}

}  // namespace

bool CGadgetApplication::CaptureBackground(bool full, int x, int y)
{
    if (!m_composition || !m_background)
        return false;
    if (m_frameWidth <= 0)
        return true;
    HDC scratchDC = m_composition->GetDC();
    HDC backgroundDC = m_background->GetDC();
    if (!scratchDC || !backgroundDC)
        return false;
    if (!full && (!m_composition->GetPixels() || !m_background->GetPixels()))
        return false;
    if (m_captureWidth == 0)
        m_captureWidth = m_width;
    if (m_captureHeight == 0)
        m_captureHeight = m_height;

    POINT target = {0, 0};
    ClientToScreen(m_window, &target);
    if (x != POSITION_UNSET && y != POSITION_UNSET) {
        RECT windowRect;
        GetWindowRect(m_window, &windowRect);
        target.x += x - windowRect.left;
        target.y += y - windowRect.top;
    }
    if (m_captureX == POSITION_UNSET)
        m_captureX = target.x;
    if (m_captureY == POSITION_UNSET)
        m_captureY = target.y;

    if (!full)
        memcpy(m_composition->GetPixels(), m_background->GetPixels(),
               static_cast<size_t>(m_background->GetStride()) * m_height);
    HDC screen = ::GetDC(nullptr);
    BitBlt(backgroundDC, 0, 0, m_width, m_height, screen, target.x, target.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    // Where the old and the new window areas overlap the screen shows the
    // gadget itself; the previous copy puts the desktop back there.
    if (!full)
        BitBlt(backgroundDC, m_captureX - target.x, m_captureY - target.y, m_captureWidth, m_captureHeight, scratchDC,
               0, 0, SRCCOPY);
    m_captureX = target.x;
    m_captureY = target.y;
    m_captureWidth = m_width;
    m_captureHeight = m_height;
    return true;
}

bool CGadgetApplication::Compose(bool force)
{
    if (!HasPixels(m_composition) || !HasPixels(m_background))
        return false;
    DWORD now = timeGetTime();
    // Animations step from the frame before only while they run: a frame
    // after a quiet spell starts them afresh.
    if (m_lastTick == 0 || !m_animating)
        m_lastTick = now;
    // Signed difference: the timer's wrap gives one ordinary small step.
    float dt = static_cast<float>(static_cast<int>(now - m_lastTick)) * 0.001f;
    m_lastTick = now;

    if (m_dragging) {
        m_dragPhaseTarget = DRAG_PHASE_TARGET;
    } else {
        m_dragPhase = 0;
        m_dragPhaseTarget = 0;
    }
    m_opacityTarget = m_dragging ? m_dragOpacity : 1.0f;
    // A hovered or pressed control looks the same until the mouse moves:
    // the moves bring its frames, not the timer.
    bool animating = m_dragging;
    // A hover has just begun or ended when a frame is forced.
    if (force)
        WatchForLeave();
    // A fade time of zero or less jumps straight to the target.
    if (Approach(m_opacity, m_opacityTarget, m_fadeTime > 0 ? dt / m_fadeTime : 1.0f))
        force = animating = true;
    if (Approach(m_dragPhase, m_dragPhaseTarget, dt * DRAG_PHASE_RATE))
        force = animating = true;
    if (!force) {
        m_idleTime += dt;
        if (m_idleTime <= m_animationRedrawMs * 0.001f) {
            ScheduleFrames(animating);
            return false;
        }
    }
    // The idle period counts from the last frame of any kind: a gadget that
    // asks for a frame once a second is then not drawn a second time by it.
    m_idleTime = 0;

    HDC dc = m_composition->GetDC();
    RECT all = {0, 0, m_width, m_height};
    FillRect(dc, &all, m_backgroundBrush);
    DrawItems(m_images, dc);
    if (m_gadget)
        m_gadget->Paint(dc, m_composition->GetPixels(), m_composition->GetStride());
    DrawItems(m_buttons, dc);
    DrawItems(m_links, dc);
    GdiFlush();
    ShadeRoundedBevel(m_composition->GetPixels(), m_background->GetPixels(), m_width, m_height, m_frameWidth,
                      m_cornerRadius, BEVEL_CURVATURE);
    if (m_opacity < 1.0f)
        BlendTranslucent(m_composition->GetPixels(), m_background->GetPixels(), m_width, m_height, m_opacity);
    BitBlt(m_windowDC, 0, 0, m_width, m_height, dc, 0, 0, SRCCOPY);
    // After the gadget painted: its next change counts from this frame.
    ScheduleFrames(animating);
    return true;
}
