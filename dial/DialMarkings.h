// The dial's markings besides the sun-time hour lines: date lines, clock hours, and the kept picture of them all.
#pragma once

#include "dial/DialFace.h"
#include "dial/DialSize.h"
#include "dial/HourMarkings.h"
#include "common/Calendar.h"
#include "raster/PixelView.h"
#include "sun/DialCurves.h"

#include <memory>
#include <vector>

// Date lines with labels: the December solstice, the equinoxes and the June
// solstice.
const int LABELLED_DATE_LINES[] = {0, EQUINOX_LINE, DATE_LINE_COUNT - 1};
const int DATE_LABEL_COUNT = 3;

// A clock numeral narrower than this share of its natural width (its
// height) reads as a sliver: it is left out instead.
const double NARROWEST_CLOCK_NUMERAL = 0.6;

// A date line's label: its size on one line and, where its text breaks in
// two (after its comma), its width on two lines, twice as high, given (a
// wrapped width of 0 for none); whether it shows, on which, and where
// (top-left corner in surface pixels), found.
struct DateLabel
{
    int width, height;
    int wrappedWidth;
    bool shown, wrapped;
    int left, top;
};

// The box a label covers, as it was found.
PixelRect LabelBox(const DateLabel& label);

// The face's markings worked out before any is drawn: the curves, the
// numerals of the clock's hours or else of the sun's, and where the date
// lines' labels go. Drawing goes by it, and so does any check that nothing
// overlaps.
struct MarkingsLayout
{
    DialCurve dateLines[DATE_LINE_COUNT];  // none without date lines
    DialCurve clockHours[HOURS_PER_DAY];   // none without clock hours
    std::vector<PlacedNumeral> numerals;
    DateLabel labels[DATE_LABEL_COUNT];  // the sizes given before the layout
};

// Lays out the face's markings on the dial rectangle, whose centre is the
// gnomon's foot; labels' sizes as layout.labels gives them.
//  - Every figure-eight that shows (a stretch of it half a numeral high or
//    more on the dial off the gnomon's picture, not a speck at the gnomon's
//    edge) has its numeral, as the sun's hour lines have theirs:
//    numeralGap beyond the eight's farthest point within the ring of the
//    hour numerals; where that spot leaves the dial, lies under the gnomon
//    or under the equinoxes' label, numeralGap short of the eight's nearest
//    point, else wholly short of its farthest (where it runs off the dial).
//    It is turned along that direction, narrowed to the angle to the
//    nearest numeral that stands as far from the gnomon, and further while
//    two still touch. Where that leaves a numeral narrower than
//    NARROWEST_CLOCK_NUMERAL, it takes the next of those spots, standing
//    one beyond its neighbours (noon's numeral and those nearest it choose
//    first); one readable at none, or with no spot, is left out.
//  - Each label stands by its own line where it fits nearest the noon line:
//    over the line beside a point of it, else just above or below it where
//    no other date line crosses it; wholly on the dial, clear of the
//    gnomon, of every numeral and of the other labels; on one line, else on
//    two. The equinoxes' label is placed first, clear of every
//    figure-eight's first spot for its numeral where it can be, else
//    leaving each eight a spot; then the numerals, then the June and the
//    December solstices' labels. A label that fits nowhere is left out.
void LayOutMarkings(const PixelRect& dial, const DialFace& face, const DialSize& size, MarkingsLayout& layout);

// Draws the laid-out date lines, then the clock's figure-eights or the sun's
// hour lines, then the laid-out numerals over them, in the dial rectangle,
// the view's clip rectangle; numerals only where there is a numerals picture.
void DrawLaidOutMarkings(const PixelView& view, const DialFace& face, const MarkingsLayout& layout,
                         const PixelImage* numbers, const DialSize& size);

// The markings' picture as last drawn, kept so that frames of the same face
// in the same dial rectangle copy it instead of drawing it again.
class CKeptMarkings
{
public:
    // Copies the kept picture into the dial rectangle, the view's clip
    // rectangle, when it is one of this face there; false when the markings
    // must be drawn.
    bool CopyTo(const DialFace& face, const PixelView& view) const;
    // Keeps the dial rectangle's pixels as the picture of this face's markings.
    void Keep(const DialFace& face, const PixelView& view);

private:
    DialFace m_face = {};
    PixelRect m_dial = {};
    std::unique_ptr<unsigned char[]> m_pixels;
};
