// JPEG files through SDL_image, which also loads them in the game.
#include "draw/JpegFile.h"

#include <SDL_image.h>

#include <stdexcept>

namespace art {
namespace {

constexpr int kJpegQuality = 88;

}  // namespace

void writeJpeg(const Canvas& canvas, const std::string& path) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<unsigned char*>(canvas.pixels()), canvas.width(), canvas.height(), 32,
        canvas.width() * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) {
        throw std::runtime_error("cannot wrap the pixels of " + path + ": " + SDL_GetError());
    }
    const int written = IMG_SaveJPG(surface, path.c_str(), kJpegQuality);
    SDL_FreeSurface(surface);
    if (written != 0) {
        throw std::runtime_error("cannot write " + path + ": " + IMG_GetError());
    }
}

}  // namespace art
