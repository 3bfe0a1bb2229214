// A whole picture the assembly generator draws in one go (a page, a pressed button's cut), with
// its file name, pixel size and file kind.
#pragma once

#include <cairo.h>

#include <functional>
#include <string>

namespace guns {

struct DrawnPicture {
    std::string file;
    int width;
    int height;
    bool jpeg;
    std::function<void(cairo_t*)> draw;
};

}  // namespace guns
