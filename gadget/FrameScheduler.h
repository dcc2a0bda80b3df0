// When the host draws a frame, what the frame draws afresh, and which timers run.
#pragma once

// Milliseconds that never come: no frame is due (the same value as
// Windows' INFINITE, which the gadget's NextFrameDelay gives).
const unsigned NO_FRAME_DUE = 0xFFFFFFFFu;

// The fade's look and pace.
struct FrameTiming
{
    // The opacity while the window is dragged, and the seconds a fade takes
    // (zero or less: it jumps).
    float dragOpacity;
    float fadeTime;
    // While the animation timer runs, a frame comes at least this often
    // though nothing asked for one.
    int idleRedrawMs;
};

// What a frame does: nothing, only compose the kept content with the frame,
// buttons and translucency, or have the gadget paint its content first.
enum class FrameWork
{
    NONE,
    COMPOSE,
    PAINT
};

// How the window's two timers change after a frame: the animation timer
// (every ANIMATION_PERIOD_MS while something moves) and the one-shot timer
// of the gadget's next change.
struct TimerPlan
{
    bool startAnimation = false, stopAnimation = false;
    // The one-shot timer is set again for this many ms, or NO_FRAME_DUE
    // (it stays as it is, or stops).
    unsigned changeDelay = NO_FRAME_DUE;
    bool stopChange = false;
};

// Decides from the fade, the drag and the gadget's own changes when a frame
// is drawn and what it draws; steps the fade. Knows nothing of windows: the
// host passes the time and reads the answers.
class CFrameScheduler
{
public:
    static const unsigned ANIMATION_PERIOD_MS = 20;

    explicit CFrameScheduler(const FrameTiming& timing) : m_timing(timing) { }

    // The gadget's picture changed (it said so, or the size, scale or
    // language did): the next frame paints it afresh.
    void ContentChanged() { m_contentChanged = true; }
    // A frame asked for at nowMs (a forced one: the window needs painting, a
    // control or the gadget changed, or the gadget's timer says it is due).
    FrameWork Frame(unsigned nowMs, bool dragging, bool forced);
    // The timers after a frame, from what animates and the gadget's next
    // change (NextFrameDelay: 0 while it changes all the time), counted from
    // the frame.
    TimerPlan PlanTimers(unsigned gadgetDelayMs);

    float Opacity() const { return m_opacity; }
    // Whether the animation timer runs. Only tests ask: a gadget left alone
    // must not run it, and the window's timers cannot be read back.
    bool Animating() const { return m_animating; }

private:
    FrameTiming m_timing;
    bool m_contentChanged = true;
    // The fade runs from the start.
    float m_opacity = 0;
    bool m_wantAnimation = true;
    unsigned m_lastTick = 0;
    bool m_ticked = false;
    float m_idleTime = 0;
    // The animation timer runs; the one-shot timer waits.
    bool m_animating = false;
    bool m_waiting = false;
    unsigned m_changeDue = 0;
};
