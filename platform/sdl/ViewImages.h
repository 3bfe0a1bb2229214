// Pictures of views for transitions, drawn with the window's own drawing code into memory: the
// view alone, at the origin, one pixel per point. Each renderer that shows one makes its own
// texture of it while the transition runs.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "platform/Geometry.h"
#include "platform/ViewAnimation.h"

class Platform;

class SurfaceViewImage : public ViewImage {
public:
    // Takes `surface` (RGBA32).
    SurfaceViewImage(SDL_Surface* surface, Size size);
    ~SurfaceViewImage() override;
    SurfaceViewImage(const SurfaceViewImage&) = delete;
    SurfaceViewImage& operator=(const SurfaceViewImage&) = delete;

    SDL_Surface* surface() const { return surface_; }
    // The view's size in points.
    Size size() const { return size_; }
    // Different for every picture made in a run, so that renderers can key textures by it.
    uint64_t serial() const { return serial_; }

private:
    SDL_Surface* surface_;
    Size size_;
    uint64_t serial_;
};

// Makes `platform` take its view pictures with this backend.
void installViewImages(Platform& platform);
