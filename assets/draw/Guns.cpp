// The gun silhouettes and their shading.
#include "draw/Guns.h"

#include <algorithm>
#include <cmath>

#include "draw/Palette.h"
#include "draw/Shapes.h"

namespace art {
namespace {

GunDrawing makePistol() {
    GunDrawing gun{100, 64, {99, 13}, {}};
    // Frame with its dust cover.
    gun.parts.push_back({Material::Polymer,
                         {{10, 20}, {92, 20}, {92, 28}, {58, 28}, {56, 31}, {34, 31}, {10, 28}},
                         {}});
    // Grip, raked backwards, with its texture.
    gun.parts.push_back({Material::Polymer,
                         {{10, 27}, {35, 29}, {29, 61}, {5, 61}, {3, 57}},
                         {{12, 36}, {30, 37}, {11, 43}, {29, 44}, {9, 50}, {27, 51}}});
    // Trigger guard and trigger.
    gun.parts.push_back({Material::Polymer,
                         {{34, 30},
                          {35, 42},
                          {40, 46},
                          {57, 46},
                          {61, 42},
                          {61, 28},
                          {57, 28},
                          {57, 40},
                          {55, 42},
                          {41, 42},
                          {39, 40},
                          {38, 30}},
                         {}});
    gun.parts.push_back({Material::Steel, {{44, 30}, {48, 30}, {47, 37}, {44, 39}, {43, 36}}, {}});
    // Slide with sights, rear serrations and ejection port.
    gun.parts.push_back({Material::Steel,
                         {{6, 6},
                          {9, 6},
                          {9, 3.5},
                          {14, 3.5},
                          {14, 6},
                          {91, 6},
                          {92, 3},
                          {95, 3},
                          {96, 6},
                          {97, 6},
                          {99, 8},
                          {99, 21},
                          {8, 21},
                          {5, 17}},
                         {{14, 9},
                          {14, 18},
                          {17, 9},
                          {17, 18},
                          {20, 9},
                          {20, 18},
                          {23, 9},
                          {23, 18},
                          {60, 8.5},
                          {76, 8.5},
                          {76, 8.5},
                          {76, 13},
                          {60, 13},
                          {76, 13},
                          {60, 8.5},
                          {60, 13}}});
    // Hammer.
    gun.parts.push_back({Material::Steel, {{2, 8}, {7, 7}, {7, 15}, {3, 14}}, {}});
    return gun;
}

GunDrawing makeRifle() {
    GunDrawing gun{300, 100, {300, 42.5}, {}};
    // Stock.
    gun.parts.push_back(
        {Material::Wood,
         {{0, 40}, {8, 32}, {70, 37}, {70, 52}, {50, 56}, {10, 70}, {2, 70}, {0, 64}},
         {{8, 33}, {8, 69}}});
    // Magazine, curved forwards.
    gun.parts.push_back(
        {Material::Steel,
         {{144, 50}, {170, 50}, {178, 72}, {188, 92}, {163, 98}, {154, 78}, {146, 60}},
         {{150, 58}, {172, 57}, {156, 74}, {180, 70}}});
    // Pistol grip.
    gun.parts.push_back(
        {Material::Wood, {{100, 51}, {118, 51}, {112, 80}, {102, 84}, {94, 82}}, {}});
    // Trigger guard and trigger.
    gun.parts.push_back(
        {Material::Steel,
         {{118, 51}, {120, 63}, {143, 63}, {143, 51}, {139, 51}, {139, 59}, {123, 59}, {122, 51}},
         {}});
    gun.parts.push_back({Material::Steel, {{127, 52}, {131, 52}, {130, 58}, {127, 59}}, {}});
    // Receiver with its dust cover and rear sight.
    gun.parts.push_back(
        {Material::Steel,
         {{66, 32}, {176, 32}, {178, 28}, {186, 28}, {186, 36}, {186, 52}, {66, 52}},
         {{70, 40}, {150, 40}, {150, 34}, {150, 40}, {154, 44}, {172, 44}}});
    // Handguard and gas tube.
    gun.parts.push_back({Material::Wood,
                         {{184, 38}, {232, 38}, {236, 42}, {236, 50}, {232, 54}, {184, 54}},
                         {{196, 42}, {196, 50}, {208, 42}, {208, 50}, {220, 42}, {220, 50}}});
    gun.parts.push_back(
        {Material::Steel, {{184, 30}, {238, 30}, {240, 33}, {240, 37}, {184, 37}}, {}});
    // Barrel with front sight and muzzle brake.
    gun.parts.push_back({Material::Steel,
                         {{236, 40},
                          {262, 40},
                          {265, 26},
                          {270, 26},
                          {272, 40},
                          {288, 40},
                          {288, 38.5},
                          {300, 38.5},
                          {300, 46.5},
                          {288, 46.5},
                          {288, 45},
                          {236, 45}},
                         {{292, 39}, {292, 46}, {296, 39}, {296, 46}}});
    return gun;
}

GunDrawing makeSubmachineGun() {
    GunDrawing gun{200, 90, {198, 38}, {}};
    // Fixed stock.
    gun.parts.push_back({Material::Polymer,
                         {{0, 26}, {8, 24}, {40, 30}, {40, 44}, {10, 60}, {2, 60}, {0, 56}},
                         {{9, 26}, {9, 58}}});
    // Curved magazine.
    gun.parts.push_back(
        {Material::Steel, {{108, 44}, {124, 44}, {128, 66}, {136, 86}, {121, 89}, {114, 68}}, {}});
    // Grip, trigger guard and trigger.
    gun.parts.push_back({Material::Polymer,
                         {{68, 44}, {84, 44}, {80, 74}, {70, 77}, {62, 72}},
                         {{68, 52}, {80, 52}, {67, 60}, {79, 60}, {66, 68}, {78, 68}}});
    gun.parts.push_back(
        {Material::Polymer,
         {{84, 44}, {85, 55}, {104, 55}, {104, 44}, {100, 44}, {100, 51}, {88, 51}, {88, 44}},
         {}});
    gun.parts.push_back({Material::Steel, {{90, 44}, {93, 44}, {92, 49}, {90, 50}}, {}});
    // Receiver with the drum rear sight and the cocking tube.
    gun.parts.push_back({Material::Steel,
                         {{36, 26},
                          {44, 26},
                          {44, 17},
                          {54, 17},
                          {54, 26},
                          {140, 26},
                          {144, 30},
                          {144, 44},
                          {36, 44}},
                         {{60, 30}, {136, 30}, {96, 36}, {116, 36}}});
    // Handguard.
    gun.parts.push_back({Material::Polymer,
                         {{138, 30}, {172, 30}, {176, 34}, {176, 46}, {172, 48}, {138, 48}},
                         {{146, 34}, {146, 44}, {154, 34}, {154, 44}, {162, 34}, {162, 44}}});
    // Barrel and front sight ring.
    gun.parts.push_back(
        {Material::Steel,
         {{166, 30}, {167, 18}, {175, 18}, {176, 30}, {176, 35}, {198, 35}, {198, 41}, {176, 41}},
         {}});
    return gun;
}

struct MaterialShades {
    Color light;
    Color dark;
};

MaterialShades shadesOf(Material material) {
    switch (material) {
        case Material::Steel:
            return {palette::steelLight, palette::steelDark};
        case Material::Polymer:
            return {rgb(0x4a525c), palette::polymer};
        case Material::Wood:
            return {rgb(0x8a6240), palette::woodDark};
    }
    return {palette::steelLight, palette::steelDark};
}

Rect boundsOf(const std::vector<Point>& outline) {
    double left = outline[0].x, right = left, top = outline[0].y, bottom = top;
    for (const Point& p : outline) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    return {left, top, right - left, bottom - top};
}

// Sets the transform from gun units to picture coordinates; returns the scale.
double applyPlacement(cairo_t* cr, const GunDrawing& gun, const GunPlacement& placement) {
    double scale = std::min(placement.box.width / gun.width, placement.box.height / gun.height);
    cairo_translate(cr, placement.box.centerX(), placement.box.centerY());
    cairo_scale(cr, placement.muzzleLeft ? -scale : scale, scale);
    cairo_translate(cr, -gun.width / 2, -gun.height / 2);
    return scale;
}

void drawPart(cairo_t* cr, const GunPart& part, const PartPose& pose, double scale) {
    Rect bounds = boundsOf(part.outline);
    cairo_save(cr);
    cairo_translate(cr, pose.offset.x + bounds.centerX(), pose.offset.y + bounds.centerY());
    cairo_rotate(cr, pose.angle);
    cairo_translate(cr, -bounds.centerX(), -bounds.centerY());

    auto tracePath = [&] {
        cairo_move_to(cr, part.outline[0].x, part.outline[0].y);
        for (size_t i = 1; i < part.outline.size(); ++i) {
            cairo_line_to(cr, part.outline[i].x, part.outline[i].y);
        }
        cairo_close_path(cr);
    };

    // Body: lit from above, so light along the top and dark towards the bottom.
    MaterialShades shades = shadesOf(part.material);
    tracePath();
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, bounds.y, 0, bounds.bottom());
    cairo_pattern_add_color_stop_rgb(gradient, 0, shades.light.r, shades.light.g, shades.light.b);
    cairo_pattern_add_color_stop_rgb(gradient, 0.45, mix(shades.light.r, shades.dark.r, 0.55),
                                     mix(shades.light.g, shades.dark.g, 0.55),
                                     mix(shades.light.b, shades.dark.b, 0.55));
    cairo_pattern_add_color_stop_rgb(gradient, 1, shades.dark.r, shades.dark.g, shades.dark.b);
    cairo_set_source(cr, gradient);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gradient);

    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, std::max(1.0, scale * 0.5) / scale);
    setColor(cr, rgb(0x0b0e12, 0.9));
    cairo_stroke(cr);

    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, std::max(0.8, scale * 0.35) / scale);
    setColor(cr, rgb(0x0b0e12, 0.55));
    for (size_t i = 0; i + 1 < part.detailLines.size(); i += 2) {
        cairo_move_to(cr, part.detailLines[i].x, part.detailLines[i].y);
        cairo_line_to(cr, part.detailLines[i + 1].x, part.detailLines[i + 1].y);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

}  // namespace

