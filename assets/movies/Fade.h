// Movies open from black and close to black: the cover drawn over a frame for that.
#pragma once

#include <cairo.h>

#include <algorithm>

#include "draw/Canvas.h"
#include "movies/Timeline.h"

namespace art {

// Paints black over the frame at time `t` of a movie `seconds` long: fading away over the first
// `fadeIn` seconds and back over the last `fadeOut` seconds.
inline void paintFadeFromAndToBlack(cairo_t* cr, double t, double seconds, double fadeIn,
                                    double fadeOut) {
    double black = 1 - progress(t, 0, fadeIn) + progress(t, seconds - fadeOut, seconds);
    if (black > 0) {
        setColor(cr, rgb(0x000000, std::min(1.0, black)));
        cairo_paint(cr);
    }
}

}  // namespace art
