// Turned, bilinearly sampled copies of an image rectangle.
#include "raster/RotatedImage.h"

#include "common/Saturate.h"
#include "raster/BlendTables.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cmath>
#include <cstring>

// The source row offsets live in a fixed table of this many rows.
static const int MAX_SOURCE_HEIGHT = 4096;

static int FloorToInt(double v)
{
    const int truncated = SaturateToInt(v);
    return truncated > v && truncated > INT_MIN ? truncated - 1 : truncated;
}

// The sine and cosine of a turn of angle degrees clockwise.
static void TurnSinCos(float angle, double& s, double& c)
{
    const double radians = angle * 3.141592654 / 180;
    s = std::sin(radians);
    c = std::cos(radians);
}

// Corners 0..3 of the turned rectangle: bottom-right, bottom-left, top-left,
// top-right of the source rectangle, on whole rows.
static void TurnedCorners(const TurnedPlace& place, double s, double c, float (&cornerX)[4], float (&cornerY)[4])
{
    static const int signX[4] = {1, -1, -1, 1};
    static const int signY[4] = {1, 1, -1, -1};
    for (int k = 0; k < 4; ++k) {
        cornerX[k] =
            static_cast<float>(place.centreX + signX[k] * c * place.halfWidth - signY[k] * s * place.halfHeight);
        cornerY[k] = static_cast<float>(
            std::floor(place.centreY + signX[k] * s * place.halfWidth + signY[k] * c * place.halfHeight));
    }
}

void TurnedOutline(const TurnedPlace& place, float (&cornerX)[4], float (&cornerY)[4])
{
    double s, c;
    TurnSinCos(place.angle, s, c);
    TurnedCorners(place, s, c, cornerX, cornerY);
}

PixelRect TurnedBounds(const TurnedPlace& place)
{
    float cornerX[4], cornerY[4];
    TurnedOutline(place, cornerX, cornerY);
    float left = cornerX[0], right = cornerX[0], top = cornerY[0], bottom = cornerY[0];
    for (int k = 1; k < 4; ++k) {
        left = std::fmin(left, cornerX[k]);
        right = std::fmax(right, cornerX[k]);
        top = std::fmin(top, cornerY[k]);
        bottom = std::fmax(bottom, cornerY[k]);
    }
    // Rows run from the top corner to just before the bottom one; a row's
    // pixels from the floor of its left edge to the floor of its right edge.
    return {FloorToInt(left), SaturateToInt(top), SaturateToInt(std::floor(right) + 1.0), SaturateToInt(bottom)};
}

// One side of the rotated rectangle, followed row by row.
struct Edge
{
    int corner;  // the corner it runs to
    float x;     // x at the current row
    float step;  // x per row
    float startRow;
    float endRow;
};

static void StartEdge(Edge& edge, const float* cornerX, const float* cornerY, int from, int to)
{
    const float rows = cornerY[to] - cornerY[from];
    edge.corner = to;
    edge.x = cornerX[from];
    edge.step = rows != 0.0f ? (cornerX[to] - cornerX[from]) / rows : 0.0f;
    edge.startRow = cornerY[from];
    edge.endRow = cornerY[to];
}

// Source position at the left edge as a 16-bit fraction of each side of the
// source rectangle, from the side the left edge is walking along.
static void LeftEdgeFraction(const Edge& left, int y, int& u, int& v)
{
    const double t = (y - left.startRow) / (left.endRow - left.startRow);
    const int along = SaturateToInt(t * 65535.0);
    const int back = SaturateToInt((1.0 - t) * 65535.0);
    switch (left.corner) {
    case 0:
        u = along;
        v = 65535;
        break;  // bottom, left to right
    case 1:
        u = 0;
        v = along;
        break;  // left, top to bottom
    case 2:
        u = back;
        v = 0;
        break;  // top, right to left
    default:
        u = 65535;
        v = back;
        break;  // right, bottom to top
    }
}

