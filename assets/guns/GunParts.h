// The parts of each gun of the assembly game as shapes in the gun's own picture coordinates
// (phone pixels, y downwards): where every part sits in the assembled gun, its material and
// which parts are drawn over which. A part that no join rule uses is a loose spare. Every gun
// points its muzzle left, the way the range fires it.
#pragma once

#include <vector>

#include "draw/Geometry.h"

namespace guns {

enum class Material { Steel, DarkSteel, Polymer, Wood };

struct PartShape {
    Material material;
    std::vector<art::Point> outline;
    int layer;                          // higher layers are drawn over lower ones
    std::vector<art::Point> hole = {};  // an opening through the part (a trigger guard's), or none
};

// Parts 1 to the gun's part count (index 0 is part 1), drawn `size` times the gun's own size.
std::vector<PartShape> gunParts(int idGun, double size = 1);

// The height of the gun's barrel in its shapes at `size`: where the muzzle is.
double barrelAxis(int idGun, double size = 1);

}  // namespace guns
