// The pictures of the firing range and the firearms gallery: the simulator's own gun pictures,
// its muzzle-flash and smoke frames, its background, the gun menu's strip, entries and lock
// notice, and the gallery's pages. Each is listed by file name with its size and drawing.
#pragma once

#include <cairo.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "draw/Geometry.h"

namespace range {

enum class FileKind { Png, Jpeg };

struct RangePicture {
    std::string file;
    int width;
    int height;
    FileKind kind;
    std::function<void(cairo_t*, double width, double height)> draw;
    // Where the flash meets the gun in this picture: a gun's muzzle or a flash frame's burst.
    std::optional<art::Point> aim = std::nullopt;
};

std::vector<RangePicture> rangePictures();

}  // namespace range
