// The dial's pixel sizes for either size of dial at any scale.
#pragma once

#include "sun/Solar.h"

// Percent of the natural size: the size the dial's bitmaps were drawn for.
const int NATURAL_SCALE = 100;

// Rows and columns of a gnomon bitmap (RodBigImage, RodSmallImage); the
// bitmaps of other scales are drawn with these measures scaled.
struct RodImage
{
    int width;    // w, half the bitmap's width: picture left, mask right
    int capRows;  // t
    int baseRow;  // m, first row of the base disc
    int height;   // Hb
};

struct DialSize
{
    int side;                 // width and height of the dial face
    int gnomonLength;         // R
    float shadowHalfWidth;    // r
    int rodOffsetY;           // yoff, top of the gnomon picture below the centre
    int numeralHalfHeight;    // hmax
    int numeralGap;           // from the end of an hour line to its numeral's centre
    int nightFontHeight;      // the night text's font, in pixels
    int dateLabelFontHeight;  // the date lines' labels' font, in pixels
    // The host's frame around the face and the buttons in its top-right
    // corner: x of each button from the right edge, y from the top.
    int frameWidth;
    int cornerRadius;
    int buttonSize;
    int closeButtonX, settingsButtonX, buttonY;
    RodImage rod;
    // The numerals bitmap (NumbersImage): square cells of this side, numeral
    // n in column n & 7, row n >> 3.
    int numeralCell;
    int scalePercent;  // the scale these sizes are for
    // The scale of the bitmaps drawn from (numerals, rods, buttons): the
    // smallest one drawn that is not below scalePercent, so that a picture
    // is shrunk rather than enlarged; numeralCell and rodPicture are that
    // bitmap's measures, rod the gnomon's measures on the screen.
    int pictureScale;
    RodImage rodPicture;
    // Two-pixel strokes side by side in each hour line and curve: one at the
    // natural size, about one more for every further 100 %.
    int hourLineStrokes;
};

// The two dials the gadget offers.
enum class DialModel
{
    Small,
    Big,
};

// The sizes of the big or the small dial drawn at scalePercent of the
// natural size (NATURAL_SCALE gives the table's own values), rounded as the
// image tools round the bitmaps' measures.
DialSize DialSizeFor(DialModel model, int scalePercent);

// The scales the dial's bitmaps are drawn at, from the smallest.
const int PICTURE_SCALES[] = {NATURAL_SCALE, 150, 200};

// The scale of the bitmaps a dial drawn at scalePercent takes: the smallest
// of PICTURE_SCALES not below it, the largest above them all.
int PictureScaleFor(int scalePercent);

// The name of a bitmap resource drawn for a scale: the base name, with the
// percent after it for every scale but the natural one (RodBigImage200).
class CScaledName
{
public:
    CScaledName(const wchar_t* baseName, int scalePercent);
    const wchar_t* Get() const { return m_name; }

private:
    wchar_t m_name[64];
};
