// Filled and textured shapes in points under an affine transform, drawn with
// SDL_RenderGeometry so that rotated and scaled quads come out right on any SDL renderer,
// the software one included.
#pragma once

#include <SDL.h>

#include <array>
#include <vector>

#include "platform/Color.h"
#include "platform/Geometry.h"

class Canvas {
public:
    explicit Canvas(SDL_Renderer* renderer);

    SDL_Renderer* renderer() const { return renderer_; }

    // `alpha` multiplies the colour's own alpha.
    void fillRect(const AffineTransform& toOutput, Rect rect, Color color, double alpha);
    // A convex polygon, as a triangle fan.
    void fillPolygon(const AffineTransform& toOutput, const std::vector<Point>& points, Color color,
                     double alpha);
    void fillRoundedRect(const AffineTransform& toOutput, Rect rect, double radius, Color color,
                         double alpha);
    void fillCircle(const AffineTransform& toOutput, Point center, double radius, Color color,
                    double alpha);
    // The part `source` (in texture pixels) of `texture` stretched over `destination`, tinted by
    // `tint` (white keeps the texture's colours).
    void drawTexture(const AffineTransform& toOutput, SDL_Texture* texture, Rect source,
                     Rect destination, Color tint, double alpha);
    // The same stretched over any four-cornered shape: top-left, top-right, bottom-right and
    // bottom-left of `source` go to those `corners`.
    void drawTextureQuad(const AffineTransform& toOutput, SDL_Texture* texture, Rect source,
                         const std::array<Point, 4>& corners, Color tint, double alpha);

private:
    std::vector<SDL_Vertex> vertices_;  // reused between calls
    SDL_Renderer* renderer_;
};
