// Firing effects: the muzzle flash and a puff of smoke, drawn at any stage of their life.
#pragma once

#include <cairo.h>

#include "draw/Geometry.h"

namespace art {

// A flash leaving the muzzle at `muzzle` towards the left or right; `length` is its reach in
// pixels and `intensity` (0 to 1) its stage, 1 at its brightest.
void drawMuzzleFlash(cairo_t* cr, Point muzzle, double length, bool towardsLeft, double intensity);

// A soft grey puff around `center` of the given radius; `opacity` fades it away.
void drawSmokePuff(cairo_t* cr, Point center, double radius, double opacity);

}  // namespace art
