// Shapes as triangles through SDL_RenderGeometry.
#include "platform/sdl/Canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
SDL_Color toSdl(Color color, double alpha) {
    auto byte = [](double value) {
        return static_cast<Uint8>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
    };
    return {byte(color.red), byte(color.green), byte(color.blue), byte(color.alpha * alpha)};
}

SDL_Vertex vertex(const AffineTransform& toOutput, Point point, SDL_Color color,
                  SDL_FPoint texture = {0, 0}) {
    const Point output = toOutput.apply(point);
    return {{static_cast<float>(output.x), static_cast<float>(output.y)}, color, texture};
}

// Points around a circle's arc from `start` to `end` radians (y downwards).
void appendArc(std::vector<Point>& points, Point center, double radius, double start, double end) {
    const int steps = std::max(2, static_cast<int>(std::ceil(radius * (end - start) / 3)));
    for (int i = 0; i <= steps; ++i) {
        const double angle = start + (end - start) * i / steps;
        points.push_back(
            {center.x + radius * std::cos(angle), center.y + radius * std::sin(angle)});
    }
}
}  // namespace

Canvas::Canvas(SDL_Renderer* renderer) : renderer_(renderer) {
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
}

void Canvas::fillRect(const AffineTransform& toOutput, Rect rect, Color color, double alpha) {
    fillPolygon(toOutput,
                {{rect.x, rect.y},
                 {rect.x + rect.width, rect.y},
                 {rect.x + rect.width, rect.y + rect.height},
                 {rect.x, rect.y + rect.height}},
                color, alpha);
}

void Canvas::fillPolygon(const AffineTransform& toOutput, const std::vector<Point>& points,
                         Color color, double alpha) {
    const SDL_Color sdlColor = toSdl(color, alpha);
    if (points.size() < 3 || sdlColor.a == 0) {
        return;
    }
    vertices_.clear();
    const SDL_Vertex first = vertex(toOutput, points[0], sdlColor);
    for (size_t i = 1; i + 1 < points.size(); ++i) {
        vertices_.push_back(first);
        vertices_.push_back(vertex(toOutput, points[i], sdlColor));
        vertices_.push_back(vertex(toOutput, points[i + 1], sdlColor));
    }
    SDL_RenderGeometry(renderer_, nullptr, vertices_.data(), static_cast<int>(vertices_.size()),
                       nullptr, 0);
}

void Canvas::fillRoundedRect(const AffineTransform& toOutput, Rect rect, double radius, Color color,
                             double alpha) {
    radius = std::min({radius, rect.width / 2, rect.height / 2});
    if (radius <= 0) {
        fillRect(toOutput, rect, color, alpha);
        return;
    }
    constexpr double pi = std::numbers::pi;
    const double left = rect.x + radius;
    const double right = rect.x + rect.width - radius;
    const double top = rect.y + radius;
    const double bottom = rect.y + rect.height - radius;
    std::vector<Point> points;
    appendArc(points, {right, top}, radius, -pi / 2, 0);
    appendArc(points, {right, bottom}, radius, 0, pi / 2);
    appendArc(points, {left, bottom}, radius, pi / 2, pi);
    appendArc(points, {left, top}, radius, pi, 3 * pi / 2);
    fillPolygon(toOutput, points, color, alpha);
}

void Canvas::fillCircle(const AffineTransform& toOutput, Point center, double radius, Color color,
                        double alpha) {
    std::vector<Point> points;
    appendArc(points, center, radius, 0, 2 * std::numbers::pi);
    fillPolygon(toOutput, points, color, alpha);
}

void Canvas::drawTexture(const AffineTransform& toOutput, SDL_Texture* texture, Rect source,
                         Rect destination, Color tint, double alpha) {
    const Rect& d = destination;
    drawTextureQuad(toOutput, texture, source,
                    {Point{d.x, d.y}, Point{d.x + d.width, d.y},
                     Point{d.x + d.width, d.y + d.height}, Point{d.x, d.y + d.height}},
                    tint, alpha);
}

void Canvas::drawTextureQuad(const AffineTransform& toOutput, SDL_Texture* texture, Rect source,
                             const std::array<Point, 4>& corners, Color tint, double alpha) {
    int width = 0;
    int height = 0;
    if (!texture || SDL_QueryTexture(texture, nullptr, nullptr, &width, &height) != 0 ||
        width == 0 || height == 0) {
        return;
    }
    const SDL_Color color = toSdl(tint, alpha);
    if (color.a == 0) {
        return;
    }
    const float u0 = static_cast<float>(source.x / width);
    const float v0 = static_cast<float>(source.y / height);
    const float u1 = static_cast<float>((source.x + source.width) / width);
    const float v1 = static_cast<float>((source.y + source.height) / height);
    const SDL_Vertex vertices[4] = {
        vertex(toOutput, corners[0], color, {u0, v0}),
        vertex(toOutput, corners[1], color, {u1, v0}),
        vertex(toOutput, corners[2], color, {u1, v1}),
        vertex(toOutput, corners[3], color, {u0, v1}),
    };
    const int indices[6] = {0, 1, 2, 0, 2, 3};
    SDL_RenderGeometry(renderer_, texture, vertices, 4, indices, 6);
}
