// Drawing of image views, labels, buttons, switches, activity indicators, text fields, page
// indicators and pickers.
#include "platform/sdl/Widgets.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/ActivityIndicatorView.h"
#include "platform/Button.h"
#include "platform/ImageView.h"
#include "platform/Label.h"
#include "platform/PageControl.h"
#include "platform/PickerView.h"
#include "platform/Switch.h"
#include "platform/TableView.h"
#include "platform/TextField.h"
#include "platform/sdl/Motion.h"

namespace {
const Color kSwitchOn{0.30, 0.85, 0.39, 1};
const Color kSwitchOff{0.80, 0.80, 0.82, 1};
const Color kFieldBorder{0.55, 0.55, 0.58, 1};
const Color kPlaceholder{0.70, 0.70, 0.72, 1};
const Color kCaret{0.16, 0.45, 0.95, 1};
const Color kDotLit{1, 1, 1, 1};
const Color kDotDim{1, 1, 1, 0.35};
const Color kWheel{0.96, 0.96, 0.97, 1};
const Color kWheelEdge{0.62, 0.62, 0.66, 1};
const Color kSelectionBand{0.78, 0.84, 0.95, 1};
const Color kWheelText{0.10, 0.10, 0.12, 1};
// A pressed button without a picture of its own for that state is darkened.
const Color kPressedTint{0.6, 0.6, 0.6, 1};

void drawPicture(DrawContext& context, const AffineTransform& toOutput, SDL_Texture* texture,
                 Rect destination, Color tint, double alpha) {
    int width = 0;
    int height = 0;
    if (texture && SDL_QueryTexture(texture, nullptr, nullptr, &width, &height) == 0) {
        context.canvas.drawTexture(toOutput, texture, {0, 0, double(width), double(height)},
                                   destination, tint, alpha);
    }
}

// Bullets in place of each character (UTF-8 code point) of a secret text.
std::string bullets(const std::string& text) {
    std::string result;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80) {
            result += "\u2022";
        }
    }
    return result;
}
}  // namespace

void drawImageView(DrawContext& context, const AffineTransform& toOutput, const ImageView& view,
                   double alpha) {
    drawPicture(context, toOutput, context.textures.picture(view.currentImage()), view.bounds(),
                Color::white(), alpha);
}

void drawLabel(DrawContext& context, const AffineTransform& toOutput, const Label& label,
               double alpha) {
    const TextStyle style{label.fontName(), label.fontSize(), label.textColor(), label.alignment(),
                          label.numberOfLines()};
    drawText(context, toOutput, label.text(), style, label.bounds(), alpha);
}

void drawButton(DrawContext& context, const AffineTransform& toOutput, const Button& button,
                double alpha) {
    const bool darken = button.isHighlighted() && button.highlightedImage().empty();
    const Color tint = darken ? kPressedTint : Color::white();
    drawPicture(context, toOutput, context.textures.picture(button.currentImage()), button.bounds(),
                tint, alpha);
    Color titleColor = button.titleColor();
    if (darken) {
        titleColor = {titleColor.red * 0.6, titleColor.green * 0.6, titleColor.blue * 0.6,
                      titleColor.alpha};
    }
    const TextStyle style{button.fontName(), button.fontSize(), titleColor, TextAlignment::Center,
                          1};
    drawText(context, toOutput, button.title(), style, button.bounds(), alpha);
}

void drawSwitch(DrawContext& context, const AffineTransform& toOutput, const Switch& control,
                double alpha) {
    const Rect track = control.bounds();
    const double radius = track.height / 2;
    context.canvas.fillRoundedRect(toOutput, track, radius, control.isOn() ? kSwitchOn : kSwitchOff,
                                   alpha);
    const double knobRadius = std::max(0.0, radius - 2);
    const double knobX = control.isOn() ? track.width - radius : radius;
    context.canvas.fillCircle(toOutput, {knobX, radius}, knobRadius, Color::white(), alpha);
}

void drawActivityIndicator(DrawContext& context, const AffineTransform& toOutput,
                           const ActivityIndicatorView& indicator, double alpha) {
    constexpr int kSpokes = 12;
    const Size size = indicator.bounds().size();
    const double radius = std::min(size.width, size.height) / 2;
    const double thickness = std::max(1.0, radius * 0.18);
    const int leading =
        static_cast<int>(std::floor(context.now * kIndicatorStepsPerSecond)) % kSpokes;
    const AffineTransform toCenter =
        AffineTransform::translation(size.width / 2, size.height / 2).concat(toOutput);
    for (int spoke = 0; spoke < kSpokes; ++spoke) {
        // The leading spoke is brightest; those behind it fade.
        const int behind = (leading - spoke + kSpokes) % kSpokes;
        const double brightness = 1.0 - 0.7 * behind / (kSpokes - 1);
        const double angle = 2 * std::numbers::pi * spoke / kSpokes;
        const AffineTransform spokeToOutput = AffineTransform::rotation(angle).concat(toCenter);
        context.canvas.fillRoundedRect(spokeToOutput,
                                       {radius * 0.45, -thickness / 2, radius * 0.55, thickness},
                                       thickness / 2, Color::white(), alpha * brightness);
    }
}

