// When the dial's picture next changes visibly by itself.
#include "dial/PictureChange.h"

#include "dial/DialGeometry.h"
#include "dial/DialPixels.h"
#include "dial/Moonlight.h"

#include <climits>
#include <cmath>

namespace {

// The ellipse box of a round cap reaches this far past its radius on two
// sides (see ComputeShadowBand).
const double CAP_BOX_SLACK = 2.0;
// A blur pass is an exponential smoothing: it drags the half-level point of
// a hard edge along by the distance over which its memory halves, and the
// pass the other way drags it back. This is the most it can shift an edge,
// with the smallest weight the dial rectangle has (at its corners), pixels.
double BlurEdgeShift(int width, int height, ShadowSoftness softness)
{
    InitDialTables();
    int corner = (width >> 1) + (height >> 1) + 1;
    double weight = BlurWeightsOf(softness)[corner < 1023 ? corner : 1023] / 256.0;
    if (weight >= 1.0)
        return 0.0;
    return std::log(2.0) / -std::log(1.0 - weight);
}

}  // namespace

double ShadowDisplacement(const Shadow& a, const Shadow& b, const DialSize& size, int width, int height,
                          ShadowSoftness softness)
{
    double la = std::hypot(a.u, a.v), lb = std::hypot(b.u, b.v);
    // The angle the band turns about the foot, and how far it carries a
    // point one pixel from the foot.
    double turn = std::atan2(a.u * b.v - a.v * b.u, a.u * b.u + a.v * b.v);
    double chord = 2.0 * std::sin(std::fabs(turn) * 0.5);
    // Every edge of the soft shadow lies within this much of the band's axis
    // or of its tip: half the band, the cap box and the blur's shift, which
    // acts along rows and columns alike.
    double around = size.shadowHalfWidth + CAP_BOX_SLACK + std::sqrt(2.0) * BlurEdgeShift(width, height, softness);
    double visible = 0.5 * std::hypot(static_cast<double>(width), static_cast<double>(height));
    double longer = la > lb ? la : lb, shorter = la < lb ? la : lb;
    // The sides turn about the foot; the farthest visible point moves most.
    double sides = chord * ((longer < visible ? longer : visible) + around);
    if (shorter - around > visible)
        return sides;  // the tip's end lies outside the rectangle
    double tipEnd = std::hypot(b.u - a.u, b.v - a.v) + chord * around;
    return tipEnd > sides ? tipEnd : sides;
}

namespace {

// Whether the face lit by later differs visibly from the face lit by shown.
bool LightChanged(const FaceLight& shown, const FaceLight& later, const DialSize& size, int width, int height)
{
    if (later.lighting != shown.lighting)
        return true;
    switch (shown.lighting) {
    case Lighting::SUN:
        return BrightnessLevel(later.shadow.brightness) != BrightnessLevel(shown.shadow.brightness) ||
               ShadowDisplacement(shown.shadow, later.shadow, size, width, height, ShadowSoftness::SUN) >
                   SHADOW_TOLERANCE_PX;
    case Lighting::MOON:
        // The moon's small picture turns with the shadow, farther out: it
        // may lag by a pixel or so, too little to show on so small a disc.
        return later.depth != shown.depth || ShadowDisplacement(shown.shadow, later.shadow, size, width, height,
                                                                ShadowSoftness::MOON) > SHADOW_TOLERANCE_PX;
    case Lighting::NONE: break;
    }
    return false;
}

}  // namespace

int SecondsOfSamePicture(const DialFace& face, const DialSize& size, int width, int height, int t)
{
    const PixelRect dial = {0, 0, width, height};
    const FaceLight shown = ComputeFaceLight(face, size, dial, t);
    for (int k = 1; k <= MAX_FRAME_INTERVAL_S; ++k) {
        if (t > INT_MAX - k)
            return k > 1 ? k - 1 : 1;  // no later moment to show
        if (LightChanged(shown, ComputeFaceLight(face, size, dial, t + k), size, width, height))
            return k > 1 ? k - 1 : 1;
    }
    return MAX_FRAME_INTERVAL_S;
}
