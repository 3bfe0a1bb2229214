// Offscreen drawing and PNG screenshots.
#include "platform/sdl/OffscreenRenderer.h"

#include <SDL_image.h>

#include <cmath>
#include <filesystem>

#include "platform/Window.h"

OffscreenRenderer::OffscreenRenderer(Size size, double scale) {
    const int width = static_cast<int>(std::lround(size.width * scale));
    const int height = static_cast<int>(std::lround(size.height * scale));
    surface_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    if (surface_) {
        renderer_ = SDL_CreateSoftwareRenderer(surface_);
    }
    if (renderer_) {
        viewRenderer_ = std::make_unique<ViewRenderer>(renderer_);
    }
}

OffscreenRenderer::~OffscreenRenderer() {
    viewRenderer_.reset();
    if (renderer_) {
        SDL_DestroyRenderer(renderer_);
    }
    if (surface_) {
        SDL_FreeSurface(surface_);
    }
}

SDL_Surface* OffscreenRenderer::render(Window& window, const ScreenOverlays& overlays) {
    if (!viewRenderer_) {
        return nullptr;
    }
    viewRenderer_->drawScreen(window, overlays);
    SDL_RenderPresent(renderer_);
    return surface_;
}

bool savePng(SDL_Surface* surface, const std::string& path, std::string& error) {
    if (!surface) {
        error = std::string("no picture to save: ") + SDL_GetError();
        return false;
    }
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    std::error_code ignored;
    if (!parent.empty()) {
        std::filesystem::create_directories(parent, ignored);
    }
    if (IMG_SavePNG(surface, path.c_str()) != 0) {
        error = "cannot write " + path + ": " + IMG_GetError();
        return false;
    }
    return true;
}

bool saveScreenshot(Window& window, const std::string& path, std::string& error) {
    OffscreenRenderer offscreen(window.size());
    return savePng(offscreen.render(window), path, error);
}
