// The integer geometry of the shadow band, the gnomon picture and the numerals.
#include "dial/DialGeometry.h"

#include "common/Saturate.h"
#include "sun/Solar.h"

#include <algorithm>
#include <cmath>

// A numeral's half width per pixel of radius and degree of room: 0.46 of the
// arc to its neighbours, so that two neighbours keep a gap between them.
static const double NUMERAL_WIDTH_PER_DEGREE = 0.008;

int TruncateCoordinate(double value)
{
    return SaturateToInt(value, -COORDINATE_LIMIT, COORDINATE_LIMIT);
}

static void SetCap(int box[4], double x, double y, double r)
{
    box[0] = TruncateCoordinate(x - r);
    box[1] = TruncateCoordinate(y - r);
    box[2] = TruncateCoordinate(x + r + 2.0);
    box[3] = TruncateCoordinate(y + r + 2.0);
}

bool ComputeShadowBand(int cx, int cy, double u, double v, float halfWidth, ShadowBand& band)
{
    if (!std::isfinite(u) || !std::isfinite(v))
        return false;
    double len = std::hypot(u, v);
    band.smoothOutline = len < 32767.0;
    if (len > MAX_SHADOW_LENGTH) {
        u *= MAX_SHADOW_LENGTH / len;
        v *= MAX_SHADOW_LENGTH / len;
        len = MAX_SHADOW_LENGTH;
    }
    double r = halfWidth;
    // A shadow of length 0 (sun in the zenith) is just the foot's cap.
    double px = len > 0 ? r * v / len : 0;
    double py = len > 0 ? -r * u / len : 0;
    const double x[4] = {cx - px, cx + px, cx + u + px, cx + u - px};
    const double y[4] = {cy + py, cy - py, cy - v - py, cy - v + py};
    for (int i = 0; i < 4; ++i) {
        band.corners[i].x = TruncateCoordinate(x[i]);
        band.corners[i].y = TruncateCoordinate(y[i]);
    }
    SetCap(band.footCap, cx, cy, r);
    SetCap(band.tipCap, cx + u, cy - v, r);
    return true;
}

// Floor of a non-negative band height, 0 when it is not a number.
static int FloorHeight(float value)
{
    return SaturateToInt(std::floor(value), 0);
}

GnomonBands ComputeGnomonBands(int left, int top, int width, int height, float latitude, const DialSize& size)
{
    const RodImage& rod = size.rod;
    GnomonBands bands = {};
    bands.x = left + (width >> 1) - (rod.width >> 1);
    bands.width = rod.width;
    if (!std::isfinite(latitude))
        return bands;
    float sA = std::fabs(static_cast<float>(std::sin(latitude * DEG_TO_RAD)));
    float cA = std::fabs(static_cast<float>(std::cos(latitude * DEG_TO_RAD)));
    float a = rod.capRows * 1.7f * sA;
    float b = (rod.height - rod.baseRow) * 1.7f * sA;
    float c = size.gnomonLength * 1.1f * cA;
    float d = b * 0.5f + c - a;
    if (d < 0)
        d = 0;
    int y0 = top + (height >> 1) + size.rodOffsetY;
    // The source rows are the bitmap's, which may be drawn at a larger scale.
    const RodImage& picture = size.rodPicture;
    bands.srcWidth = picture.width;
    bands.cap = {y0, FloorHeight(a), 0, picture.capRows};
    bands.shaft = {y0 + FloorHeight(a), FloorHeight(d), picture.capRows, picture.baseRow - picture.capRows};
    bands.base = {y0 + FloorHeight(c), FloorHeight(b), picture.baseRow, picture.height - picture.baseRow};
    return bands;
}

PixelRect GnomonBox(const GnomonBands& bands)
{
    PixelRect box = {bands.x, 0, bands.x + bands.width, 0};
    bool first = true;
    for (const StretchBand* band : {&bands.cap, &bands.shaft, &bands.base}) {
        if (band->dstHeight <= 0)
            continue;
        box.top = first ? band->dstY : std::min(box.top, band->dstY);
        box.bottom = first ? band->dstY + band->dstHeight : std::max(box.bottom, band->dstY + band->dstHeight);
        first = false;
    }
    return box;
}

Outline OutlineOf(const TurnedPlace& place)
{
    float x[4], y[4];
    TurnedOutline(place, x, y);
    return {{x[0], x[1], x[2], x[3]}, {y[0], y[1], y[2], y[3]}};
}

Outline OutlineOf(const PixelRect& box)
{
    return {{static_cast<double>(box.left), static_cast<double>(box.right), static_cast<double>(box.right),
             static_cast<double>(box.left)},
            {static_cast<double>(box.top), static_cast<double>(box.top), static_cast<double>(box.bottom),
             static_cast<double>(box.bottom)}};
}

namespace {

// The outline's extent along the axis (ax, ay).
void Project(const Outline& outline, double ax, double ay, double& low, double& high)
{
    low = high = outline.x[0] * ax + outline.y[0] * ay;
    for (int k = 1; k < 4; ++k) {
        const double p = outline.x[k] * ax + outline.y[k] * ay;
        low = std::fmin(low, p);
        high = std::fmax(high, p);
    }
}

// Whether the outlines lie margin or more apart along the unit normal of the
// side from corner k of from.
bool ApartAcrossSide(const Outline& from, int k, const Outline& a, const Outline& b, double margin)
{
    const int next = (k + 1) & 3;
    const double dx = from.x[next] - from.x[k], dy = from.y[next] - from.y[k], length = std::hypot(dx, dy);
    if (!(length > 0))
        return false;
    double aLow, aHigh, bLow, bHigh;
    Project(a, -dy / length, dx / length, aLow, aHigh);
    Project(b, -dy / length, dx / length, bLow, bHigh);
    return bLow - aHigh >= margin || aLow - bHigh >= margin;
}

}  // namespace

bool OutlinesMeet(const Outline& a, const Outline& b, double margin)
{
    for (int k = 0; k < 4; ++k) {
        if (ApartAcrossSide(a, k, a, b, margin) || ApartAcrossSide(b, k, a, b, margin))
            return false;
    }
    return true;
}

bool SegmentCrosses(double x0, double y0, double x1, double y1, const Outline& outline)
{
    // The segment as a flat outline: it and the outline meet unless a side
    // of either keeps them apart.
    const Outline segment = {{x0, x1, x1, x0}, {y0, y1, y1, y0}};
    for (int k = 0; k < 4; ++k) {
        if (ApartAcrossSide(outline, k, segment, outline, 0))
            return false;
    }
    return !ApartAcrossSide(segment, 0, segment, outline, 0);
}

int NumeralHalfWidth(double room, double radius, int halfHeightMax)
{
    double w = room * radius * NUMERAL_WIDTH_PER_DEGREE * RAD_TO_DEG;
    if (!(w < halfHeightMax))
        return halfHeightMax;
    return static_cast<int>(w);
}
