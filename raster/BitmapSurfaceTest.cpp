// Tests of the off-screen surfaces.
#include "raster/BitmapSurface.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Holds the screen's device context as the reference for the surfaces.
class BitmapSurfaceTest : public testing::Test
{
protected:
    void SetUp() override { m_screen = ::GetDC(nullptr); }
    void TearDown() override { ReleaseDC(nullptr, m_screen); }

    HDC m_screen;
};

unsigned int PixelAt(const CBitmapSurface& surface, int x, int y)
{
    unsigned int value;
    std::memcpy(&value, surface.GetPixels() + y * surface.GetStride() + x * 4, 4);
    return value & 0xFFFFFF;
}

void SetPixelAt(CBitmapSurface& surface, int x, int y, unsigned int value)
{
    std::memcpy(surface.GetPixels() + y * surface.GetStride() + x * 4, &value, 4);
}

bool AllZero(const CBitmapSurface& surface, int left, int top)
{
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            if ((x >= left || y >= top) && PixelAt(surface, x, y) != 0)
                return false;
        }
    }
    return true;
}

// The colour the test bitmaps' palettes give index i, as 0x00RRGGBB.
unsigned int PaletteColour(int i)
{
    return static_cast<unsigned int>(i * 17 % 256) << 16 | static_cast<unsigned int>(255 - i) << 8 |
           static_cast<unsigned int>(i * 53 % 256);
}

}  // namespace

TEST_F(BitmapSurfaceTest, SharesItsMemoryWithGdi)
{
    CBitmapSurface surface(m_screen, 37, 5, nullptr);
    ASSERT_NE(surface.GetPixels(), nullptr);
    EXPECT_EQ(surface.Width(), 37);
    EXPECT_EQ(surface.Height(), 5);
    EXPECT_EQ(surface.GetStride(), 148);
    EXPECT_TRUE(AllZero(surface, 0, 0));

    // Row 0 is the top row; the pixel value is 0x00RRGGBB.
    SetPixel(surface.GetDC(), 3, 1, RGB(255, 0, 0));
    GdiFlush();
    EXPECT_EQ(PixelAt(surface, 3, 1), 0xFF0000u);
    SetPixelAt(surface, 36, 4, 0x0000FF00);
    EXPECT_EQ(GetPixel(surface.GetDC(), 36, 4), RGB(0, 255, 0));
    EXPECT_EQ(GetBkMode(surface.GetDC()), TRANSPARENT);
}

TEST_F(BitmapSurfaceTest, ResizeKeepsTheTopLeftOrStartsAfresh)
{
    CBitmapSurface surface(m_screen, 4, 3, nullptr);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x)
            SetPixelAt(surface, x, y, 0x010203 * (y * 4 + x + 1));
    }
    surface.ResizeKeepingContent(6, 5);
    ASSERT_NE(surface.GetPixels(), nullptr);
    EXPECT_EQ(surface.Width(), 6);
    EXPECT_EQ(surface.GetStride(), 24);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(PixelAt(surface, x, y), 0x010203u * (y * 4 + x + 1)) << x << "," << y;
    }
    EXPECT_TRUE(AllZero(surface, 4, 3));

    surface.ResizeKeepingContent(2, 2);
    EXPECT_EQ(PixelAt(surface, 1, 1), 0x010203u * 6);
    surface.Resize(3, 2);
    EXPECT_EQ(surface.Width(), 3);
    EXPECT_TRUE(AllZero(surface, 0, 0));
}

TEST_F(BitmapSurfaceTest, LoadsBitmapResourcesOfAnyDepth)
{
    // 4 bits, RLE: the resource's size wins over the one passed.
    CBitmapSurface rle(m_screen, 1, 1, L"RasterTestRle4");
    ASSERT_NE(rle.GetPixels(), nullptr);
    ASSERT_EQ(rle.Width(), 24);
    ASSERT_EQ(rle.Height(), 10);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 24; ++x)
            ASSERT_EQ(PixelAt(rle, x, y), PaletteColour((x / 6 + 4 * (y / 3)) % 16)) << x << "," << y;
    }

    // 8 bits with padded rows.
    CBitmapSurface indexed(m_screen, 100, 100, L"RasterTestIndexed8");
    ASSERT_NE(indexed.GetPixels(), nullptr);
    ASSERT_EQ(indexed.Width(), 13);
    ASSERT_EQ(indexed.Height(), 11);
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(PixelAt(indexed, x, y), PaletteColour(y * 13 + x)) << x << "," << y;
    }

    // A missing resource leaves a blank surface of the size passed.
    CBitmapSurface missing(m_screen, 7, 3, L"NoSuchBitmap");
    EXPECT_EQ(missing.Width(), 7);
    EXPECT_EQ(missing.Height(), 3);
    EXPECT_TRUE(AllZero(missing, 0, 0));
}
