#include "dial/DialPixels.h"

#include <cmath>
#include <cstdlib>

unsigned char DialScaleTable[256 * 256];
int BlurWeight[1024];

void InitDialTables()
{
    static bool built = false;
    if (built)
        return;
    for (int m = 0; m < 256; ++m)
        for (int c = 0; c < 256; ++c)
            DialScaleTable[m * 256 + c] = static_cast<unsigned char>(m * c / 255);
    BlurWeight[0] = 255;
    for (int d = 1; d < 1024; ++d) {
        int w = static_cast<int>(10240.0 / d);
        BlurWeight[d] = w < 255 ? w : 255;
    }
    built = true;
}

void CopyBlueToMask(const unsigned char* pixels, int stride, int left, int top, int width, int height,
                    unsigned char* mask)
{
    for (int y = 0; y < height; ++y) {
        const unsigned char* p = pixels + (top + y) * stride + left * 4;
        for (int x = 0; x < width; ++x)
            *mask++ = p[x * 4];
    }
}

void BlurPass(unsigned char* start, int step, int count, int offsetA, int offsetB, int deltaA, int deltaB)
{
    if (count <= 0)
        return;
    // 8.8 fixed point; each byte pulls the accumulator towards itself by the
    // weight of its distance, so near the centre it is copied almost exactly.
    int acc = *start << 8;
    unsigned char* p = start;
    for (int i = 0; i < count; ++i, p += step, offsetA += deltaA, offsetB += deltaB) {
        int d = std::abs(offsetA) + std::abs(offsetB);
        int w = BlurWeight[d < 1023 ? d : 1023];
        acc += ((*p * 256 - acc) * w) >> 8;
        *p = static_cast<unsigned char>((acc + 128) >> 8);
    }
}

void BlurShadowMask(unsigned char* mask, int width, int height, int centreX, int centreY)
{
    for (int y = 0; y < height; ++y) {
        unsigned char* row = mask + y * width;
        BlurPass(row + width - 1, -1, width, width - 1 - centreX, y - centreY, -1, 0);
        BlurPass(row, 1, width, -centreX, y - centreY, 1, 0);
    }
    for (int x = 0; x < width; ++x) {
        unsigned char* column = mask + x;
        BlurPass(column, width, height, x - centreX, -centreY, 0, 1);
        BlurPass(column + (height - 1) * width, -width, height, x - centreX, height - 1 - centreY, 0, -1);
    }
}

void MultiplyByMask(unsigned char* pixels, int stride, int left, int top, int width, int height,
                    const unsigned char* mask)
{
    for (int y = 0; y < height; ++y) {
        unsigned char* p = pixels + (top + y) * stride + left * 4;
        for (int x = 0; x < width; ++x, p += 4) {
            const unsigned char* scale = DialScaleTable + (*mask++ << 8);
            p[0] = scale[p[0]];
            p[1] = scale[p[1]];
            p[2] = scale[p[2]];
        }
    }
}

void NegateColours(unsigned char* pixels, int stride, int left, int top, int width, int height)
{
    for (int y = 0; y < height; ++y) {
        unsigned char* p = pixels + (top + y) * stride + left * 4;
        for (int x = 0; x < width; ++x, p += 4) {
            p[0] = static_cast<unsigned char>(-p[0]);
            p[1] = static_cast<unsigned char>(-p[1]);
            p[2] = static_cast<unsigned char>(-p[2]);
        }
    }
}

void ScaleColours(unsigned char* pixels, int stride, int left, int top, int width, int height, int level)
{
    const unsigned char* scale = DialScaleTable + (level << 8);
    for (int y = 0; y < height; ++y) {
        unsigned char* p = pixels + (top + y) * stride + left * 4;
        for (int x = 0; x < width; ++x, p += 4) {
            p[0] = scale[p[0]];
            p[1] = scale[p[1]];
            p[2] = scale[p[2]];
        }
    }
}

int BrightnessLevel(double factor)
{
    double level = std::floor(factor * 255.0);
    if (!(level > 0))
        return 0;
    return level < 255 ? static_cast<int>(level) : 255;
}
