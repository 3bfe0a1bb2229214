// Every movie the generator can render. A movie is a size, a length and a scene: a function
// that draws the frame at any moment. Scenes prepare what does not move (the backdrop) once.
//
// To add movies: write a function returning their MovieSpecs (see TutorialMovies.cpp), add it
// to allMovies() and list the files in assets/CMakeLists.txt.
#pragma once

#include <cairo.h>

#include <functional>
#include <string>
#include <vector>

namespace art {

// Draws the frame at `seconds` from the start.
using FrameDrawer = std::function<void(cairo_t*, double seconds)>;

struct MovieSpec {
    std::string file;  // "intro.mp4"; the extension picks the container
    int width;
    int height;
    double seconds;
    // Makes the scene's frame drawer for a picture of width × height.
    std::function<FrameDrawer(int width, int height, double seconds)> makeScene;
};

constexpr int kMovieFramesPerSecond = 30;

std::vector<MovieSpec> introMovies();
std::vector<MovieSpec> tutorialMovies();
std::vector<MovieSpec> allMovies();

}  // namespace art
