// Text drawing: rasterized at the output's pixel size so that scaled windows stay sharp.
#include "platform/sdl/DrawContext.h"

#include <algorithm>
#include <cmath>

double drawText(DrawContext& context, const AffineTransform& toOutput, const std::string& text,
                const TextStyle& style, Rect box, double alpha) {
    const int pixelSize = static_cast<int>(std::lround(style.size * context.pixelScale));
    const int wrapWidth =
        style.lines == 1 ? 0 : static_cast<int>(std::floor(box.width * context.pixelScale));
    const TextTexture& rendered = context.textures.text(text, style.font, pixelSize, wrapWidth,
                                                        style.alignment == TextAlignment::Center);
    if (!rendered.texture) {
        return 0;
    }
    const double scale = context.pixelScale;
    const double width = std::min(rendered.width / scale, box.width);
    double height = std::min(rendered.height / scale, box.height);
    if (style.lines > 1) {
        // Wrapped text shows its first lines only, as many as the style allows.
        height = std::min(height,
                          style.lines * context.textures.lineHeight(style.font, pixelSize) / scale);
    }
    double x = box.x;
    double sourceX = 0;
    const double hiddenWidth = rendered.width - width * scale;
    if (style.alignment == TextAlignment::Center) {
        x += (box.width - width) / 2;
        sourceX = hiddenWidth / 2;
    } else if (style.alignment == TextAlignment::Right) {
        x += box.width - width;
        sourceX = hiddenWidth;
    }
    const double y = box.y + (box.height - height) / 2;
    context.canvas.drawTexture(toOutput, rendered.texture,
                               {sourceX, 0, width * scale, height * scale}, {x, y, width, height},
                               style.color, alpha);
    return width;
}
