// Letterbox fitting of the logical screen into the window.
#include "platform/sdl/Letterbox.h"

#include <algorithm>

Letterbox Letterbox::fit(Size logical, Size output) {
    if (logical.width <= 0 || logical.height <= 0 || output.width <= 0 || output.height <= 0) {
        return {};
    }
    const double scale = std::min(output.width / logical.width, output.height / logical.height);
    return {scale, (output.width - logical.width * scale) / 2,
            (output.height - logical.height * scale) / 2};
}

Point normalizedToLogical(const Letterbox& letterbox, Size windowSize, double x, double y) {
    return letterbox.toLogical({x * windowSize.width, y * windowSize.height});
}
