// The gallery's category menu.
#include "range/MenuFirearmsController.h"

#include <memory>

#include "app/AppDelegate_All.h"
#include "platform/NavigationController.h"
#include "range/FirearmsGalleryTable.h"
#include "range/FirearmsInsideController.h"

MenuFirearmsController::MenuFirearmsController(const DeviceProfile& profile)
    : ViewController(profile, "MenuFirearmsController") {
    for (const FirearmsCategory& category : firearmsCategories()) {
        addAction(category.action, [this, &category] { openCategory(category); });
    }
    addAction("backButton", [this] { backButton(); });
}

void MenuFirearmsController::openCategory(const FirearmsCategory& category) {
    AppDelegate_All::shared().ktoreMenuFirearms = category.ktoreMenuFirearms;
    NavigationController* navigation = navigationController();
    if (!navigation) {
        return;
    }
    std::unique_ptr<FirearmsInsideController> gallery;
    if (profile().isTablet()) {
        gallery = std::make_unique<FirearmsInsideController_ipad>();
    } else {
        gallery = std::make_unique<FirearmsInsideController>();
    }
    gallery->iloscEkranow(category.pages);
    navigation->pushViewController(std::move(gallery), true);
}

void MenuFirearmsController::backButton() {
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewControllerAnimated(true);
    }
}
