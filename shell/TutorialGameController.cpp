// The tutorial menu.
#include "shell/TutorialGameController.h"

#include <memory>

#include "platform/NavigationController.h"
#include "shell/TutorialInsideController.h"

TutorialGameController::TutorialGameController(const DeviceProfile& profile)
    : ViewController(profile, "TutorialGameController") {
    addAction("machineGunsTutorial", [this] { machineGunsTutorial(); });
    addAction("pistolsTutorial", [this] { pistolsTutorial(); });
    addAction("machinePistolsTutorial", [this] { machinePistolsTutorial(); });
    addAction("backButton", [this] { backButton(); });
}

void TutorialGameController::machineGunsTutorial() {
    playTutorial("tutorial1");
}

void TutorialGameController::pistolsTutorial() {
    playTutorial("tutorial2");
}

void TutorialGameController::machinePistolsTutorial() {
    playTutorial("tutorial3");
}

void TutorialGameController::playTutorial(const std::string& movie) {
    if (!navigationController()) {
        return;
    }
    navigationController()->pushViewController(
        TutorialInsideController::initWithMP4(profile(), movie), true);
}

void TutorialGameController::backButton() {
    if (navigationController()) {
        navigationController()->popViewControllerAnimated(true);
    }
}
