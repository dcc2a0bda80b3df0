// The one table of the dial's pixel sizes and its scaling.
#include "dial/DialSize.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace {

const DialSize BIG_DIAL = {
    450,           GNOMON_LENGTH_BIG, 9.2f, -12, 12, 10, 26, 6, 4, 16, -8, -26, 7, {22, 8, 109, 122}, 32, NATURAL_SCALE,
    NATURAL_SCALE, {22, 8, 109, 122}, 1};
const DialSize SMALL_DIAL = {
    250,           GNOMON_LENGTH_SMALL, 7.0f, -9, 8, 10, 26, 6, 4, 16, -8, -26, 7, {15, 4, 80, 90}, 32, NATURAL_SCALE,
    NATURAL_SCALE, {15, 4, 80, 90},     1};

int Scaled(int pixels, int scalePercent)
{
    return static_cast<int>(std::lround(pixels * scalePercent / static_cast<double>(NATURAL_SCALE)));
}

}  // namespace

int PictureScaleFor(int scalePercent)
{
    for (int scale : PICTURE_SCALES)
        if (scale >= scalePercent)
            return scale;
    return PICTURE_SCALES[sizeof PICTURE_SCALES / sizeof PICTURE_SCALES[0] - 1];
}

DialSize DialSizeFor(bool big, int scalePercent)
{
    DialSize size = big ? BIG_DIAL : SMALL_DIAL;
    if (scalePercent == NATURAL_SCALE)
        return size;
    for (int* pixels : {&size.side, &size.gnomonLength, &size.rodOffsetY, &size.numeralHalfHeight, &size.numeralGap,
                        &size.nightFontHeight, &size.frameWidth, &size.cornerRadius, &size.buttonSize,
                        &size.closeButtonX, &size.settingsButtonX, &size.buttonY, &size.rod.width, &size.rod.capRows,
                        &size.rod.baseRow, &size.rod.height})
        *pixels = Scaled(*pixels, scalePercent);
    size.shadowHalfWidth *= scalePercent / static_cast<float>(NATURAL_SCALE);
    size.scalePercent = scalePercent;
    size.pictureScale = PictureScaleFor(scalePercent);
    size.hourLineStrokes = Scaled(size.hourLineStrokes, scalePercent);
    if (size.hourLineStrokes < 1)
        size.hourLineStrokes = 1;
    for (int* pixels : {&size.numeralCell, &size.rodPicture.width, &size.rodPicture.capRows, &size.rodPicture.baseRow,
                        &size.rodPicture.height})
        *pixels = Scaled(*pixels, size.pictureScale);
    return size;
}

CScaledName::CScaledName(const char* baseName, int scalePercent)
{
    if (scalePercent == NATURAL_SCALE)
        snprintf(m_name, sizeof m_name, "%s", baseName);
    else
        snprintf(m_name, sizeof m_name, "%s%d", baseName, scalePercent);
}
