// Affine transform construction, composition and inversion; boxes around transformed corners.
#include "platform/Geometry.h"

#include <algorithm>

AffineTransform AffineTransform::rotation(double radians) {
    const double cosine = std::cos(radians);
    const double sine = std::sin(radians);
    return {cosine, sine, -sine, cosine, 0, 0};
}

AffineTransform AffineTransform::scale(double sx, double sy) {
    return {sx, 0, 0, sy, 0, 0};
}

AffineTransform AffineTransform::translation(double dx, double dy) {
    return {1, 0, 0, 1, dx, dy};
}

AffineTransform AffineTransform::concat(const AffineTransform& then) const {
    return {a * then.a + b * then.c,
            a * then.b + b * then.d,
            c * then.a + d * then.c,
            c * then.b + d * then.d,
            tx * then.a + ty * then.c + then.tx,
            tx * then.b + ty * then.d + then.ty};
}

AffineTransform AffineTransform::inverted() const {
    const double determinant = a * d - b * c;
    if (determinant == 0) {
        return identity();
    }
    return {d / determinant,
            -b / determinant,
            -c / determinant,
            a / determinant,
            (c * ty - d * tx) / determinant,
            (b * tx - a * ty) / determinant};
}

Rect enclosingBox(const Point (&corners)[4]) {
    double left = corners[0].x, right = corners[0].x, top = corners[0].y, bottom = corners[0].y;
    for (const Point& corner : corners) {
        left = std::min(left, corner.x);
        right = std::max(right, corner.x);
        top = std::min(top, corner.y);
        bottom = std::max(bottom, corner.y);
    }
    return {left, top, right - left, bottom - top};
}
