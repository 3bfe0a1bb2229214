// Picture lookup and natural sizes through SDL2_image.
#include "platform/Pictures.h"

#include <SDL_image.h>

#include <iostream>
#include <map>

#include "platform/Bundle.h"

std::optional<std::string> Pictures::path(std::string_view name) {
    if (std::optional<std::string> found = Bundle::main().pathForResource(name, "")) {
        return found;
    }
    if (!name.empty() && name.find('.') == std::string_view::npos) {
        return Bundle::main().pathForResource(name, "png");
    }
    return std::nullopt;
}

std::optional<Size> Pictures::naturalSize(std::string_view name) {
    static std::map<std::string, std::optional<Size>> sizes;  // by file path
    std::optional<std::string> file = path(name);
    if (!file) {
        return std::nullopt;
    }
    auto cached = sizes.find(*file);
    if (cached != sizes.end()) {
        return cached->second;
    }
    std::optional<Size> size;
    if (SDL_Surface* surface = IMG_Load(file->c_str())) {
        size = Size{static_cast<double>(surface->w), static_cast<double>(surface->h)};
        SDL_FreeSurface(surface);
    } else {
        std::cerr << "cannot read picture " << *file << ": " << IMG_GetError() << "\n";
    }
    sizes.emplace(*file, size);
    return size;
}
