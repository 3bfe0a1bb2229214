// The play screen's own pictures: its background, the panel behind its questions and results,
// and the picture of each category's unlock.
#pragma once

#include <cairo.h>

#include <string>
#include <vector>

namespace guns {

struct ScreenPicture {
    std::string phoneName;  // the tablet name inserts "@2x" before ".png"
    int phoneWidth;
    int phoneHeight;
    int tabletWidth;
    int tabletHeight;
    // Draws into width × height pixels; `scale` is 1 on the phone and 2 on the tablet.
    void (*draw)(cairo_t* cr, double width, double height, double scale,
                 const std::string& phoneName);
};

std::vector<ScreenPicture> playScreenPictures();

}  // namespace guns
