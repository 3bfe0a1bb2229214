// The basic shapes shared by every picture.
#include "draw/Shapes.h"

#include <algorithm>
#include <cmath>

namespace art {

void setColor(cairo_t* cr, const Color& color) {
    cairo_set_source_rgba(cr, color.r, color.g, color.b, color.a);
}

void roundedRect(cairo_t* cr, const Rect& rect, double radius) {
    double r = std::min({radius, rect.width / 2, rect.height / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, rect.right() - r, rect.y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, rect.right() - r, rect.bottom() - r, r, 0, M_PI / 2);
    cairo_arc(cr, rect.x + r, rect.bottom() - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, rect.x + r, rect.y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void fillVertical(cairo_t* cr, const Rect& span, const Color& top, const Color& bottom) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, span.y, 0, span.bottom());
    cairo_pattern_add_color_stop_rgba(gradient, 0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(gradient, 1, bottom.r, bottom.g, bottom.b, bottom.a);
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
}

void glow(cairo_t* cr, Point center, double radius, const Color& color) {
    cairo_pattern_t* gradient =
        cairo_pattern_create_radial(center.x, center.y, 0, center.x, center.y, radius);
    cairo_pattern_add_color_stop_rgba(gradient, 0, color.r, color.g, color.b, color.a);
    cairo_pattern_add_color_stop_rgba(gradient, 0.4, color.r, color.g, color.b, color.a * 0.35);
    cairo_pattern_add_color_stop_rgba(gradient, 1, color.r, color.g, color.b, 0);
    cairo_set_source(cr, gradient);
    cairo_arc(cr, center.x, center.y, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
}

PanelStyle cardStyle(double scale, bool lit) {
    PanelStyle style;
    style.radius = 8 * scale;
    style.borderWidth = scale;
    if (lit) {
        style.border = palette::amber;
        style.top = rgb(0x4a3a22);
        style.bottom = rgb(0x231a0e);
    }
    return style;
}

void drawPanel(cairo_t* cr, const Rect& rect, const PanelStyle& style) {
    double half = style.borderWidth / 2;
    Rect body = rect.inset(half);
    roundedRect(cr, body, style.radius);
    fillVertical(cr, body, style.top, style.bottom);

    roundedRect(cr, body, style.radius);
    cairo_set_line_width(cr, style.borderWidth);
    setColor(cr, style.border);
    cairo_stroke(cr);

    // The light catching the top edge.
    cairo_save(cr);
    roundedRect(cr, body, style.radius);
    cairo_clip(cr);
    cairo_move_to(cr, body.x + style.radius, body.y + style.borderWidth * 1.5);
    cairo_line_to(cr, body.right() - style.radius, body.y + style.borderWidth * 1.5);
    cairo_set_line_width(cr, style.borderWidth);
    setColor(cr, palette::panelHighlight);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawInset(cairo_t* cr, const Rect& rect, double radius) {
    roundedRect(cr, rect, radius);
    setColor(cr, palette::insetFill);
    cairo_fill(cr);
    // Shade on the upper edge, light on the lower one: the area sits below the panel.
    cairo_save(cr);
    roundedRect(cr, rect, radius);
    cairo_clip(cr);
    roundedRect(cr, {rect.x, rect.y + 1, rect.width, rect.height}, radius);
    cairo_set_line_width(cr, 2);
    setColor(cr, rgb(0x000000, 0.5));
    cairo_stroke(cr);
    cairo_restore(cr);
    roundedRect(cr, rect.inset(-0.5), radius + 0.5);
    cairo_set_line_width(cr, 1);
    setColor(cr, palette::panelHighlight.withAlpha(0.06));
    cairo_stroke(cr);
}

void drawAccentBar(cairo_t* cr, const Rect& rect, AccentFade fade) {
    roundedRect(cr, rect, rect.height / 2);
    cairo_pattern_t* gradient = cairo_pattern_create_linear(rect.x, 0, rect.right(), 0);
    const Color& a = palette::amberBright;
    const Color& b = palette::amberDeep;
    if (fade == AccentFade::BothWays) {
        cairo_pattern_add_color_stop_rgba(gradient, 0, b.r, b.g, b.b, 0);
        cairo_pattern_add_color_stop_rgba(gradient, 0.5, a.r, a.g, a.b, 1);
    } else {
        cairo_pattern_add_color_stop_rgba(gradient, 0, a.r, a.g, a.b, 1);
        cairo_pattern_add_color_stop_rgba(gradient, 0.7, b.r, b.g, b.b, 0.9);
    }
    cairo_pattern_add_color_stop_rgba(gradient, 1, b.r, b.g, b.b, 0);
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
}

void vignette(cairo_t* cr, double width, double height, const Color& color) {
    double radius = std::hypot(width, height) / 2;
    cairo_pattern_t* gradient = cairo_pattern_create_radial(width / 2, height / 2, radius * 0.45,
                                                            width / 2, height / 2, radius);
    cairo_pattern_add_color_stop_rgba(gradient, 0, color.r, color.g, color.b, 0);
    cairo_pattern_add_color_stop_rgba(gradient, 1, color.r, color.g, color.b, color.a);
    cairo_set_source(cr, gradient);
    cairo_paint(cr);
    cairo_pattern_destroy(gradient);
}

}  // namespace art
