// The intro screen, the root of the navigation stack. For now a plain dark screen; the movie
// and the way on to the main menu come with the main menu itself.
#pragma once

#include "platform/ViewController.h"

class IntroController : public ViewController {
public:
    explicit IntroController(const DeviceProfile& profile = DeviceProfile::phone())
        : ViewController(profile, "IntroController") {}
};

class IntroController_ipad : public IntroController {
public:
    IntroController_ipad() : IntroController(DeviceProfile::tablet()) {}
};
