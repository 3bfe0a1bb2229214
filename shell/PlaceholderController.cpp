// The stand-in screen.
#include "shell/PlaceholderController.h"

#include "platform/Label.h"
#include "platform/NavigationController.h"

PlaceholderController::PlaceholderController(const DeviceProfile& profile, std::string title)
    : ViewController(profile, "PlaceholderController"), title_(std::move(title)) {
    addAction("backButton", [this] { backButton(); });
}

void PlaceholderController::viewDidLoad() {
    if (auto* label = outlet<Label>("titleLabel")) {
        label->setText(title_);
    }
}

void PlaceholderController::backButton() {
    if (navigationController()) {
        navigationController()->popViewControllerAnimated(true);
    }
}
