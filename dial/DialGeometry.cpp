// The integer geometry of the shadow band, the gnomon picture and the numerals.
#include "dial/DialGeometry.h"

#include "common/Saturate.h"
#include "sun/Solar.h"

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

int NumeralHalfWidth(double room, double radius, int halfHeightMax)
{
    double w = room * radius * NUMERAL_WIDTH_PER_DEGREE * RAD_TO_DEG;
    if (!(w < halfHeightMax))
        return halfHeightMax;
    return static_cast<int>(w);
}
