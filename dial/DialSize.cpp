// The one table of the dial's pixel sizes and its scaling.
#include "dial/DialSize.h"

#include <cmath>
#include <cwchar>
#include <initializer_list>

namespace {

// What sets the big and the small dial apart, at the natural size in dial
// pixels: the face's side, the gnomon, the shadow band's half width, the top
// of the gnomon picture below the centre, the numerals' half height and the
// gnomon bitmap's measures.
struct DialShape
{
    int side;
    int gnomonLength;
    float shadowHalfWidth;
    int rodOffsetY;
    int numeralHalfHeight;
    RodImage rod;
};

const int BIG_SIDE = 450;
const float BIG_SHADOW_HALF_WIDTH = 9.2f;
const int BIG_ROD_OFFSET_Y = -12;
const int BIG_NUMERAL_HALF_HEIGHT = 12;
const RodImage BIG_ROD = {/* width */ 22, /* capRows */ 8, /* baseRow */ 109, /* height */ 122};
const DialShape BIG_DIAL = {BIG_SIDE,         GNOMON_LENGTH_BIG,       BIG_SHADOW_HALF_WIDTH,
                            BIG_ROD_OFFSET_Y, BIG_NUMERAL_HALF_HEIGHT, BIG_ROD};

const int SMALL_SIDE = 250;
const float SMALL_SHADOW_HALF_WIDTH = 7.0f;
const int SMALL_ROD_OFFSET_Y = -9;
const int SMALL_NUMERAL_HALF_HEIGHT = 8;
const RodImage SMALL_ROD = {/* width */ 15, /* capRows */ 4, /* baseRow */ 80, /* height */ 90};
const DialShape SMALL_DIAL = {SMALL_SIDE,         GNOMON_LENGTH_SMALL,       SMALL_SHADOW_HALF_WIDTH,
                              SMALL_ROD_OFFSET_Y, SMALL_NUMERAL_HALF_HEIGHT, SMALL_ROD};

// What both dials share at the natural size.
const int NUMERAL_GAP = 10;
const int NIGHT_FONT_HEIGHT = 26;
const int DATE_LABEL_FONT_HEIGHT = 12;  // small beside the numerals, still legible on the small dial
const int FRAME_WIDTH = 6;
const int CORNER_RADIUS = 4;
const int BUTTON_SIZE = 16;
const int CLOSE_BUTTON_X = -8;
const int SETTINGS_BUTTON_X = -26;
const int BUTTON_Y = 7;
const int NUMERAL_CELL = 32;
const int HOUR_LINE_STROKES = 1;

DialSize NaturalSize(const DialShape& shape)
{
    DialSize size = {};
    size.side = shape.side;
    size.gnomonLength = shape.gnomonLength;
    size.shadowHalfWidth = shape.shadowHalfWidth;
    size.rodOffsetY = shape.rodOffsetY;
    size.numeralHalfHeight = shape.numeralHalfHeight;
    size.numeralGap = NUMERAL_GAP;
    size.nightFontHeight = NIGHT_FONT_HEIGHT;
    size.dateLabelFontHeight = DATE_LABEL_FONT_HEIGHT;
    size.frameWidth = FRAME_WIDTH;
    size.cornerRadius = CORNER_RADIUS;
    size.buttonSize = BUTTON_SIZE;
    size.closeButtonX = CLOSE_BUTTON_X;
    size.settingsButtonX = SETTINGS_BUTTON_X;
    size.buttonY = BUTTON_Y;
    size.rod = shape.rod;
    size.numeralCell = NUMERAL_CELL;
    size.scalePercent = NATURAL_SCALE;
    size.pictureScale = NATURAL_SCALE;
    size.rodPicture = shape.rod;
    size.hourLineStrokes = HOUR_LINE_STROKES;
    return size;
}

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

DialSize DialSizeFor(DialModel model, int scalePercent)
{
    DialSize size = NaturalSize(model == DialModel::Big ? BIG_DIAL : SMALL_DIAL);
    if (scalePercent == NATURAL_SCALE)
        return size;
    for (int* pixels : {&size.side, &size.gnomonLength, &size.rodOffsetY, &size.numeralHalfHeight, &size.numeralGap,
                        &size.nightFontHeight, &size.dateLabelFontHeight, &size.frameWidth, &size.cornerRadius,
                        &size.buttonSize, &size.closeButtonX, &size.settingsButtonX, &size.buttonY, &size.rod.width,
                        &size.rod.capRows, &size.rod.baseRow, &size.rod.height})
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

CScaledName::CScaledName(const wchar_t* baseName, int scalePercent)
{
    const int size = sizeof m_name / sizeof m_name[0];
    if (scalePercent == NATURAL_SCALE)
        swprintf(m_name, size, L"%ls", baseName);
    else
        swprintf(m_name, size, L"%ls%d", baseName, scalePercent);
}
