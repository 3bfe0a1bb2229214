// The cairo surface behind a picture.
#include "draw/Canvas.h"

#include <stdexcept>

namespace art {

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      context_(cairo_create(surface_)) {
    if (cairo_status(context_) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot make a " + std::to_string(width) + "x" +
                                 std::to_string(height) + " picture");
    }
    // Every stride of these sizes is width × 4; the movie pipe relies on tightly packed rows.
    if (cairo_image_surface_get_stride(surface_) != width * 4) {
        throw std::runtime_error("unexpected row padding in a cairo picture");
    }
}

Canvas::~Canvas() {
    cairo_destroy(context_);
    cairo_surface_destroy(surface_);
}

void Canvas::clear() {
    cairo_save(context_);
    cairo_set_operator(context_, CAIRO_OPERATOR_CLEAR);
    cairo_paint(context_);
    cairo_restore(context_);
}

void Canvas::writePng(const std::string& path) const {
    cairo_surface_flush(surface_);
    cairo_status_t status = cairo_surface_write_to_png(surface_, path.c_str());
    if (status != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot write " + path + ": " + cairo_status_to_string(status));
    }
}

const unsigned char* Canvas::pixels() const {
    cairo_surface_flush(surface_);
    return cairo_image_surface_get_data(surface_);
}

}  // namespace art
