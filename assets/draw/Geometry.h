// Points and rectangles in picture coordinates (pixels, y downwards) for the art generators.
#pragma once

namespace art {

struct Point {
    double x = 0;
    double y = 0;
};

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double right() const { return x + width; }
    double bottom() const { return y + height; }
    double centerX() const { return x + width / 2; }
    double centerY() const { return y + height / 2; }
    Point center() const { return {centerX(), centerY()}; }
    // The rectangle shrunk by `d` on every side (grown when negative).
    Rect inset(double d) const { return {x + d, y + d, width - 2 * d, height - 2 * d}; }
};

// Linear interpolation from a (t = 0) to b (t = 1).
inline double mix(double a, double b, double t) {
    return a + (b - a) * t;
}

}  // namespace art
