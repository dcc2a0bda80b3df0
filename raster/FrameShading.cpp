// The shaded frame band and the translucent blend of the composed picture.
#include "raster/FrameShading.h"

#include "common/Saturate.h"
#include "raster/BlendTables.h"
#include "raster/PixelView.h"

#include <cassert>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Darkening factor of the band at t (1 = outer edge, 0 = inner edge), bent by
// the curvature: 255 at the outer edge, 204 at the inner one; held to 0..255.
static int BandFactor(float t, float curvature)
{
    const float shade = 255 * (0.8f + 0.2f * (1 + curvature) * t / (1 - curvature + 2.0f * curvature * t));
    return SaturateToInt(shade, 0, 255);
}

// Weights of the picture and of the background for a pixel that lies r
// (in units of the corner radius) outside the rounding arc.
static void InnerCornerWeights(float r, int& pictureWeight, int& backgroundWeight)
{
    const float w = 1 - 0.707107f * r;
    const float s = 0.06f * w / (1.94f - 1.88f * w);
    const float alpha = 255 * s;
    pictureWeight = SaturateToInt(alpha, 0, 255);
    backgroundWeight = static_cast<int>(0.8f * (255 - pictureWeight));
}

// count pixels from byte offset startOffset, step bytes apart:
// dst = ScaleTable[factor][src] per channel.
static void ScalePixelRun(unsigned char* dstPixels, const unsigned char* srcPixels, int factor, int count,
                          int startOffset, int step)
{
    assert(factor >= 0 && factor <= 255);
    const unsigned char* scale = ScaleTable + factor * 256;
    for (int i = 0, offset = startOffset; i < count; ++i, offset += step) {
        dstPixels[offset] = scale[srcPixels[offset]];
        dstPixels[offset + 1] = scale[srcPixels[offset + 1]];
        dstPixels[offset + 2] = scale[srcPixels[offset + 2]];
    }
}

// The frame band being shaded: the two buffers of width x height pixels, the
// band's width, the radius of its inner corners and the bend of its shading.
struct Bevel
{
    unsigned char* dstPixels;
    const unsigned char* srcPixels;
    int width, height;
    int border, cornerRadius;
    float curvature;
};

// One corner square of the band; xDirection and yDirection are -1 for the
// left and top, +1 for the right and bottom corners.
static void ShadeBevelCorner(const Bevel& bevel, const PixelRect& square, int xDirection, int yDirection)
{
    unsigned char* const dstPixels = bevel.dstPixels;
    const unsigned char* const srcPixels = bevel.srcPixels;
    const int width = bevel.width, height = bevel.height, border = bevel.border, cornerRadius = bevel.cornerRadius;
    const float curvature = bevel.curvature;
    const int left = square.left, top = square.top, right = square.right, bottom = square.bottom;
    const int stride = width * 4;
    for (int y = top > 0 ? top : 0; y < bottom && y < height; ++y) {
        const int b = yDirection < 0 ? y : height - 1 - y;
        for (int x = left > 0 ? left : 0; x < right && x < width; ++x) {
            const int a = xDirection < 0 ? x : width - 1 - x;
            const int offset = y * stride + x * 4;
            if (border > 0 && a <= border && b <= border) {
                // Shaded by the distance from the band's inner corner point.
                const float p = 1 - static_cast<float>(a) / border, q = 1 - static_cast<float>(b) / border;
                ScalePixelRun(dstPixels, srcPixels, BandFactor(std::sqrt(p * p + q * q), curvature), 1, offset, 4);
            } else if (cornerRadius > 0 && a > border && b > border) {
                const float u = static_cast<float>(border + cornerRadius - a) / cornerRadius;
                const float v = static_cast<float>(border + cornerRadius - b) / cornerRadius;
                const float r = std::sqrt(u * u + v * v) - 1;
                if (!(r > 0))
                    continue;
                int pictureWeight, backgroundWeight;
                InnerCornerWeights(r, pictureWeight, backgroundWeight);
                const unsigned char* keep = ScaleTable + pictureWeight * 256;
                const unsigned char* show = ScaleTable + backgroundWeight * 256;
                for (int i = offset; i < offset + 3; ++i)
                    dstPixels[i] = static_cast<unsigned char>(keep[dstPixels[i]] + show[srcPixels[i]]);
            }
        }
    }
}

