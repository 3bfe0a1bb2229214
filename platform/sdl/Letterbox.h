// Fitting the logical screen (the profile's size in points) into a window of another size: the
// screen is scaled uniformly to the largest size that fits and centred, with black bars on the
// other sides. Drawing maps points to pixels with it and input maps back.
#pragma once

#include "platform/Geometry.h"

struct Letterbox {
    double scale = 1;  // output units per point
    double offsetX = 0;
    double offsetY = 0;

    // The letterbox that fits `logical` into `output`; scale 1 when either size is empty.
    static Letterbox fit(Size logical, Size output);

    Point toLogical(Point output) const {
        return {(output.x - offsetX) / scale, (output.y - offsetY) / scale};
    }
    Point toOutput(Point logical) const {
        return {logical.x * scale + offsetX, logical.y * scale + offsetY};
    }
    // Points to output units, as a transform to append to a view's transform.
    AffineTransform transform() const { return {scale, 0, 0, scale, offsetX, offsetY}; }
};

// A touch position that SDL gives normalized to the window (0 to 1 in each direction), in
// logical points.
Point normalizedToLogical(const Letterbox& letterbox, Size windowSize, double x, double y);
