// How a gun picture is laid out so that the firing range shows it and the flash bursts from its
// muzzle. The range puts the picture at its row's origin at its natural size times the row's
// scale, and the flash frame at the row's flash origin in a view at a fixed place inside the gun
// view; every flash frame of one kind and profile bursts from the same point of its picture. So
// each profile's picture of a gun gets the size and the transparent margin at its left and top that
// bring the muzzle under that point, and keeps the gun, or most of it, on the screen.
#pragma once

#include <functional>

#include "draw/Geometry.h"
#include "range/SimulatorGunTable.h"

namespace range {

// Where the flash frames of `rodzajBlysku` burst from, in pixels of that profile's frames.
art::Point flashSource(int rodzajBlysku, bool onTablet);

// A gun drawn at one size: its extent and its muzzle, in picture pixels.
struct DrawnGun {
    double width = 0;
    double height = 0;
    art::Point muzzle;
};

// The picture of a gun on the range: the gun drawn at `size` (1 is its own size) and moved by
// `offset` into a picture of `width` × `height` pixels, its muzzle then at `muzzle`.
struct RangeLayout {
    double size = 1;
    art::Point offset;
    int width = 0;
    int height = 0;
    art::Point muzzle;
};

// The largest size, at most 1, at which the gun `drawnAt` draws has its muzzle under the flash
// and at least `partOnScreen` of it on the screen; throws when even a small gun cannot.
RangeLayout layoutOnRange(const SimulatorGunConfig& gun, bool onTablet, double partOnScreen,
                          const std::function<DrawnGun(double size)>& drawnAt);

}  // namespace range