bool ShadeRoundedBevel(unsigned char* dstPixels, const unsigned char* srcPixels, int width, int height, int border,
                       int cornerRadius, float curvature)
{
    if (!dstPixels || !srcPixels)
        return false;
    InitBlendTables();
    // No clipping: every corner square must lie inside the picture.
    const int corner = border + cornerRadius + 1;
    assert(border >= 0 && cornerRadius >= 0 && width >= corner && height >= corner);
    const int stride = width * 4;
    if (border > 0) {
        for (int i = 0; i <= border; ++i) {
            const int factor = BandFactor(1 - static_cast<float>(i) / border, curvature);
            const int rows = height - 2 * border, columns = width - 2 * border;
            ScalePixelRun(dstPixels, srcPixels, factor, rows, border * stride + i * 4, stride);
            ScalePixelRun(dstPixels, srcPixels, factor, rows, border * stride + (width - 1 - i) * 4, stride);
            ScalePixelRun(dstPixels, srcPixels, factor, columns, i * stride + border * 4, 4);
            ScalePixelRun(dstPixels, srcPixels, factor, columns, (height - 1 - i) * stride + border * 4, 4);
        }
    }
    const int args[4][4] = {{0, 0, -1, -1},
                            {width - corner, 0, 1, -1},
                            {0, height - corner, -1, 1},
                            {width - corner, height - corner, 1, 1}};
    const Bevel bevel = {dstPixels, srcPixels, width, height, border, cornerRadius, curvature};
    for (const int* a : args)
        ShadeBevelCorner(bevel, {a[0], a[1], a[0] + corner, a[1] + corner}, a[2], a[3]);
    return true;
}

// Blends the leading pixels four at a time where the processor allows it and
// returns how many it did. For w in 1..254 and v in 0..255,
// floor(w * v / 255) = (v * ceil(w * 65536 / 255)) >> 16 exactly, so one
// high-half multiply of eight channels gives eight ScaleTable entries.
static long long BlendFourAtATime(unsigned char* dstPixels, const unsigned char* srcPixels, long long pixels, int alpha)
{
#if defined(__SSE2__)
    if (alpha == 0 || alpha == 255)
        return 0;
    const __m128i keep = _mm_set1_epi16(static_cast<short>((alpha * 65536 + 254) / 255));
    const __m128i show = _mm_set1_epi16(static_cast<short>(((255 - alpha) * 65536 + 254) / 255));
    const __m128i fourth = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i zero = _mm_setzero_si128();
    const long long done = pixels & ~3LL;
    for (long long i = 0; i < done * 4; i += 16) {
        __m128i* at = reinterpret_cast<__m128i*>(dstPixels + i);
        const __m128i d = _mm_loadu_si128(at);
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(srcPixels + i));
        const __m128i low = _mm_add_epi16(_mm_mulhi_epu16(_mm_unpacklo_epi8(d, zero), keep),
                                          _mm_mulhi_epu16(_mm_unpacklo_epi8(s, zero), show));
        const __m128i high = _mm_add_epi16(_mm_mulhi_epu16(_mm_unpackhi_epi8(d, zero), keep),
                                           _mm_mulhi_epu16(_mm_unpackhi_epi8(s, zero), show));
        const __m128i mixed = _mm_packus_epi16(low, high);
        _mm_storeu_si128(at, _mm_or_si128(_mm_andnot_si128(fourth, mixed), _mm_and_si128(fourth, d)));
    }
    return done;
#else
    (void)dstPixels;
    (void)srcPixels;
    (void)pixels;
    (void)alpha;
    return 0;
#endif
}

bool BlendTranslucent(unsigned char* dstPixels, const unsigned char* srcPixels, int width, int height, float opacity)
{
    if (!dstPixels || !srcPixels)
        return false;
    // Fully opaque (or not a number): the picture stays as it is.
    if (!(opacity < 1))
        return false;
    if (opacity < 0)
        opacity = 0;
    InitBlendTables();
    const int alpha = static_cast<int>(std::floor(opacity * 255 + 0.5f));
    const unsigned char* keep = ScaleTable + alpha * 256;
    const unsigned char* show = ScaleTable + (255 - alpha) * 256;
    const long long pixels = static_cast<long long>(width) * height;
    for (long long i = BlendFourAtATime(dstPixels, srcPixels, pixels, alpha) * 4; i < pixels * 4; i += 4) {
        dstPixels[i] = static_cast<unsigned char>(show[srcPixels[i]] + keep[dstPixels[i]]);
        dstPixels[i + 1] = static_cast<unsigned char>(show[srcPixels[i + 1]] + keep[dstPixels[i + 1]]);
        dstPixels[i + 2] = static_cast<unsigned char>(show[srcPixels[i + 2]] + keep[dstPixels[i + 2]]);
    }
    return true;
}
