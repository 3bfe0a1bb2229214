// Gun silhouettes built from simple parts (slide, frame, grip, magazine, stock…), each a
// polygon in the gun's own units with a material. Drawn whole for menus and title cards, or
// part by part with offsets for the assembly animations.
#pragma once

#include <cairo.h>

#include <span>
#include <vector>

#include "draw/Geometry.h"

namespace art {

enum class GunModel { Pistol, Rifle, SubmachineGun };
enum class Material { Steel, Polymer, Wood };

struct GunPart {
    Material material;
    std::vector<Point> outline;
    // Engraved detail lines (serrations, ports), as pairs of end points.
    std::vector<Point> detailLines;
};

struct GunDrawing {
    double width;  // gun units; the muzzle is at the right edge
    double height;
    Point muzzle;  // where the bullet leaves, in gun units
    std::vector<GunPart> parts;
};

const GunDrawing& gunDrawing(GunModel model);

// Where a gun sits in a picture: fitted into `box` keeping its proportions, centred, the muzzle
// pointing right or, when mirrored, left.
struct GunPlacement {
    Rect box;
    bool muzzleLeft = false;
};

// The position and pose of one part relative to its assembled place.
struct PartPose {
    Point offset;      // gun units
    double angle = 0;  // radians, about the part's centre
};

void drawGun(cairo_t* cr, GunModel model, const GunPlacement& placement);

// Draws the gun with each part moved by its pose (one pose per part, in part order).
void drawGunParts(cairo_t* cr, GunModel model, const GunPlacement& placement,
                  std::span<const PartPose> poses);

// The muzzle of a placed gun, in picture coordinates.
Point muzzlePoint(GunModel model, const GunPlacement& placement);

}  // namespace art
