// Points, sizes, rectangles and affine transforms in points (the screen's logical units).
#pragma once

#include <cmath>

struct Point {
    double x = 0;
    double y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    double width = 0;
    double height = 0;

    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    Point origin() const { return {x, y}; }
    Size size() const { return {width, height}; }
    Point center() const { return {x + width / 2, y + height / 2}; }
    bool contains(Point p) const {
        return p.x >= x && p.x < x + width && p.y >= y && p.y < y + height;
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

// The 2D affine map (x, y) -> (a·x + c·y + tx, b·x + d·y + ty).
struct AffineTransform {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    static AffineTransform identity() { return {}; }
    static AffineTransform rotation(double radians);
    static AffineTransform scale(double sx, double sy);
    static AffineTransform translation(double dx, double dy);

    bool isIdentity() const { return *this == AffineTransform{}; }
    Point apply(Point p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
    // This transform followed by `then`.
    AffineTransform concat(const AffineTransform& then) const;
    // The inverse, or the identity when this transform is not invertible.
    AffineTransform inverted() const;

    friend bool operator==(const AffineTransform&, const AffineTransform&) = default;
};

// The smallest upright rectangle that holds the four corners of a turned or stretched box.
Rect enclosingBox(const Point (&corners)[4]);
