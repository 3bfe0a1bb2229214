// The firearms gallery's first screen: four categories, each opening the paged gallery of its
// pictures. The chosen category travels through the application state, where each page reads
// it. The tablet twin only selects the tablet profile.
#pragma once

#include "platform/ViewController.h"

struct FirearmsCategory;

class MenuFirearmsController : public ViewController {
public:
    explicit MenuFirearmsController(const DeviceProfile& profile = DeviceProfile::phone());

    // The actions handgun, autogun, backgun and longgun open their category.
    void openCategory(const FirearmsCategory& category);
    void backButton();
};

class MenuFirearmsController_ipad : public MenuFirearmsController {
public:
    MenuFirearmsController_ipad() : MenuFirearmsController(DeviceProfile::tablet()) {}
};
