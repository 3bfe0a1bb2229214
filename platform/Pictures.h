// The bundle's pictures by name ("gun.png", "01b@2x.png"; a name without an extension is a
// PNG): whether they exist and their natural size in points (one point per pixel), read from
// the file with SDL2_image, which needs no window. Sizes are cached by file path.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Geometry.h"

class Pictures {
public:
    // The picture's file, or empty when the bundle has no such picture.
    static std::optional<std::string> path(std::string_view name);
    // The picture's size, or empty when it is missing or cannot be read.
    static std::optional<Size> naturalSize(std::string_view name);
};
