// Tests of a painted dial frame: its date lines' labels as a reader sees them.
#include "dial/DialFrame.h"

#include "platform/Handles.h"
#include "sun/Solar.h"
#include "text/Languages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// The relative luminance of a grey of the surface (its blue byte).
double Luminance(int grey)
{
    const double c = grey / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The contrast of two greys as readers' guidelines reckon it: small text
// wants 4.5 : 1.
double Contrast(int light, int dark)
{
    return (Luminance(light) + 0.05) / (Luminance(dark) + 0.05);
}

}  // namespace

// At a summer noon, with the face at its brightest, the darkest pixel of each
// label stands 4.5 : 1 or more against the face around it, on either dial.
TEST(DateLabels, ReadAtFourAndAHalfToOneOnTheFace)
{
    for (DialModel model : {DialModel::Big, DialModel::Small}) {
        const DialSize size = DialSizeFor(model, NATURAL_SCALE);
        const CWindowDC screen(nullptr);
        CBitmapSurface surface(screen.Get(), size.side, size.side, nullptr);
        const CDialResources resources(surface.GetDC(), size);
        DialFrame frame = {};
        frame.dial = {0, 0, size.side, size.side};
        frame.face = {.model = model,
                      .scalePercent = NATURAL_SCALE,
                      .latitude = 46,
                      .sun = {.exact = false, .longitude = 15, .year = 2026, .zoneMinutes = 60},
                      .dateLines = true,
                      .clockHours = false,
                      .clockShiftHours = 0,
                      .language = LANGUAGE_ENGLISH,
                      .moonFace = false};
        frame.moment = SimulatedMoment(171, 12 * 3600);
        frame.displayBits = 32;
        frame.resources = &resources;
        frame.nightText = L"";
        PaintDialFrame(frame, surface.GetDC(), surface.View());
        GdiFlush();
        MarkingsLayout layout {};
        LayOutFrameMarkings(frame, surface.GetDC(), size, layout);
        int shown = 0;
        for (const DateLabel& label : layout.labels) {
            if (!label.shown)
                continue;
            ++shown;
            const PixelRect box = LabelBox(label);
            int light = 0, dark = 255;
            for (int y = box.top; y < box.bottom; ++y) {
                for (int x = box.left; x < box.right; ++x) {
                    const int grey = surface.GetPixels()[y * surface.GetStride() + x * 4];
                    light = std::max(light, grey);
                    dark = std::min(dark, grey);
                }
            }
            EXPECT_GE(Contrast(light, dark), 4.5)
                << "the label at " << box.left << "," << box.top << ": " << dark << " on " << light;
        }
        EXPECT_GE(shown, 2) << "labels shown on the " << (model == DialModel::Big ? "big" : "small") << " dial";
    }
}
