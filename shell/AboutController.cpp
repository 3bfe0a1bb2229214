// The about page.
#include "shell/AboutController.h"

#include "platform/NavigationController.h"

AboutController::AboutController(const DeviceProfile& profile)
    : ViewController(profile, "AboutController") {
    addAction("backButton", [this] { backButton(); });
}

void AboutController::backButton() {
    if (navigationController()) {
        navigationController()->popViewControllerAnimated(true);
    }
}
