// Basic shapes of the game's look: rounded rectangles, gradients, framed panels and glows.
#pragma once

#include <cairo.h>

#include "draw/Geometry.h"
#include "draw/Palette.h"

namespace art {

void setColor(cairo_t* cr, const Color& color);

// Adds a rounded rectangle to the current path.
void roundedRect(cairo_t* cr, const Rect& rect, double radius);

// Fills the current path with a vertical gradient over `span` (top colour at span.y).
void fillVertical(cairo_t* cr, const Rect& span, const Color& top, const Color& bottom);

// A soft radial glow of `color` around `center`, fading out at `radius`.
void glow(cairo_t* cr, Point center, double radius, const Color& color);

struct PanelStyle {
    Color top = palette::panelTop;
    Color bottom = palette::panelBottom;
    Color border = palette::panelBorder;
    double radius = 8;
    double borderWidth = 1;
};

// A selectable card (a category or gun button) at SCALE: a plain panel, or, when lit (pressed),
// a warm body with an amber border.
PanelStyle cardStyle(double scale, bool lit);

// A raised panel: gradient body, thin border and a light line along its top edge.
void drawPanel(cairo_t* cr, const Rect& rect, const PanelStyle& style);

// A sunken area inside a panel (for a row of controls).
void drawInset(cairo_t* cr, const Rect& rect, double radius);

// A short amber bar, the accent under titles: bright at its left end and fading to the right
// under left-aligned titles, bright in its middle and fading both ways under centred ones.
enum class AccentFade { Right, BothWays };
void drawAccentBar(cairo_t* cr, const Rect& rect, AccentFade fade = AccentFade::Right);

// Darkens the edges of the whole picture towards `color`.
void vignette(cairo_t* cr, double width, double height, const Color& color);

}  // namespace art
