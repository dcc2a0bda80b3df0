// Tests of the frame scheduler: which frames are drawn, what they paint, which timers run.
#include "gadget/FrameScheduler.h"

#include <gtest/gtest.h>

namespace {

const FrameTiming TIMING = {0.75f, 0.15f, 1000};
const unsigned NEVER = NO_FRAME_DUE;
const FrameWork NONE = FrameWork::NONE, COMPOSE = FrameWork::COMPOSE, PAINT = FrameWork::PAINT;

// One host's life, a row a frame asked for; each row follows the one above.
struct Step
{
    const char* what;
    unsigned now;
    bool dragging, forced, changed;
    unsigned gadgetDelay;
    FrameWork work;
    float opacity;  // negative: somewhere between 0 and 1
    bool start, stop;
    unsigned changeTimer;  // set again for this long, or NEVER
    bool stopChange;       // the one-shot timer stops
};

const Step LIFE[] = {
    {"the first frame paints, the fade-in runs the timer", 1000, false, true, false, NEVER, PAINT, 0, true, false,
     NEVER, false},
    {"a fade step only composes", 1020, false, false, false, NEVER, COMPOSE, -1, false, false, NEVER, false},
    {"the fade settles: no frame, the timer stops", 1400, false, false, false, NEVER, NONE, 1, false, true, NEVER,
     false},
    {"the gadget changed: a paint, its timer waits", 5000, false, true, true, 30000, PAINT, 1, false, false, 30000,
     false},
    {"a hover composes and starts no timer", 5100, false, true, false, 29000, COMPOSE, 1, false, false, 29000, false},
    {"a quiet host draws nothing, its timer already due then", 9000, false, false, false, 25100, NONE, 1, false, false,
     NEVER, false},
    {"a drag runs the timer in place of the gadget's", 9100, true, true, false, 25000, COMPOSE, 1, true, false, NEVER,
     true},
    {"the drag fades out", 9120, true, false, false, 25000, COMPOSE, -1, false, false, NEVER, false},
    {"at the drag's opacity the idle period runs", 10000, true, false, false, 25000, NONE, 0.75f, false, false, NEVER,
     false},
    {"the idle period runs out in a frame", 10200, true, false, false, 25000, COMPOSE, 0.75f, false, false, NEVER,
     false},
    {"a change while dragged paints at once", 10220, true, false, true, 25000, PAINT, 0.75f, false, false, NEVER,
     false},
    {"the drop fades back in", 10300, false, true, false, 25000, COMPOSE, -1, false, false, NEVER, false},
    {"settled at rest, the stopped timer is set again for the same moment", 11000, false, false, false, 23100, NONE, 1,
     false, true, 23100, false},
    {"a gadget changing all the time runs the animation timer", 12000, false, true, true, 0, PAINT, 1, true, false,
     NEVER, true},
};

TEST(FrameScheduler, DrawsAndPaintsOnlyWhatChanged)
{
    CFrameScheduler frames(TIMING);
    for (const Step& step : LIFE) {
        if (step.changed)
            frames.ContentChanged();
        FrameWork work = frames.Frame(step.now, step.dragging, step.forced);
        TimerPlan plan = frames.PlanTimers(step.gadgetDelay);
        float opacity = frames.Opacity();
        EXPECT_EQ(static_cast<int>(work), static_cast<int>(step.work)) << step.what;
        EXPECT_TRUE(step.opacity < 0 ? opacity > 0 && opacity < 1 : opacity == step.opacity)
            << step.what << ": opacity " << opacity;
        EXPECT_TRUE(plan.startAnimation == step.start && plan.stopAnimation == step.stop)
            << step.what << ": start " << plan.startAnimation << ", stop " << plan.stopAnimation;
        EXPECT_TRUE(plan.changeDelay == step.changeTimer && plan.stopChange == step.stopChange)
            << step.what << ": change timer " << plan.changeDelay << ", stopped " << plan.stopChange;
    }
}

// The clock's wrap is one small step; a zero fade time jumps.
TEST(FrameScheduler, StepsAcrossTheClocksWrapAndJumpsWithoutAFadeTime)
{
    const struct
    {
        float fadeTime;
        unsigned first, second;
        float opacity;  // negative: still fading
    } rows[] = {
        {0.15f, 0xFFFFFFF0u, 4, -1},
        {0.15f, 0xFFFFFFF0u, 0x0FFFFFFFu, 1},
        {0, 100, 100, 1},
    };
    for (const auto& row : rows) {
        CFrameScheduler frames({0.75f, row.fadeTime, 1000});
        frames.Frame(row.first, false, true);
        frames.PlanTimers(NEVER);
        frames.Frame(row.second, false, false);
        float opacity = frames.Opacity();
        EXPECT_TRUE(row.opacity < 0 ? opacity > 0 && opacity < 1 : opacity == row.opacity)
            << "fade " << row.fadeTime << " from " << row.first << " to " << row.second << ": opacity " << opacity;
    }
}

}  // namespace
