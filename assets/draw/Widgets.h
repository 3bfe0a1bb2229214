// Controls as pictures: labelled buttons (normal and highlighted), round icon buttons and the
// small line icons drawn on them.
#pragma once

#include <cairo.h>

#include <string>

#include "draw/Geometry.h"
#include "draw/Palette.h"

namespace art {

enum class Icon { None, Crosshair, Pistol, Rifle, Book, Play, Info, Gear, BackArrow, Check, Close };

// Draws `icon` in `color`, fitted into the square centred in `box` (gun silhouettes use the
// whole box).
void drawIcon(cairo_t* cr, Icon icon, const Rect& box, const Color& color);

struct ButtonLook {
    std::string label;    // bold, uppercase, letter-spaced
    std::string caption;  // optional second line in small muted text
    Icon icon = Icon::None;
    bool highlighted = false;
    // Size factor of text, corners and strokes: 1 on the phone, about 2 on the tablet.
    double scale = 1;
};

// A wide button filling `rect`: icon at the left, label and caption beside it (centred when
// there is no icon). Highlighted buttons glow amber.
void drawButton(cairo_t* cr, const Rect& rect, const ButtonLook& look);

// A round button filling `rect` with one icon in its middle.
void drawRoundButton(cairo_t* cr, const Rect& rect, Icon icon, bool highlighted);

}  // namespace art
