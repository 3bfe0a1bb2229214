// The muzzle flash and smoke.
#include "draw/Effects.h"

#include <cmath>

#include "draw/Palette.h"
#include "draw/Shapes.h"

namespace art {

void drawMuzzleFlash(cairo_t* cr, Point muzzle, double length, bool towardsLeft, double intensity) {
    if (intensity <= 0) {
        return;
    }
    double direction = towardsLeft ? -1 : 1;
    double reach = length * (0.55 + 0.45 * intensity);
    cairo_save(cr);
    cairo_translate(cr, muzzle.x, muzzle.y);
    cairo_scale(cr, direction, 1);

    glow(cr, {reach * 0.3, 0}, reach * 0.9, palette::amber.withAlpha(0.45 * intensity));

    // The spiky outer flame: a fan of spikes pointing forwards, longest along the barrel.
    const int spikes = 9;
    cairo_move_to(cr, 0, 0);
    for (int i = 0; i <= spikes * 2; ++i) {
        double angle = -M_PI / 2 + M_PI * i / (spikes * 2);
        double ahead = std::cos(angle);
        double r = i % 2 == 1 ? reach * (0.3 + 0.7 * ahead * ahead) : reach * 0.12;
        cairo_line_to(cr, r * ahead, r * std::sin(angle) * 0.6);
    }
    cairo_close_path(cr);
    cairo_pattern_t* flame = cairo_pattern_create_radial(0, 0, 0, 0, 0, reach);
    cairo_pattern_add_color_stop_rgba(flame, 0, 1, 0.98, 0.9, intensity);
    cairo_pattern_add_color_stop_rgba(flame, 0.3, palette::amberBright.r, palette::amberBright.g,
                                      palette::amberBright.b, intensity);
    cairo_pattern_add_color_stop_rgba(flame, 1, palette::amberDeep.r, palette::amberDeep.g,
                                      palette::amberDeep.b, 0.2 * intensity);
    cairo_set_source(cr, flame);
    cairo_fill(cr);
    cairo_pattern_destroy(flame);

    // The white-hot core.
    cairo_save(cr);
    cairo_scale(cr, 1, 0.45);
    glow(cr, {reach * 0.18, 0}, reach * 0.32, palette::flashCore.withAlpha(intensity));
    cairo_restore(cr);
    cairo_restore(cr);
}

void drawSmokePuff(cairo_t* cr, Point center, double radius, double opacity) {
    if (opacity <= 0) {
        return;
    }
    const Point lobes[] = {{0, 0}, {-0.45, 0.1}, {0.4, 0.15}, {-0.1, -0.35}, {0.3, -0.25}};
    for (const Point& lobe : lobes) {
        glow(cr, {center.x + lobe.x * radius, center.y + lobe.y * radius}, radius * 0.75,
             rgb(0xb8c2cc, 0.22 * opacity));
    }
}

}  // namespace art
