// A push button: a title and/or a picture, with another picture while pressed. It sends its
// action when a finger that went down on it lifts inside it.
#pragma once

#include <string>

#include "platform/Color.h"
#include "platform/Control.h"

class Button : public Control {
public:
    std::string_view typeName() const override { return "Button"; }

    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    const std::string& fontName() const { return fontName_; }
    double fontSize() const { return fontSize_; }
    void setFont(std::string name, double size) {
        fontName_ = std::move(name);
        fontSize_ = size;
    }
    const Color& titleColor() const { return titleColor_; }
    void setTitleColor(Color color) { titleColor_ = color; }

    // Pictures by name; a missing picture gives none (an empty name).
    const std::string& image() const { return image_; }
    void setImage(const std::string& name);
    const std::string& highlightedImage() const { return highlightedImage_; }
    void setHighlightedImage(const std::string& name);
    // The picture the window draws now.
    const std::string& currentImage() const;

private:
    std::string title_;
    std::string fontName_ = "DejaVuSans-Bold";
    double fontSize_ = 15;
    Color titleColor_ = Color::white();
    std::string image_;
    std::string highlightedImage_;
};
