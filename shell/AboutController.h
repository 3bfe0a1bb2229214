// The about page: what the game is, how each part is played, the credits and the version, all
// of it in the screen's layout; the one thing it does is go back.
#pragma once

#include "platform/ViewController.h"

class AboutController : public ViewController {
public:
    explicit AboutController(const DeviceProfile& profile = DeviceProfile::phone());

    void backButton();
};

class AboutController_ipad : public AboutController {
public:
    AboutController_ipad() : AboutController(DeviceProfile::tablet()) {}
};
