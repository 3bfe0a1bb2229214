// Controls: following one finger, highlighting while it is inside, acting when it lifts inside.
#include "platform/Control.h"

#include <algorithm>

#include "platform/ActionTarget.h"
#include "platform/Touch.h"

void Control::setAction(ActionTarget* target, std::string action) {
    target_ = target;
    action_ = std::move(action);
}

void Control::sendAction() {
    if (target_ && !action_.empty()) {
        target_->sendAction(action_);
    }
}

bool Control::isInside(const Touch& touch) const {
    return pointInside(touch.locationInView(this));
}

void Control::touchesBegan(const TouchSet& touches, const TouchEvent& event) {
    // A finger still down keeps the control; a finger that vanished with the control's earlier
    // stay in another window does not.
    const TouchSet& down = event.allTouches();
    if (!enabled_ || (tracking_ && std::find(down.begin(), down.end(), tracking_) != down.end())) {
        return;
    }
    tracking_ = touches.front();
    highlighted_ = true;
}

void Control::touchesMoved(const TouchSet& touches, const TouchEvent&) {
    if (tracking_ && std::find(touches.begin(), touches.end(), tracking_) != touches.end()) {
        highlighted_ = isInside(*tracking_);
    }
}

void Control::touchesEnded(const TouchSet& touches, const TouchEvent&) {
    if (!tracking_ || std::find(touches.begin(), touches.end(), tracking_) == touches.end()) {
        return;
    }
    const bool inside = isInside(*tracking_);
    tracking_ = nullptr;
    highlighted_ = false;
    if (inside && enabled_) {
        touchUpInside();
    }
}

void Control::touchesCancelled(const TouchSet& touches, const TouchEvent&) {
    if (tracking_ && std::find(touches.begin(), touches.end(), tracking_) != touches.end()) {
        tracking_ = nullptr;
        highlighted_ = false;
    }
}
