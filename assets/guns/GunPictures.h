// Which parts each picture of the assembly game shows, and drawing them. A part picture shows
// its part alone; a join picture shows the parts that the receiving part holds once that join
// has been made, so the player sees the gun grow with every join. A join picture that the
// tables use for several joins shows the parts of its first join, except the final join's
// picture, which always shows the finished gun.
#pragma once

#include <cairo.h>

#include <map>
#include <set>
#include <string>

#include "guns/GunParts.h"

namespace guns {

// Phone picture name → the parts (slot numbers) it shows, for every picture of the gun.
std::map<std::string, std::set<int>> gunPictureContents(int idGun);

// The size in phone pixels of a picture showing `parts`.
art::Rect pictureBounds(const std::vector<PartShape>& shapes, const std::set<int>& parts);

// The muzzle in a picture showing `parts` (its front end at the barrel's height `axis`), in
// the picture's pixels.
art::Point muzzleInPicture(const std::vector<PartShape>& shapes, const std::set<int>& parts,
                           double axis);

// Draws `parts` into a picture of pictureBounds() × `scale` pixels.
void drawGunPicture(cairo_t* cr, const std::vector<PartShape>& shapes, const std::set<int>& parts,
                    double scale);

// The finished gun, as its final join picture shows it, fitted into `box` and centred there.
void drawFinishedGun(cairo_t* cr, int idGun, const art::Rect& box);

}  // namespace guns
