// What the drawing functions of the views share for one frame, and text drawing.
#pragma once

#include <string>

#include "platform/Color.h"
#include "platform/Geometry.h"
#include "platform/Label.h"
#include "platform/sdl/Canvas.h"
#include "platform/sdl/TextureCache.h"

struct DrawContext {
    Canvas& canvas;
    TextureCache& textures;
    double pixelScale = 1;  // output pixels per point: text is rasterized at this size
    double now = 0;         // run loop seconds, for the spinning indicator
};

struct TextStyle {
    std::string font;
    double size = 17;
    Color color = Color::black();
    TextAlignment alignment = TextAlignment::Left;
    int lines = 1;  // 0: as many as the text needs
};

// Draws `text` in `box` (view coordinates): aligned as the style says, centred vertically,
// cut off where it leaves the box or after the style's number of lines. Returns the width
// drawn, in points.
double drawText(DrawContext& context, const AffineTransform& toOutput, const std::string& text,
                const TextStyle& style, Rect box, double alpha);
