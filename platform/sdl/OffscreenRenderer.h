// Drawing the window's screen into memory, with no video device: a software SDL renderer on a
// surface. Headless screenshots and the renderer's tests use it; it keeps its textures between
// frames, so drawing many frames is cheap.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "platform/Geometry.h"
#include "platform/sdl/ViewRenderer.h"

class OffscreenRenderer {
public:
    // A surface of `size` points times `scale` pixels per point.
    explicit OffscreenRenderer(Size size, double scale = 1);
    ~OffscreenRenderer();
    OffscreenRenderer(const OffscreenRenderer&) = delete;
    OffscreenRenderer& operator=(const OffscreenRenderer&) = delete;

    // Draws the window's screen with the active platform's overlays and returns the surface
    // (RGBA bytes in memory order), valid until the next call or destruction.
    SDL_Surface* render(Window& window, const ScreenOverlays& overlays);
    SDL_Surface* render(Window& window) { return render(window, currentOverlays()); }
    SDL_Surface* surface() const { return surface_; }

private:
    SDL_Surface* surface_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    std::unique_ptr<ViewRenderer> viewRenderer_;
};

// Writes `surface` as a PNG file; false with SDL's reason in `error` on failure.
bool savePng(SDL_Surface* surface, const std::string& path, std::string& error);

// Writes a PNG of what the window shows, drawn offscreen at the window's size in points, with
// the active platform's visible alert and full-screen movie. For headless runs and the
// `screenshot` step of scripts.
bool saveScreenshot(Window& window, const std::string& path, std::string& error);
