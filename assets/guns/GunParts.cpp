// Gun shapes: a handgun template and a long-gun template whose proportions follow the
// category and vary from gun to gun, cut into up to nine parts. The templates are written
// muzzle right and turned to point left.
#include "guns/GunParts.h"

#include <set>
#include <stdexcept>

#include "game/GunAssembly.h"

namespace guns {
namespace {

using art::Point;

std::vector<Point> box(double x, double y, double w, double h) {
    return {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
}

// The height of the templates' barrels, in their own units.
constexpr double kHandgunBarrelAxis = 28;
constexpr double kLongGunBarrelAxis = 46.5;

// Handgun, about 210 × 135: frame, slide, grip, magazine, trigger guard, barrel, hammer,
// trigger, front sight. `stretch` lengthens the slide and barrel.
std::vector<PartShape> handgun(double stretch) {
    const double end = 190 + 20 * stretch;
    return {
        {Material::Polymer,
         {{20, 42}, {end, 42}, {end, 60}, {122, 60}, {114, 68}, {72, 68}, {20, 60}},
         5},
        {Material::Steel,
         {{12, 14}, {24, 14}, {26, 10}, {34, 10}, {36, 14}, {end + 4, 14}, {end + 6, 42}, {14, 42}},
         7},
        {Material::Polymer, {{22, 58}, {74, 64}, {62, 124}, {14, 124}, {8, 114}}, 2},
        {Material::DarkSteel, box(20, 112, 44, 20), 1},
        {Material::Polymer,
         {{72, 66}, {124, 66}, {124, 90}, {80, 90}, {72, 82}},
         4,
         {{80, 66}, {118, 66}, {118, 84}, {84, 84}, {80, 80}}},
        {Material::DarkSteel, box(end + 4, 22, 18, 12), 0},
        {Material::Steel, {{2, 18}, {14, 15}, {16, 34}, {6, 34}}, 6},
        {Material::Steel, {{90, 66}, {98, 66}, {96, 82}, {89, 84}}, 3},
        {Material::Steel, box(end - 14, 4, 8, 10), 8},
    };
}

struct LongGun {
    double stock;     // length of the stock
    double receiver;  // length of the receiver
    double barrel;    // length of the barrel beyond the handguard
    double height;    // height of the receiver
    double scope;     // length of the scope or carry handle
};

// Long gun: receiver, stock, barrel, magazine, handguard, pistol grip, scope, trigger guard,
// muzzle device.
std::vector<PartShape> longGun(const LongGun& g, bool woodFurniture) {
    const double top = 34;
    const double r0 = g.stock;
    const double r1 = r0 + g.receiver;
    const double h1 = r1 + 60;
    const double b1 = h1 + g.barrel;
    const double bottom = top + g.height;
    const Material furniture = woodFurniture ? Material::Wood : Material::Polymer;
    return {
        {Material::Steel, box(r0, top, g.receiver, g.height), 7},
        {furniture,
         {{0, top + 6},
          {r0 + 2, top},
          {r0 + 2, bottom},
          {r0 * 0.45, bottom + 10},
          {0, bottom + 22}},
         3},
        {Material::DarkSteel, box(h1 - 4, top + 8, g.barrel + 4, 9), 0},
        {Material::DarkSteel,
         {{r0 + g.receiver * 0.45, bottom},
          {r0 + g.receiver * 0.7, bottom},
          {r0 + g.receiver * 0.78, bottom + 44},
          {r0 + g.receiver * 0.55, bottom + 48}},
         4},
        {furniture, box(r1, top + 3, 60, g.height - 6), 2},
        {Material::Polymer,
         {{r0 + 10, bottom - 2},
          {r0 + 30, bottom - 2},
          {r0 + 24, bottom + 36},
          {r0 + 4, bottom + 36}},
         5},
        {Material::DarkSteel, box(r0 + g.receiver * 0.5 - g.scope / 2, top - 18, g.scope, 19), 8},
        {Material::Steel, box(r0 + 30, bottom - 2, g.receiver * 0.14 + 6, 12), 6,
         box(r0 + 33, bottom - 2, g.receiver * 0.14, 9)},
        {Material::Steel, box(b1, top + 5, 16, 15), 1},
    };
}

LongGun longGunProportions(const std::string& category, int idGun) {
    const double vary = 0.9 + 0.05 * (idGun % 5);
    if (category == "submachine") {
        return {55, 80, 40 * vary, 28, 30};
    }
    if (category == "machineguns") {
        return {80, 110, 80 * vary, 36, 44};
    }
    if (category == "sniper") {
        return {95, 90, 95 * vary, 30, 80};
    }
    if (category == "shotgun") {
        return {95, 80, 80 * vary, 30, 26};
    }
    return {85, 90, 70 * vary, 32, 40};  // rifles
}

// The handgun template is drawn in small units; its pictures are this much larger.
constexpr double kHandgunSize = 1.35;

// The shapes `factor` times larger and mirrored, so that the muzzle points left.
std::vector<PartShape> scaledMuzzleLeft(std::vector<PartShape> shapes, double factor) {
    for (PartShape& shape : shapes) {
        for (std::vector<Point>* points : {&shape.outline, &shape.hole}) {
            for (Point& p : *points) {
                p = {-p.x * factor, p.y * factor};
            }
        }
    }
    return shapes;
}

// A spare magazine, lying loose.
PartShape spare(double size) {
    const PartShape magazine{Material::DarkSteel, {{0, 0}, {24, 0}, {30, 46}, {6, 50}}, 4};
    return scaledMuzzleLeft({magazine}, size).front();
}

const GunAssembly& assemblyOf(int idGun) {
    const GunAssembly* gun = findGunAssembly(idGun);
    if (!gun) {
        throw std::runtime_error("no gun " + std::to_string(idGun));
    }
    return *gun;
}

}  // namespace

double barrelAxis(int idGun, double size) {
    return assemblyOf(idGun).category == "handgun" ? kHandgunBarrelAxis * kHandgunSize * size
                                                   : kLongGunBarrelAxis * size;
}

std::vector<PartShape> gunParts(int idGun, double size) {
    const GunAssembly* gun = &assemblyOf(idGun);
    const std::vector<PartShape> pieces =
        gun->category == "handgun"
            ? scaledMuzzleLeft(handgun(0.2 * (idGun % 4)), kHandgunSize * size)
            : scaledMuzzleLeft(longGun(longGunProportions(gun->category, idGun),
                                       gun->category == "shotgun" || gun->category == "sniper"),
                               size);

    // The pieces of the template go to the parts that joins use, in slot order, so that the
    // finished gun has no gap where a part that is never joined would have been.
    std::set<int> joined;
    for (const JoinRule& rule : gun->rules) {
        joined.insert({rule.dragged.slot, rule.onto});
        if (rule.dragged.orSlot != 0) {
            joined.insert(rule.dragged.orSlot);
        }
    }
    std::vector<PartShape> shapes;
    size_t nextPiece = 0;
    for (int slot = 1; slot <= gun->partCount; ++slot) {
        shapes.push_back(joined.contains(slot) ? pieces.at(nextPiece++) : spare(size));
    }
    return shapes;
}

}  // namespace guns
