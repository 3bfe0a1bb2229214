// Layout and drawing of the alert box.
#include "platform/sdl/AlertPanel.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kPanelWidth = 280;
constexpr double kMargin = 20;
constexpr double kPadding = 16;
constexpr double kTitleHeight = 24;
constexpr double kButtonHeight = 44;
constexpr double kTitleSize = 17;
constexpr double kMessageSize = 14;

const Color kDim{0, 0, 0, 0.45};
const Color kPanel{0.11, 0.14, 0.20, 0.96};
const Color kDivider{1, 1, 1, 0.18};
const Color kButtonText{0.55, 0.78, 1.0, 1};
}  // namespace

int AlertLayout::buttonAt(Point point) const {
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i].contains(point)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

double alertMessageWidth(Size screen) {
    return std::min(kPanelWidth, screen.width - 2 * kMargin) - 2 * kPadding;
}

AlertLayout layoutAlert(Size screen, double messageHeight, size_t buttonCount) {
    const double width = std::min(kPanelWidth, screen.width - 2 * kMargin);
    const bool sideBySide = buttonCount <= 2;
    const double buttonsHeight =
        kButtonHeight *
        static_cast<double>(sideBySide ? std::min<size_t>(buttonCount, 1) : buttonCount);
    const double height = kPadding + kTitleHeight + 8 + messageHeight + kPadding + buttonsHeight;

    AlertLayout layout;
    layout.panel = {std::round((screen.width - width) / 2),
                    std::round((screen.height - height) / 2), width, height};
    const double left = layout.panel.x + kPadding;
    const double inner = width - 2 * kPadding;
    layout.title = {left, layout.panel.y + kPadding, inner, kTitleHeight};
    layout.message = {left, layout.title.y + kTitleHeight + 8, inner, messageHeight};
    const double buttonsTop = layout.message.y + messageHeight + kPadding;
    for (size_t i = 0; i < buttonCount; ++i) {
        if (sideBySide) {
            const double buttonWidth = width / static_cast<double>(buttonCount);
            layout.buttons.push_back({layout.panel.x + buttonWidth * static_cast<double>(i),
                                      buttonsTop, buttonWidth, kButtonHeight});
        } else {
            layout.buttons.push_back({layout.panel.x,
                                      buttonsTop + kButtonHeight * static_cast<double>(i), width,
                                      kButtonHeight});
        }
    }
    return layout;
}

AlertLayout measureAlert(DrawContext& context, Size screen, const AlertView& alert) {
    const double scale = context.pixelScale;
    const TextTexture& message = context.textures.text(
        alert.message(), "DejaVuSans", static_cast<int>(std::lround(kMessageSize * scale)),
        static_cast<int>(std::floor(alertMessageWidth(screen) * scale)), true);
    return layoutAlert(screen, message.height / scale, alert.buttonTitles().size());
}

void drawAlert(DrawContext& context, const AffineTransform& toOutput, Size screen,
               const AlertView& alert) {
    const AlertLayout layout = measureAlert(context, screen, alert);
    Canvas& canvas = context.canvas;
    canvas.fillRect(toOutput, {0, 0, screen.width, screen.height}, kDim, 1);
    canvas.fillRoundedRect(toOutput, layout.panel, 10, kPanel, 1);
    drawText(context, toOutput, alert.title(),
             {"DejaVuSans-Bold", kTitleSize, Color::white(), TextAlignment::Center, 1},
             layout.title, 1);
    drawText(context, toOutput, alert.message(),
             {"DejaVuSans", kMessageSize, Color::white(), TextAlignment::Center, 0}, layout.message,
             1);
    for (size_t i = 0; i < layout.buttons.size(); ++i) {
        const Rect& button = layout.buttons[i];
        canvas.fillRect(toOutput, {button.x, button.y, button.width, 1}, kDivider, 1);
        if (i > 0 && button.y == layout.buttons[i - 1].y) {
            canvas.fillRect(toOutput, {button.x, button.y, 1, button.height}, kDivider, 1);
        }
        drawText(context, toOutput, alert.buttonTitles()[i],
                 {"DejaVuSans-Bold", kTitleSize, kButtonText, TextAlignment::Center, 1}, button, 1);
    }
}