void drawTextField(DrawContext& context, const AffineTransform& toOutput, const TextField& field,
                   bool focused, double alpha) {
    const Rect frame = field.bounds();
    context.canvas.fillRoundedRect(toOutput, frame, 6, kFieldBorder, alpha);
    context.canvas.fillRoundedRect(toOutput, {1, 1, frame.width - 2, frame.height - 2}, 5,
                                   Color::white(), alpha);
    constexpr double kInset = 8;
    const Rect textBox{kInset, 0, std::max(0.0, frame.width - 2 * kInset), frame.height};
    const double fontSize = std::min(17.0, frame.height * 0.6);
    const bool empty = field.text().empty();
    const std::string shown = empty                       ? field.placeholder()
                              : field.isSecureTextEntry() ? bullets(field.text())
                                                          : field.text();
    const TextStyle style{"DejaVuSans", fontSize, empty ? kPlaceholder : Color::black(),
                          TextAlignment::Left, 1};
    const double width = drawText(context, toOutput, shown, style, textBox, alpha);
    if (focused) {
        const double caretX = kInset + (empty ? 0 : width) + 1;
        const double caretHeight = fontSize * 1.2;
        context.canvas.fillRect(
            toOutput, {caretX, (frame.height - caretHeight) / 2, 2, caretHeight}, kCaret, alpha);
    }
}

void drawPageControl(DrawContext& context, const AffineTransform& toOutput,
                     const PageControl& control, double alpha) {
    for (int page = 0; page < control.numberOfPages(); ++page) {
        context.canvas.fillCircle(toOutput, control.dotCenter(page), PageControl::kDotDiameter / 2,
                                  page == control.currentPage() ? kDotLit : kDotDim, alpha);
    }
}

void drawPickerView(DrawContext& context, const AffineTransform& toOutput, const PickerView& picker,
                    double alpha) {
    const Rect box = picker.bounds();
    context.canvas.fillRoundedRect(toOutput, {0, 0, box.width, box.height}, 8, kWheelEdge, alpha);
    context.canvas.fillRoundedRect(toOutput, {2, 2, box.width - 4, box.height - 4}, 7, kWheel,
                                   alpha);
    const double rowHeight = picker.rowHeight();
    const double middle = box.height / 2;
    context.canvas.fillRect(toOutput, {2, middle - rowHeight / 2, box.width - 4, rowHeight},
                            kSelectionBand, alpha);
    const int components = picker.numberOfComponents();
    if (components == 0) {
        return;
    }
    const double columnWidth = box.width / components;
    const TextStyle style{"DejaVuSans", rowHeight * 0.6, kWheelText, TextAlignment::Center, 1};
    for (int component = 0; component < components; ++component) {
        const double shown = picker.presentedRow(component);
        const int rows = picker.numberOfRowsInComponent(component);
        // Only rows wholly inside the wheel are drawn: text is not clipped.
        const int reach = static_cast<int>(std::floor((middle - rowHeight / 2) / rowHeight)) + 1;
        const int first = std::max(0, static_cast<int>(std::floor(shown)) - reach);
        const int last = std::min(rows - 1, static_cast<int>(std::ceil(shown)) + reach);
        for (int row = first; row <= last; ++row) {
            const double top = middle + (row - shown - 0.5) * rowHeight;
            if (top < 0 || top + rowHeight > box.height) {
                continue;
            }
            // Rows fade as they turn away from the middle line.
            const double away = std::abs(row - shown) * rowHeight / std::max(middle, 1.0);
            const double fade = std::clamp(1.0 - 0.7 * away, 0.2, 1.0);
            drawText(context, toOutput, picker.titleForRow(row, component), style,
                     {component * columnWidth + 6, top, columnWidth - 12, rowHeight}, alpha * fade);
        }
    }
}

void drawTableView(DrawContext& context, const AffineTransform& toOutput, const TableView& table,
                   double alpha) {
    // Drawn in the view's own frame: the rows move up by the content offset.
    const Rect shown = table.bounds();
    const double rowHeight = table.rowHeight();
    const double line = 1 / std::max(context.pixelScale, 1.0);
    const int rows = table.numberOfRows();
    const int first = std::max(0, static_cast<int>(std::floor(shown.y / rowHeight)));
    const int last =
        std::min(rows - 1, static_cast<int>(std::ceil((shown.y + shown.height) / rowHeight)));
    for (int row = first; row <= last; ++row) {
        const double bottom = (row + 1) * rowHeight - shown.y;
        context.canvas.fillRect(toOutput, {0, bottom - line, shown.width, line},
                                table.separatorColor(), alpha);
    }
}
