// Property tests: no pixel routine writes outside its clip rectangle.
#include "raster/AntialiasedLine.h"
#include "raster/BlendTables.h"
#include "raster/RotatedImage.h"
#include "raster/TestCanvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace {

// A random clip rectangle inside the canvas, sometimes empty.
PixelRect RandomClip(std::mt19937& random, const TestCanvas& canvas)
{
    std::uniform_int_distribution<int> x(0, canvas.Width()), y(0, canvas.Height());
    PixelRect clip = {x(random), y(random), x(random), y(random)};
    if (clip.left > clip.right)
        std::swap(clip.left, clip.right);
    if (clip.top > clip.bottom)
        std::swap(clip.top, clip.bottom);
    return clip;
}

// Mostly near the canvas, now and then anywhere in the int range.
int RandomCoordinate(std::mt19937& random)
{
    if (random() % 16 == 0)
        return static_cast<int>(random());
    return std::uniform_int_distribution<int>(-150, 250)(random);
}

}  // namespace

TEST(ClipProperty, LinesNeverWriteOutsideTheClipRectangle)
{
    std::mt19937 random(1234);
    TestCanvas canvas(96, 80, 0x80402010);
    for (int i = 0; i < 3000; ++i) {
        const PixelRect clip = RandomClip(random, canvas);
        canvas.Record();
        DrawAntialiasedLine(canvas.View(clip), RandomCoordinate(random), RandomCoordinate(random),
                            RandomCoordinate(random), RandomCoordinate(random),
                            static_cast<unsigned int>(random()) & 0xFFFFFF);
        ASSERT_TRUE(canvas.UnchangedOutside(clip.left, clip.top, clip.right, clip.bottom)) << "line " << i;
        ASSERT_TRUE(canvas.GuardsIntact()) << "line " << i;
        for (int y = clip.top; y < clip.bottom; ++y) {
            for (int x = clip.left; x < clip.right; ++x)
                ASSERT_EQ(canvas.WordAt(x, y) >> 24, 0x80u) << "line " << i;
        }
    }
}

// Nor outside the box TurnedBounds gives, which overlap checks go by.
TEST(ClipProperty, RotatedImagesNeverWriteOutsideTheClipRectangleOrTheirBounds)
{
    InitBlendTables();
    std::mt19937 random(5678);
    TestCanvas source(70, 50, 0);
    for (int y = 0; y < source.Height(); ++y) {
        for (int x = 0; x < source.Width(); ++x)
            source.Set(x, y, static_cast<unsigned int>(random()) & 0xFFFFFF);
    }
    std::uniform_real_distribution<float> position(-20.0f, 80.0f), size(0.0f, 60.0f), angle(-720.0f, 720.0f);
    std::uniform_int_distribution<int> half(0, 60);
    TestCanvas canvas(96, 80, 0x00FFFFFF);
    for (int i = 0; i < 3000; ++i) {
        const PixelRect clip = RandomClip(random, canvas);
        canvas.Record();
        const bool huge = random() % 16 == 0;
        const TurnedPlace place = {RandomCoordinate(random), RandomCoordinate(random),
                                   huge ? static_cast<int>(random() >> 1) : half(random), half(random), angle(random)};
        const SourceRect part = {position(random), position(random), huge ? 3e9f : size(random), size(random)};
        EXPECT_TRUE(DrawRotatedImage(canvas.View(clip), place, source.Image(), part));
        ASSERT_TRUE(canvas.UnchangedOutside(clip.left, clip.top, clip.right, clip.bottom)) << "image " << i;
        const PixelRect box = TurnedBounds(place);
        ASSERT_TRUE(canvas.UnchangedOutside(box.left, box.top, box.right, box.bottom))
            << "image " << i << " outside its bounds " << box.left << ", " << box.top << " to " << box.right << ", "
            << box.bottom;
        ASSERT_TRUE(canvas.GuardsIntact()) << "image " << i;
    }
}
