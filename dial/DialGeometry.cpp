#include "dial/DialGeometry.h"

#include "dial/Solar.h"

#include <cmath>

static const DialSize kBigDial = {125, 9.2f, 22, 8, 109, 122, -12, 12};
static const DialSize kSmallDial = {70, 7.0f, 15, 4, 80, 90, -9, 8};

const DialSize& GetDialSize(bool big)
{
    return big ? kBigDial : kSmallDial;
}

int TruncateCoordinate(double value)
{
    const double limit = 1 << 28;
    if (!(value == value))
        return 0;
    if (value > limit)
        return static_cast<int>(limit);
    if (value < -limit)
        return static_cast<int>(-limit);
    return static_cast<int>(value);
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
    return value > 0 ? static_cast<int>(std::floor(value)) : 0;
}

GnomonBands ComputeGnomonBands(int left, int top, int width, int height, float latitude, bool big)
{
    const DialSize& size = GetDialSize(big);
    GnomonBands bands = {};
    bands.x = left + (width >> 1) - (size.rodWidth >> 1);
    bands.width = size.rodWidth;
    if (!std::isfinite(latitude))
        return bands;
    float sA = std::fabs(static_cast<float>(std::sin(latitude * DegToRad)));
    float cA = std::fabs(static_cast<float>(std::cos(latitude * DegToRad)));
    float a = size.rodCapRows * 1.7f * sA;
    float b = (size.rodHeight - size.rodBaseRow) * 1.7f * sA;
    float c = size.gnomonLength * 1.1f * cA;
    float d = b * 0.5f + c - a;
    if (d < 0)
        d = 0;
    int y0 = top + (height >> 1) + size.rodOffsetY;
    bands.cap = {y0, FloorHeight(a), 0, size.rodCapRows};
    bands.shaft = {y0 + FloorHeight(a), FloorHeight(d), size.rodCapRows, size.rodBaseRow - size.rodCapRows};
    bands.base = {y0 + FloorHeight(c), FloorHeight(b), size.rodBaseRow, size.rodHeight - size.rodBaseRow};
    return bands;
}

int NumeralHalfWidth(double hour, double latitude, double radius, int halfHeightMax)
{
    double w = HourSectorAngle(hour, latitude) * radius * 0.008 * 57.29577950560105;
    if (!(w < halfHeightMax))
        return halfHeightMax;
    return static_cast<int>(w);
}
