// A finger on the screen and the events that report fingers. A touch belongs to the view the
// finger first landed on for as long as the finger stays down.
#pragma once

#include <vector>

#include "platform/Geometry.h"
#include "platform/Responder.h"

class View;
class Window;

enum class TouchPhase { Began, Moved, Stationary, Ended, Cancelled };

class Touch {
public:
    Touch(Window& window, View* view, Point locationInWindow, double timestamp);

    // The view the touch was delivered to; null once that view has left the window.
    View* view() const { return view_; }
    Window& window() const { return window_; }
    TouchPhase phase() const { return phase_; }
    double timestamp() const { return timestamp_; }
    // Where the finger is, in `view`'s coordinates (window coordinates when `view` is null).
    Point locationInView(const View* view) const;
    Point previousLocationInView(const View* view) const;
    // Where the finger first went down.
    Point startLocationInView(const View* view) const;

    // For the window that delivers the touch.
    void update(TouchPhase phase, Point locationInWindow, double timestamp);
    void detachFromView() { view_ = nullptr; }
    void transferTo(View& view) { view_ = &view; }

private:
    Window& window_;
    View* view_;
    TouchPhase phase_ = TouchPhase::Began;
    Point location_;
    Point previousLocation_;
    Point startLocation_;
    double timestamp_;
};

class TouchEvent {
public:
    explicit TouchEvent(std::vector<Touch*> allTouches) : allTouches_(std::move(allTouches)) {}

    // Every finger on the screen, including those that did not change.
    const TouchSet& allTouches() const { return allTouches_; }
    // The touches that belong to `view` (delivered to it, not to one of its subviews).
    TouchSet touchesForView(const View* view) const;

private:
    TouchSet allTouches_;
};
