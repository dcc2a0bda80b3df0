// When the host draws a frame, what the frame draws afresh, and which timers run.
#include "gadget/FrameScheduler.h"

#include "common/Calendar.h"

namespace {

// A fade this near its target has arrived.
const float SETTLED = 0.01f;
// A one-shot timer that comes this near the new due time stays as it is:
// setting it again would cost a call to the system on every frame.
const int CHANGE_SLACK_MS = 10;

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

}  // namespace

FrameWork CFrameScheduler::Frame(unsigned nowMs, bool dragging, bool forced)
{
    // The fade steps from the frame before only while the timer runs: a frame
    // after a quiet spell starts it afresh.
    if (!m_ticked || !m_animating)
        m_lastTick = nowMs;
    m_ticked = true;
    // Signed difference: the clock's wrap gives one ordinary small step.
    float dt = static_cast<float>(static_cast<int>(nowMs - m_lastTick)) / MS_PER_SECOND;
    m_lastTick = nowMs;

    // A hovered or pressed control looks the same until the mouse moves: the
    // moves bring its frames, not the timer.
    m_wantAnimation = dragging;
    const float target = dragging ? m_timing.dragOpacity : 1.0f;
    if (Approach(m_opacity, target, m_timing.fadeTime > 0 ? dt / m_timing.fadeTime : 1.0f))
        forced = m_wantAnimation = true;
    if (!forced && !m_contentChanged) {
        m_idleTime += dt;
        if (m_idleTime <= static_cast<float>(m_timing.idleRedrawMs) / MS_PER_SECOND)
            return FrameWork::NONE;
    }
    // The idle period counts from the last frame of any kind: a gadget that
    // asks for a frame once a second is then not drawn a second time by it.
    m_idleTime = 0;
    const bool paint = m_contentChanged;
    m_contentChanged = false;
    return paint ? FrameWork::PAINT : FrameWork::COMPOSE;
}

TimerPlan CFrameScheduler::PlanTimers(unsigned gadgetDelayMs)
{
    TimerPlan plan;
    unsigned delay = gadgetDelayMs;
    if (m_wantAnimation || delay == 0) {
        plan.startAnimation = !m_animating;
        m_animating = true;
        delay = NO_FRAME_DUE;
    } else {
        plan.stopAnimation = m_animating;
        m_animating = false;
    }
    if (delay == NO_FRAME_DUE) {
        plan.stopChange = m_waiting;
        m_waiting = false;
        return plan;
    }
    const unsigned due = m_lastTick + delay;
    const int moved = static_cast<int>(due - m_changeDue);
    if (!m_waiting || moved > CHANGE_SLACK_MS || moved < -CHANGE_SLACK_MS) {
        plan.changeDelay = delay;
        m_changeDue = due;
    }
    m_waiting = true;
    return plan;
}
