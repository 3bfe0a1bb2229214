// A plain list of the assembly game's guns, one row of numbered buttons per category, that
// opens the play screen of the gun chosen. It stands where the game hub and the gun selection
// will be, so that every gun can be played from the main menu.
#pragma once

#include "platform/ViewController.h"

class GunListController : public ViewController {
public:
    explicit GunListController(const DeviceProfile& profile = DeviceProfile::phone());

    void viewDidLoad() override;
    void backButton();
    void openGun(int idGun);
};

class GunListController_ipad : public GunListController {
public:
    GunListController_ipad() : GunListController(DeviceProfile::tablet()) {}
};
