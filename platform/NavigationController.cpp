// The navigation stack: pushing, popping and the life-cycle calls around them.
#include "platform/NavigationController.h"

#include <algorithm>
#include <utility>

#include "platform/RunLoop.h"
#include "platform/ViewAnimation.h"

namespace {
constexpr double kSlideDuration = 0.35;
}

NavigationController::NavigationController(const DeviceProfile& profile,
                                           std::unique_ptr<ViewController> root)
    : ViewController(profile, "") {
    root->setNavigationController(this);
    stack_.push_back(std::move(root));
}

NavigationController::~NavigationController() {
    // Screens go top first, each while the screens under it still exist.
    while (!stack_.empty()) {
        stack_.pop_back();
    }
}

ViewController& NavigationController::pushViewController(std::unique_ptr<ViewController> controller,
                                                         bool animated) {
    ViewController& incoming = *controller;
    ViewController* outgoing = topViewController();
    incoming.setNavigationController(this);
    stack_.push_back(std::move(controller));
    incoming.view();  // viewDidLoad before the first appearance
    if (visible_ && outgoing) {
        outgoing->viewWillDisappear(animated);
    }
    if (visible_) {
        incoming.viewWillAppear(animated);
    }
    show(incoming, animated ? Slide::FromRight : Slide::None);
    if (visible_ && outgoing) {
        outgoing->viewDidDisappear(animated);
    }
    if (visible_) {
        incoming.viewDidAppear(animated);
    }
    return incoming;
}

void NavigationController::popViewControllerAnimated(bool animated) {
    if (stack_.size() > 1) {
        popToViewController(*stack_[stack_.size() - 2], animated);
    }
}

void NavigationController::popToRootViewControllerAnimated(bool animated) {
    popToViewController(*stack_.front(), animated);
}

void NavigationController::popToViewController(ViewController& controller, bool animated) {
    auto target = std::find_if(stack_.begin(), stack_.end(),
                               [&](const auto& entry) { return entry.get() == &controller; });
    if (target == stack_.end() || target + 1 == stack_.end()) {
        return;
    }
    ViewController* outgoing = topViewController();
    if (visible_) {
        outgoing->viewWillDisappear(animated);
        controller.viewWillAppear(animated);
    }
    // The popped screens leave the stack now but live until the next turn of the run loop.
    auto popped = std::make_shared<std::vector<std::unique_ptr<ViewController>>>();
    for (auto it = target + 1; it != stack_.end(); ++it) {
        (*it)->setNavigationController(nullptr);
        popped->push_back(std::move(*it));
    }
    stack_.erase(target + 1, stack_.end());
    show(controller, animated ? Slide::FromLeft : Slide::None);
    if (visible_) {
        outgoing->viewDidDisappear(animated);
        controller.viewDidAppear(animated);
    }
    RunLoop::main().post([popped] {
        while (!popped->empty()) {
            popped->pop_back();
        }
    });
}

ViewController* NavigationController::topViewController() const {
    return stack_.empty() ? nullptr : stack_.back().get();
}

std::vector<ViewController*> NavigationController::viewControllers() const {
    std::vector<ViewController*> controllers;
    for (const auto& controller : stack_) {
        controllers.push_back(controller.get());
    }
    return controllers;
}

void NavigationController::viewWillAppear(bool animated) {
    visible_ = true;
    if (ViewController* top = topViewController()) {
        show(*top, Slide::None);
        top->viewWillAppear(animated);
    }
}

void NavigationController::viewDidAppear(bool animated) {
    if (ViewController* top = topViewController()) {
        top->viewDidAppear(animated);
    }
}

void NavigationController::viewWillDisappear(bool animated) {
    visible_ = false;
    if (ViewController* top = topViewController()) {
        top->viewWillDisappear(animated);
    }
}

void NavigationController::viewDidDisappear(bool animated) {
    if (ViewController* top = topViewController()) {
        top->viewDidDisappear(animated);
    }
}

void NavigationController::show(ViewController& controller, Slide slide) {
    View& container = view();
    View& shown = controller.view();
    for (View* subview : std::vector<View*>(container.subviews())) {
        if (subview != &shown) {
            subview->removeFromSuperview();
        }
    }
    container.addSubview(shown);
    const Rect bounds = container.bounds();
    if (slide == Slide::None) {
        shown.setFrame(bounds);
        return;
    }
    const double start = slide == Slide::FromRight ? bounds.width : -bounds.width;
    shown.setFrame({start, 0, bounds.width, bounds.height});
    animateViews({"navigationSlide", kSlideDuration, 0, AnimationCurve::EaseInOut, {}},
                 [&] { shown.setFrame(bounds); });
}
