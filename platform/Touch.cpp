// Touches, touch events and the default passing of touches along the responder chain.
#include "platform/Touch.h"

#include "platform/View.h"

Touch::Touch(Window& window, View* view, Point locationInWindow, double timestamp)
    : window_(window),
      view_(view),
      location_(locationInWindow),
      previousLocation_(locationInWindow),
      startLocation_(locationInWindow),
      timestamp_(timestamp) {}

Point Touch::locationInView(const View* view) const {
    return view ? view->convertPointFromWindow(location_) : location_;
}

Point Touch::previousLocationInView(const View* view) const {
    return view ? view->convertPointFromWindow(previousLocation_) : previousLocation_;
}

Point Touch::startLocationInView(const View* view) const {
    return view ? view->convertPointFromWindow(startLocation_) : startLocation_;
}

void Touch::update(TouchPhase phase, Point locationInWindow, double timestamp) {
    phase_ = phase;
    previousLocation_ = location_;
    location_ = locationInWindow;
    timestamp_ = timestamp;
}

TouchSet TouchEvent::touchesForView(const View* view) const {
    TouchSet touches;
    for (Touch* touch : allTouches_) {
        if (touch->view() == view) {
            touches.push_back(touch);
        }
    }
    return touches;
}

void Responder::touchesBegan(const TouchSet& touches, const TouchEvent& event) {
    if (Responder* next = nextResponder()) {
        next->touchesBegan(touches, event);
    }
}

void Responder::touchesMoved(const TouchSet& touches, const TouchEvent& event) {
    if (Responder* next = nextResponder()) {
        next->touchesMoved(touches, event);
    }
}

void Responder::touchesEnded(const TouchSet& touches, const TouchEvent& event) {
    if (Responder* next = nextResponder()) {
        next->touchesEnded(touches, event);
    }
}

void Responder::touchesCancelled(const TouchSet& touches, const TouchEvent& event) {
    if (Responder* next = nextResponder()) {
        next->touchesCancelled(touches, event);
    }
}
