// The navigation stack: screens pushed on top of each other, the top one shown. The stack owns
// its screens and calls their life-cycle methods: viewWillDisappear on the screen that leaves,
// viewWillAppear on the one that shows (after its viewDidLoad the first time), then
// viewDidDisappear and viewDidAppear. A popped screen is destroyed on the next turn of the run
// loop, never while one of its own methods (the back action that popped it) is running.
// Animated changes slide the new screen in (presented values only; the model is final at once).
#pragma once

#include <memory>
#include <vector>

#include "platform/ViewController.h"

class NavigationController : public ViewController {
public:
    NavigationController(const DeviceProfile& profile, std::unique_ptr<ViewController> root);
    ~NavigationController() override;

    // Pushes `controller` on top and shows it; returns it.
    ViewController& pushViewController(std::unique_ptr<ViewController> controller, bool animated);
    // Pops the top screen; nothing happens when only the root is left.
    void popViewControllerAnimated(bool animated);
    // Pops every screen above `controller` (which must be on the stack).
    void popToViewController(ViewController& controller, bool animated);
    void popToRootViewControllerAnimated(bool animated);

    ViewController* topViewController() const;
    // Bottom (root) first.
    std::vector<ViewController*> viewControllers() const;

    // The stack's own appearance is passed on to the screen on top.
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;

private:
    enum class Slide { None, FromRight, FromLeft };

    void show(ViewController& controller, Slide slide);

    std::vector<std::unique_ptr<ViewController>> stack_;
    bool visible_ = false;  // between our own viewWillAppear and viewWillDisappear
};
