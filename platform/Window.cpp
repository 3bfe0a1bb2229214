// Touch delivery and the root controller's place in the window.
#include "platform/Window.h"

#include <algorithm>
#include <utility>

#include "platform/RunLoop.h"
#include "platform/TextField.h"
#include "platform/ViewController.h"

Window::Window(Size size) : rootView_(std::make_unique<View>(Rect{0, 0, size.width, size.height})) {
    rootView_->setName("window");
    rootView_->setBackgroundColor(Color::black());
    rootView_->setRootOfWindow(this);
}

Window::~Window() {
    touches_.clear();
    rootView_->setRootOfWindow(nullptr);
}

void Window::setRootViewController(ViewController& controller) {
    if (rootController_) {
        rootController_->view().removeFromSuperview();
    }
    rootController_ = &controller;
    View& view = controller.view();
    view.setFrame(rootView_->bounds());
    controller.viewWillAppear(false);
    rootView_->addSubview(view);
    controller.viewDidAppear(false);
}

void Window::sendTouches(TouchPhase phase, const std::vector<FingerInput>& fingers) {
    const double timestamp = RunLoop::main().now();
    std::vector<Touch*> changed;
    for (const FingerInput& input : fingers) {
        auto existing = touches_.find(input.finger);
        if (phase == TouchPhase::Began) {
            if (existing != touches_.end()) {
                continue;  // that finger is already down
            }
            View* hit = rootView_->hitTest(input.location);
            auto touch = std::make_unique<Touch>(*this, hit, input.location, timestamp);
            changed.push_back(touch.get());
            touches_[input.finger] = std::move(touch);
        } else if (existing != touches_.end()) {
            existing->second->update(phase, input.location, timestamp);
            changed.push_back(existing->second.get());
        }
    }
    if (changed.empty()) {
        return;
    }

    std::vector<Touch*> all;
    for (auto& [finger, touch] : touches_) {
        if (std::find(changed.begin(), changed.end(), touch.get()) == changed.end()) {
            touch->update(TouchPhase::Stationary, touch->locationInView(nullptr),
                          touch->timestamp());
        }
        all.push_back(touch.get());
    }
    const TouchEvent event(all);
    if (phase == TouchPhase::Moved) {
        handOverMovingTouches(changed, event);
    }

    // One call per view, with that view's changed touches, in the order the fingers came.
    std::vector<View*> views;
    for (Touch* touch : changed) {
        if (touch->view() && std::find(views.begin(), views.end(), touch->view()) == views.end()) {
            views.push_back(touch->view());
        }
    }
    for (View* view : views) {
        TouchSet touches;
        for (Touch* touch : changed) {
            if (touch->view() == view) {
                touches.push_back(touch);
            }
        }
        // An earlier handler may have removed this view from the window; viewWillLeave()
        // then detached its touches and it is not called.
        if (touches.empty()) {
            continue;
        }
        switch (phase) {
            case TouchPhase::Began:
                view->touchesBegan(touches, event);
                break;
            case TouchPhase::Moved:
            case TouchPhase::Stationary:
                view->touchesMoved(touches, event);
                break;
            case TouchPhase::Ended:
                view->touchesEnded(touches, event);
                break;
            case TouchPhase::Cancelled:
                view->touchesCancelled(touches, event);
                break;
        }
    }

    if (phase == TouchPhase::Ended || phase == TouchPhase::Cancelled) {
        for (const FingerInput& input : fingers) {
            touches_.erase(input.finger);
        }
    }
}

void Window::handOverMovingTouches(const std::vector<Touch*>& moved, const TouchEvent& event) {
    for (Touch* touch : moved) {
        View* owner = touch->view();
        for (View* ancestor = owner ? owner->superview() : nullptr; ancestor;
             ancestor = ancestor->superview()) {
            if (ancestor->takesOverTouch(*touch)) {
                owner->touchesCancelled({touch}, event);
                touch->transferTo(*ancestor);
                ancestor->touchesBegan({touch}, event);
                break;
            }
        }
    }
}

void Window::touchCancel(int finger) {
    auto touch = touches_.find(finger);
    if (touch != touches_.end()) {
        sendTouches(TouchPhase::Cancelled, {{finger, touch->second->locationInView(nullptr)}});
    }
}

void Window::viewWillLeave(const View& view) {
    if (focusedField_ && focusedField_->isDescendantOf(view)) {
        focusedField_ = nullptr;
    }
    for (auto& [finger, touch] : touches_) {
        if (touch->view() && touch->view()->isDescendantOf(view)) {
            touch->detachFromView();
        }
    }
}
