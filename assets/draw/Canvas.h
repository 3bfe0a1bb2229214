// A picture being drawn: a cairo ARGB surface with its drawing context, written out as PNG.
#pragma once

#include <cairo.h>

#include <string>

namespace art {

class Canvas {
public:
    // A transparent picture of the given size in pixels.
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* context() const { return context_; }
    cairo_surface_t* surface() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Clears the whole picture to transparent.
    void clear();
    // Writes the picture as a PNG file; throws std::runtime_error when that fails.
    void writePng(const std::string& path) const;
    // The pixels in memory order B, G, R, A (cairo's native ARGB on little-endian machines),
    // rows of exactly width × 4 bytes.
    const unsigned char* pixels() const;

private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* context_;
};

}  // namespace art
