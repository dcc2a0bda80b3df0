// What the dial's face shows: the one description its painting and its kept markings go by.
#pragma once

#include "dial/DialSize.h"
#include "sun/Ephemeris.h"

// Everything the face's picture is drawn from besides the moment and the
// night text: the gadget fills it from its settings and the clock, the
// render tool from its command line, each field by name. The kept markings
// hold for an equal face only, and equality takes every field, so a new
// field never leaves a stale picture.
struct DialFace
{
    DialModel model;
    int scalePercent;  // NATURAL_SCALE: the bitmaps' own size
    float latitude;
    SunSource sun;  // the model's or the ephemeris' sun
    bool dateLines;
    bool clockHours;      // figure-eights of the clock's hours in place of the sun's hour lines
    int clockShiftHours;  // the clock in force ahead of standard time: 1 in daylight saving
    int language;         // of the date lines' labels
    bool moonFace;        // by night the moon lights the face and casts the shadow while it is up

    bool operator==(const DialFace&) const = default;
};