bool DrawRotatedImage(const PixelView& target, const TurnedPlace& place, const PixelImage& source,
                      const SourceRect& part)
{
    unsigned char* const dstPixels = target.pixels;
    const int dstStride = target.stride;
    const int clipLeft = target.clip.left, clipTop = target.clip.top, clipRight = target.clip.right,
              clipBottom = target.clip.bottom;
    const int halfWidth = place.halfWidth, halfHeight = place.halfHeight;
    const float angle = place.angle;
    const unsigned char* const srcPixels = source.pixels;
    const int srcStride = source.stride, srcWidth = source.width, srcHeight = source.height;
    const float srcX = part.x, srcY = part.y, srcRectWidth = part.width, srcRectHeight = part.height;
    if (!dstPixels || dstStride < 0 || halfWidth < 0 || halfHeight < 0 || !srcPixels || srcWidth < 0 || srcHeight < 0 ||
        srcStride < 0 || srcHeight > MAX_SOURCE_HEIGHT)
        return false;
    // Samples keep to the pixels of the source rectangle within the image,
    // so that a narrowed copy never takes in what lies beside the rectangle.
    const int uLow = std::max(FloorToInt(srcX), 0), vLow = std::max(FloorToInt(srcY), 0);
    const int uHigh = std::min(SaturateToInt(std::ceil(srcX + srcRectWidth)), srcWidth);
    const int vHigh = std::min(SaturateToInt(std::ceil(srcY + srcRectHeight)), srcHeight);
    // A flat rectangle covers no pixel centre, and a source narrower than the
    // 2 x 2 sample block gives nothing to sample.
    if (halfWidth == 0 || halfHeight == 0 || uHigh - uLow < 2 || vHigh - vLow < 2)
        return true;
    InitBlendTables();
    // The clip rectangle must lie inside the destination, the source rows
    // inside their stride.
    assert(clipLeft >= clipRight || clipTop >= clipBottom ||
           (clipLeft >= 0 && clipTop >= 0 && clipRight <= dstStride / 4));
    assert(srcWidth <= srcStride / 4);

    double s, c;
    TurnSinCos(angle, s, c);

    int rowOffset[MAX_SOURCE_HEIGHT];
    for (int j = 0; j < srcHeight; ++j)
        rowOffset[j] = j * srcStride;

    float cornerX[4], cornerY[4];
    TurnedCorners(place, s, c, cornerX, cornerY);
    int top = 0;
    for (int k = 1; k < 4; ++k) {
        if (cornerY[k] < cornerY[top])
            top = k;
    }

    // Source steps per destination pixel to the right, 16.16.
    const unsigned int du = static_cast<unsigned int>(SaturateToInt((srcRectWidth - 1) * c * 32768 / halfWidth));
    const unsigned int dv = static_cast<unsigned int>(SaturateToInt((srcRectHeight - 1) * -s * 32768 / halfHeight));
    const int rectWidth = SaturateToInt(srcRectWidth - 1), rectHeight = SaturateToInt(srcRectHeight - 1);
    const int originU = SaturateToInt(srcX * 65536.0), originV = SaturateToInt(srcY * 65536.0);
    // One unsigned compare tests low <= i < low + limit: the block's first
    // column and row, the second being inside as well.
    const unsigned int uLimit = static_cast<unsigned int>(uHigh - uLow - 1);
    const unsigned int vLimit = static_cast<unsigned int>(vHigh - vLow - 1);

    Edge left = {}, right = {};
    int leftCorner = top, rightCorner = top;
    int y = FloorToInt(cornerY[top]);
    for (int segment = 0;;) {
        const bool advanceLeft = segment == 0 || left.endRow <= right.endRow;
        const bool advanceRight = segment == 0 || left.endRow >= right.endRow;
        if (advanceLeft) {
            StartEdge(left, cornerX, cornerY, leftCorner, (leftCorner + 3) & 3);
            leftCorner = left.corner;
        }
        if (advanceRight) {
            StartEdge(right, cornerX, cornerY, rightCorner, (rightCorner + 1) & 3);
            rightCorner = right.corner;
        }
        const int segmentEnd = SaturateToInt(left.endRow < right.endRow ? left.endRow : right.endRow);
        const int first = clipTop < segmentEnd ? clipTop : segmentEnd;
        if (y < first) {
            left.x += (first - y) * left.step;
            right.x += (first - y) * right.step;
            y = first;
        }
        for (; y < segmentEnd && y < clipBottom; ++y, left.x += left.step, right.x += right.step) {
            int x = FloorToInt(left.x);
            const int rightX = FloorToInt(right.x);
            const int lastX = rightX < clipRight - 1 ? rightX : clipRight - 1;
            const double clippedColumns = x < clipLeft ? clipLeft - static_cast<double>(left.x) : 0.0;
            if (x < clipLeft)
                x = clipLeft;
            if (x > lastX)
                continue;
            int u, v;
            LeftEdgeFraction(left, y, u, v);
            unsigned int su = static_cast<unsigned int>(SaturateToInt(static_cast<long long>(u) * rectWidth + originU));
            unsigned int sv =
                static_cast<unsigned int>(SaturateToInt(static_cast<long long>(v) * rectHeight + originV));
            su += static_cast<unsigned int>(SaturateToInt(clippedColumns * static_cast<int>(du)));
            sv += static_cast<unsigned int>(SaturateToInt(clippedColumns * static_cast<int>(dv)));
            unsigned char* out = dstPixels + y * dstStride + x * 4;
            // Unsigned steps wrap instead of overflowing; the bounds test
            // below then skips any position outside the source rectangle.
            for (; x <= lastX; ++x, out += 4, su += du, sv += dv) {
                const int iu = static_cast<int>(su) >> 16, iv = static_cast<int>(sv) >> 16;
                if (static_cast<unsigned int>(iu - uLow) >= uLimit || static_cast<unsigned int>(iv - vLow) >= vLimit)
                    continue;
                // The 2 x 2 block as four words, blue in the low byte.
                unsigned int block[4];
                std::memcpy(block, srcPixels + rowOffset[iv] + iu * 4, 8);
                std::memcpy(block + 2, srcPixels + rowOffset[iv + 1] + iu * 4, 8);
                // Table rows for the horizontal and vertical weights.
                const unsigned char* rightShare = ScaleTable + ((su >> 8) & 0xFF) * 256;
                const unsigned char* leftShare = InverseScaleTable + ((su >> 8) & 0xFF) * 256;
                const unsigned char* lowerShare = ScaleTable + ((sv >> 8) & 0xFF) * 256;
                const unsigned char* upperShare = InverseScaleTable + ((sv >> 8) & 0xFF) * 256;
                const auto mix = [&](int shift) {
                    const int upperMix = rightShare[(block[1] >> shift) & 0xFF] + leftShare[(block[0] >> shift) & 0xFF];
                    const int lowerMix = rightShare[(block[3] >> shift) & 0xFF] + leftShare[(block[2] >> shift) & 0xFF];
                    return static_cast<unsigned char>(lowerShare[lowerMix] + upperShare[upperMix]);
                };
                const unsigned char blue = mix(0), green = mix(8), red = mix(16);
                out[0] = blue;
                out[1] = green;
                out[2] = red;
            }
        }
        ++segment;
        if (segment > 3 || y >= clipBottom || leftCorner == rightCorner)
            break;
    }
    return true;
}