const GunDrawing& gunDrawing(GunModel model) {
    static const GunDrawing pistol = makePistol();
    static const GunDrawing rifle = makeRifle();
    static const GunDrawing submachineGun = makeSubmachineGun();
    switch (model) {
        case GunModel::Pistol:
            return pistol;
        case GunModel::Rifle:
            return rifle;
        case GunModel::SubmachineGun:
            return submachineGun;
    }
    return pistol;
}

void drawGunParts(cairo_t* cr, GunModel model, const GunPlacement& placement,
                  std::span<const PartPose> poses) {
    const GunDrawing& gun = gunDrawing(model);
    cairo_save(cr);
    double scale = applyPlacement(cr, gun, placement);
    for (size_t i = 0; i < gun.parts.size(); ++i) {
        drawPart(cr, gun.parts[i], i < poses.size() ? poses[i] : PartPose{}, scale);
    }
    cairo_restore(cr);
}

void drawGun(cairo_t* cr, GunModel model, const GunPlacement& placement) {
    drawGunParts(cr, model, placement, {});
}

Point muzzlePoint(GunModel model, const GunPlacement& placement) {
    const GunDrawing& gun = gunDrawing(model);
    double scale = std::min(placement.box.width / gun.width, placement.box.height / gun.height);
    double dx = (gun.muzzle.x - gun.width / 2) * scale;
    return {placement.box.centerX() + (placement.muzzleLeft ? -dx : dx),
            placement.box.centerY() + (gun.muzzle.y - gun.height / 2) * scale};
}

}  // namespace art
