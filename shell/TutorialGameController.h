// The tutorial menu: three tutorial movies, each played full screen by its own movie screen,
// and a way back to the main menu.
#pragma once

#include <string>

#include "platform/ViewController.h"

class TutorialGameController : public ViewController {
public:
    explicit TutorialGameController(const DeviceProfile& profile = DeviceProfile::phone());

    void machineGunsTutorial();
    void pistolsTutorial();
    void machinePistolsTutorial();
    void backButton();

private:
    // Pushes the movie screen of the movie resource `movie` (type "mp4"), animated.
    void playTutorial(const std::string& movie);
};

class TutorialGameController_ipad : public TutorialGameController {
public:
    TutorialGameController_ipad() : TutorialGameController(DeviceProfile::tablet()) {}
};
