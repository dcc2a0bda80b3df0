// When the dial's picture next changes visibly by itself.
#pragma once

#include "dial/DialFace.h"
#include "dial/DialPixels.h"
#include "dial/DialSize.h"
#include "sun/Ephemeris.h"

// When the dial's picture next changes visibly by itself: the shadow, the
// daylight dimming and the day/night switch, from either sun; on the
// moonlit face by night the moon's rise and set, its shadow and the
// shadow's depth.

// A new frame comes at the latest this long after the last, so that a clock
// that drifted or was set is caught even when the sun stands still.
const int MAX_FRAME_INTERVAL_S = 60;
// How far a point of the shown shadow may stray from where a fresh frame
// would put it before the picture counts as changed, pixels.
const double SHADOW_TOLERANCE_PX = 0.25;

// Farthest any visible point of the shadow moves between the shadows a and b
// (both cast) of a dial of that size, rectangle width x height, with the
// gnomon foot at its centre: the band, its round caps and the reach of the
// blur of that softness around them.
double ShadowDisplacement(const Shadow& a, const Shadow& b, const DialSize& size, int width, int height,
                          ShadowSoftness softness);

// Seconds after moment t at which the next frame of the face keeps the dial
// true: every moment up to then shows the same light, the same dimming level
// or shadow depth, and a shadow within SHADOW_TOLERANCE_PX of moment t's. At least 1 (the next moment), at most
// MAX_FRAME_INTERVAL_S.
int SecondsOfSamePicture(const DialFace& face, const DialSize& size, int width, int height, int t);
