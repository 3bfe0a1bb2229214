// Writing a drawn picture as a JPEG file (the resources whose names end in ".jpg").
#pragma once

#include <string>

#include "draw/Canvas.h"

namespace art {

// Writes the canvas as a JPEG file; throws std::runtime_error when that fails.
void writeJpeg(const Canvas& canvas, const std::string& path);

}  // namespace art
