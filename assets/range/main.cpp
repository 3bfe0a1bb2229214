// kalvorn-range-pictures: draws the firing range's and the firearms gallery's pictures into
// the resources directory, PNG pictures and JPEG gallery pages.
// Usage: kalvorn-range-pictures OUTPUT_DIR
#include <SDL_image.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>

#include "draw/Canvas.h"
#include "range/RangePictures.h"

namespace {

constexpr int kJpegQuality = 88;

void writeJpeg(const art::Canvas& canvas, const std::string& path) {
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kalvorn-range-pictures OUTPUT_DIR\n");
        return 2;
    }
    try {
        const std::filesystem::path directory = argv[1];
        std::filesystem::create_directories(directory);
        IMG_Init(IMG_INIT_JPG);
        for (const range::RangePicture& picture : range::rangePictures()) {
            art::Canvas canvas(picture.width, picture.height);
            picture.draw(canvas.context(), picture.width, picture.height);
            const std::string path = (directory / picture.file).string();
            if (picture.kind == range::FileKind::Jpeg) {
                writeJpeg(canvas, path);
            } else {
                canvas.writePng(path);
            }
        }
        IMG_Quit();
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kalvorn-range-pictures: %s\n", error.what());
        return 1;
    }
}
