// A view that shows one text in a font, colour and alignment.
#pragma once

#include <string>

#include "platform/Color.h"
#include "platform/View.h"

enum class TextAlignment { Left, Center, Right };

class Label : public View {
public:
    Label() { setUserInteractionEnabled(false); }

    std::string_view typeName() const override { return "Label"; }

    const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }
    const std::string& fontName() const { return fontName_; }
    double fontSize() const { return fontSize_; }
    void setFont(std::string name, double size) {
        fontName_ = std::move(name);
        fontSize_ = size;
    }
    const Color& textColor() const { return textColor_; }
    void setTextColor(Color color) { textColor_ = color; }
    TextAlignment alignment() const { return alignment_; }
    void setAlignment(TextAlignment alignment) { alignment_ = alignment; }
    // Lines the text may wrap to; 0 for as many as it needs.
    int numberOfLines() const { return numberOfLines_; }
    void setNumberOfLines(int lines) { numberOfLines_ = lines; }

private:
    std::string text_;
    std::string fontName_ = "DejaVuSans";
    double fontSize_ = 17;
    Color textColor_ = Color::black();
    TextAlignment alignment_ = TextAlignment::Left;
    int numberOfLines_ = 1;
};
