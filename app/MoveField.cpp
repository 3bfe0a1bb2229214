// Sliding overlay panels.
#include "app/MoveField.h"

#include "platform/View.h"
#include "platform/ViewAnimation.h"

void moveField(View& view, double offset, double duration) {
    AnimationOptions options;
    options.name = "moveField";
    options.duration = duration;
    options.curve = AnimationCurve::EaseInOut;
    animateViews(options, [&] {
        Rect frame = view.frame();
        frame.y += offset;
        view.setFrame(frame);
    });
}
