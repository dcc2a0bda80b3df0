// Placement rules of the gadget's window over the monitors' work areas.
#pragma once

// Where the gadget's window may stand: its place at start, after the displays
// change and while it is dragged, worked out from the monitors' work areas
// alone (virtual-screen pixels), without asking the system.

struct PlaceRect
{
    int left, top, right, bottom;
};

struct PlacePoint
{
    int x, y;
};

// The work areas of every monitor and which of them is the primary one. An
// index outside the list means the first area; an empty list leaves every
// place as it is asked for.
struct WorkAreas
{
    const PlaceRect* areas;
    int count;
    int primary;
};

// The window's top-left corner at start: the stored corner, moved the least
// that puts the window wholly on a work area (it may be larger than when it
// was stored), when at least two thirds of the window's area lie on one work
// area; otherwise (also with no stored corner, stored == nullptr) centred on
// the primary work area.
PlacePoint StartPlace(const PlacePoint* stored, int width, int height, const WorkAreas& screens);

// The top-left corner after the least move that puts the window wholly on one
// work area; of equal moves the earlier area wins. A window larger than the
// work area keeps its top-left corner on it.
PlacePoint KeepOnScreen(PlacePoint topLeft, int width, int height, const WorkAreas& screens);

// A top-left corner near the wanted one at which at least a third of the
// window's area lies on one work area: pushed off one side, two thirds of it
// may go over that side; over a corner it takes the least of three moves
// (more width shown, more height shown, or the same share of both).
PlacePoint LimitDrag(PlacePoint wanted, int width, int height, const WorkAreas& screens);
