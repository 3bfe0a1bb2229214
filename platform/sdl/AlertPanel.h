// The alert box as the window shows it: a centred panel with the title, the message and the
// buttons (side by side for one or two, one under the other for more), over a dimmed screen.
// The layout is shared by drawing and by the hit testing of the buttons.
#pragma once

#include <vector>

#include "platform/AlertView.h"
#include "platform/sdl/DrawContext.h"

struct AlertLayout {
    Rect panel;
    Rect title;
    Rect message;
    std::vector<Rect> buttons;

    // The index of the button under `point` (screen points), or -1.
    int buttonAt(Point point) const;
};

// The layout for a message `messageHeight` points high on a screen of `screen` size.
AlertLayout layoutAlert(Size screen, double messageHeight, size_t buttonCount);

// The width the message wraps in.
double alertMessageWidth(Size screen);

// The layout of `alert` with its message measured in the context's font.
AlertLayout measureAlert(DrawContext& context, Size screen, const AlertView& alert);

void drawAlert(DrawContext& context, const AffineTransform& toOutput, Size screen,
               const AlertView& alert);
