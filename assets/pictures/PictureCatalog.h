// Every picture the generator can draw. A picture is described once, with its phone size and
// its tablet size, and drawn for both profiles; the tablet file inserts "_ipad" before the
// extension ("menu_background.png" and "menu_background_ipad.png").
//
// To add pictures: write a function returning their PictureSpecs (see MenuPictures.cpp), add it
// to allPictures() and list the phone file names in assets/CMakeLists.txt.
#pragma once

#include <cairo.h>

#include <functional>
#include <string>
#include <vector>

namespace art {

enum class Profile { Phone, Tablet };

// What a drawing function knows about the picture it is drawing.
struct PictureContext {
    Profile profile;
    double width;
    double height;
    // Size factor of text, corners and strokes: 1 on the phone, the spec's tabletScale on the
    // tablet.
    double scale;
};

struct PictureSpec {
    std::string name;  // the phone file name
    int phoneWidth;
    int phoneHeight;
    int tabletWidth;
    int tabletHeight;
    double tabletScale;
    std::function<void(cairo_t*, const PictureContext&)> draw;
};

// "name.png" → "name_ipad.png".
std::string tabletFileName(const std::string& phoneName);

std::vector<PictureSpec> menuPictures();
std::vector<PictureSpec> introPictures();
std::vector<PictureSpec> hubPictures();
std::vector<PictureSpec> mediaPictures();
std::vector<PictureSpec> allPictures();

}  // namespace art
