// The range and dark backdrops.
#include "draw/Backdrop.h"

#include <algorithm>
#include <cmath>

#include "draw/Geometry.h"
#include "draw/Palette.h"
#include "draw/Shapes.h"

namespace art {
namespace {

// A paper target on its stand: head and shoulders outline, as on a real range.
void drawTargetStand(cairo_t* cr, double centerX, double footY, double size) {
    setColor(cr, rgb(0x0c0f13, 0.6));
    cairo_rectangle(cr, centerX - size * 0.03, footY - size * 0.35, size * 0.06, size * 0.35);
    cairo_fill(cr);

    double top = footY - size * 1.25;
    cairo_move_to(cr, centerX - size * 0.42, footY - size * 0.32);
    cairo_line_to(cr, centerX - size * 0.40, top + size * 0.52);
    cairo_curve_to(cr, centerX - size * 0.36, top + size * 0.40, centerX - size * 0.22,
                   top + size * 0.38, centerX - size * 0.16, top + size * 0.36);
    cairo_arc(cr, centerX, top + size * 0.2, size * 0.19, M_PI * 0.65, M_PI * 2.35);
    cairo_curve_to(cr, centerX + size * 0.22, top + size * 0.38, centerX + size * 0.36,
                   top + size * 0.40, centerX + size * 0.40, top + size * 0.52);
    cairo_line_to(cr, centerX + size * 0.42, footY - size * 0.32);
    cairo_close_path(cr);
    setColor(cr, palette::targetSilhouette);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, std::max(1.0, size * 0.02));
    setColor(cr, rgb(0x5a6878, 0.6));
    cairo_stroke(cr);

    // Scoring rings on the chest.
    cairo_set_line_width(cr, std::max(0.6, size * 0.012));
    setColor(cr, rgb(0x8a9aab, 0.35));
    for (int ring = 1; ring <= 3; ++ring) {
        cairo_arc(cr, centerX, top + size * 0.72, size * 0.07 * ring, 0, 2 * M_PI);
        cairo_stroke(cr);
    }
}

}  // namespace

void drawRangeBackdrop(cairo_t* cr, double width, double height, const BackdropStyle& style) {
    double horizonY = height * style.horizon;
    double wallTop = horizonY - height * 0.22;
    Point vanishing{width / 2, horizonY - height * 0.08};

    // Ceiling, far wall and floor.
    cairo_rectangle(cr, 0, 0, width, wallTop);
    fillVertical(cr, {0, 0, width, wallTop}, palette::rangeTop, palette::rangeHorizon);
    cairo_rectangle(cr, 0, wallTop, width, horizonY - wallTop);
    fillVertical(cr, {0, wallTop, width, horizonY - wallTop}, rgb(0x2c3642), rgb(0x1f2731));
    cairo_rectangle(cr, 0, horizonY, width, height - horizonY);
    fillVertical(cr, {0, horizonY, width, height - horizonY}, rgb(0x1a2028), palette::rangeFloor);

    // Lights along the far wall.
    for (int i = 0; i < style.lanes; ++i) {
        double x = width * (i + 0.5) / style.lanes;
        glow(cr, {x, wallTop + (horizonY - wallTop) * 0.35}, height * 0.16, rgb(0xffe2b0, 0.10));
    }

    // Lane dividers converging on the far wall, and the ceiling baffles above them.
    cairo_set_line_width(cr, std::max(1.0, height / 320.0));
    for (int i = 0; i <= style.lanes; ++i) {
        double farX = width * 0.08 + width * 0.84 * i / style.lanes;
        double nearX = mix(vanishing.x, farX, 2.6);
        cairo_move_to(cr, farX, horizonY);
        cairo_line_to(cr, nearX, height);
        setColor(cr, palette::laneLine);
        cairo_stroke(cr);

        cairo_move_to(cr, farX, wallTop);
        cairo_line_to(cr, nearX, 0);
        setColor(cr, rgb(0x000000, 0.18));
        cairo_stroke(cr);
    }
    // Floor markings across the lanes, closer together towards the wall.
    for (int i = 1; i <= 4; ++i) {
        double t = std::pow(i / 4.5, 1.8);
        double y = mix(horizonY, height, t);
        cairo_move_to(cr, 0, y);
        cairo_line_to(cr, width, y);
        setColor(cr, palette::laneLine.withAlpha(0.05));
        cairo_stroke(cr);
    }
    // The wall's foot, catching a little light.
    cairo_move_to(cr, 0, horizonY);
    cairo_line_to(cr, width, horizonY);
    setColor(cr, rgb(0xa0b4c8, 0.16));
    cairo_stroke(cr);

    double targetSize = (horizonY - wallTop) * 0.72;
    for (int i = 0; i < style.lanes; ++i) {
        double x = width * 0.08 + width * 0.84 * (i + 0.5) / style.lanes;
        drawTargetStand(cr, x, horizonY - 1, targetSize);
    }

    vignette(cr, width, height, rgb(0x000000, 0.75));
    if (style.dimming > 0) {
        setColor(cr, palette::rangeDeep.withAlpha(style.dimming));
        cairo_paint(cr);
    }
}

void drawDarkBackdrop(cairo_t* cr, double width, double height) {
    setColor(cr, palette::rangeDeep);
    cairo_paint(cr);
    glow(cr, {width / 2, height * 0.45}, std::max(width, height) * 0.6, rgb(0x1c2530, 0.9));
    vignette(cr, width, height, rgb(0x000000, 0.8));
}

}  // namespace art
