// Text in the game's typeface (DejaVu Sans, loaded from its file so every machine with the
// Debian font package draws the same glyphs), with letter spacing for the uppercase labels.
#pragma once

#include <cairo.h>

#include <string_view>

#include "draw/Geometry.h"
#include "draw/Palette.h"

namespace art {

enum class Weight { Regular, Bold };
enum class Align { Left, Center, Right };

struct TextStyle {
    double size = 14;
    Weight weight = Weight::Bold;
    Color color = palette::textBright;
    // Extra space after each character, in pixels.
    double tracking = 0;
};

// Width of `text` in the given style.
double textWidth(cairo_t* cr, std::string_view text, const TextStyle& style);

// Draws `text` with its baseline at `baseline.y`, aligned on `baseline.x`.
void drawText(cairo_t* cr, std::string_view text, Point baseline, const TextStyle& style,
              Align align = Align::Left);

// Draws `text` centred in `box` (horizontally, and vertically by its capital height).
void drawTextCentered(cairo_t* cr, std::string_view text, const Rect& box, const TextStyle& style);

// The largest size not above `style.size` at which `text` fits in `maxWidth`.
double fittingSize(cairo_t* cr, std::string_view text, const TextStyle& style, double maxWidth);

}  // namespace art
