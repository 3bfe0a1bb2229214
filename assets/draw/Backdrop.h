// The shooting-range backdrop behind every screen: a dim hall seen down its lanes, with target
// stands at the far wall, lights overhead and dark edges.
#pragma once

#include <cairo.h>

namespace art {

struct BackdropStyle {
    // Height of the far wall's foot, as a fraction of the picture's height.
    double horizon = 0.46;
    int lanes = 6;
    // 0 draws the plain hall; up to 1 darkens it for screens that need quiet behind their text.
    double dimming = 0;
};

void drawRangeBackdrop(cairo_t* cr, double width, double height, const BackdropStyle& style = {});

// A near-black backdrop with a faint glow in the middle, for the intro and movie screens.
void drawDarkBackdrop(cairo_t* cr, double width, double height);

}  // namespace art
