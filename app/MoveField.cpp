// Sliding overlay panels.
#include "app/MoveField.h"

#include "platform/View.h"
#include "platform/ViewAnimation.h"

void moveField(View& view, double offset) {
    AnimationOptions options;
    options.name = "moveField";
    options.duration = 0.5;
    options.curve = AnimationCurve::EaseInOut;
    animateViews(options, [&] {
        Rect frame = view.frame();
        frame.y += offset;
        view.setFrame(frame);
    });
}
