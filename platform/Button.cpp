// Buttons: pictures by name and the one shown while pressed.
#include "platform/Button.h"

#include "platform/Pictures.h"

namespace {
std::string existingPicture(const std::string& name) {
    return !name.empty() && Pictures::path(name) ? name : std::string();
}
}  // namespace

void Button::setImage(const std::string& name) {
    image_ = existingPicture(name);
}

void Button::setHighlightedImage(const std::string& name) {
    highlightedImage_ = existingPicture(name);
}

const std::string& Button::currentImage() const {
    return isHighlighted() && !highlightedImage_.empty() ? highlightedImage_ : image_;
}
