// The simulator gun menu.
#include "range/RifleMenuController.h"

#include <memory>
#include <string>

#include "app/AppDelegate_All.h"
#include "app/MoveField.h"
#include "app/TextValue.h"
#include "platform/ImageView.h"
#include "platform/NavigationController.h"
#include "platform/ScrollView.h"
#include "range/RifleRangeGameController.h"
#include "range/SimulatorGunTable.h"

namespace {

std::string entryName(int menuEntry) {
    return "gun" + std::to_string(menuEntry);
}

}  // namespace

RifleMenuController::RifleMenuController(const DeviceProfile& profile)
    : ViewController(profile, "RifleMenuController"),
      values_(RifleMenuValues::forProfile(profile)) {
    for (const SimulatorGunConfig& config : simulatorGuns()) {
        addAction(entryName(config.menuEntry), [this, entry = config.menuEntry] { gun(entry); });
    }
    addAction("showLockView", [this] { showLockView(); });
    addAction("hideLockView", [this] { hideLockView(); });
    addAction("back", [this] { back(); });
}

void RifleMenuController::readFlags() {
    const StringMap& settings = AppDelegate_All::shared().ustawienia;
    const auto flag = [&settings](const char* key) {
        const auto found = settings.find(key);
        return found == settings.end() ? 0 : intValue(found->second);
    };
    unlockHundgun_ = flag("handgun");
    unlockRifles_ = flag("rifles");
    unlockMachineguns_ = flag("machineguns");
    unlockShotgun_ = flag("shotgun");
    unlockSniper_ = flag("sniper");
    unlockSubmachine_ = flag("submachine");
}

int32_t RifleMenuController::unlockFlag(std::string_view category) const {
    if (category == "handgun") {
        return unlockHundgun_;
    }
    if (category == "rifles") {
        return unlockRifles_;
    }
    if (category == "machineguns") {
        return unlockMachineguns_;
    }
    if (category == "shotgun") {
        return unlockShotgun_;
    }
    if (category == "sniper") {
        return unlockSniper_;
    }
    if (category == "submachine") {
        return unlockSubmachine_;
    }
    return 0;
}

void RifleMenuController::viewDidLoad() {
    View& root = view();
    scroll_ = requireOutlet<ScrollView>(*this, root, "scroll");
    background_ = requireOutlet<ImageView>(*this, *scroll_, "background");
    lockView_ = requireOutlet<View>(*this, *scroll_, "lockView");

    readFlags();
    // Only the pictures follow the flags: an entry's control stays where it is, so a locked
    // entry can still be pressed and shows the notice.
    for (const SimulatorGunConfig& config : simulatorGuns()) {
        if (View* picture = outletView(entryName(config.menuEntry))) {
            picture->setHidden(unlockFlag(config.category) != 1);
        }
    }
    scroll_->setFrame(root.frame());
    scroll_->setContentSize(values_.contentSize);
    background_->setFrame(values_.backgroundFrame);
}

void RifleMenuController::gun(int menuEntry) {
    const SimulatorGunConfig* config = simulatorGunForEntry(menuEntry);
    if (!config) {
        return;
    }
    if (unlockFlag(config->category) == 0) {
        showLockView();
        return;
    }
    if (NavigationController* navigation = navigationController()) {
        std::unique_ptr<ViewController> range;
        if (profile().isTablet()) {
            range = std::make_unique<RifleRangeGameController_ipad>(config->id_gun);
        } else {
            range = std::make_unique<RifleRangeGameController>(config->id_gun);
        }
        navigation->pushViewController(std::move(range), true);
    }
}

// The notice moves at once over the part of the strip in view, then slides vertically.
void RifleMenuController::moveLockView(double slide) {
    Rect frame = lockView_->frame();
    frame.x = scroll_->contentOffset().x + kLockInset;
    lockView_->setFrame(frame);
    moveField(*lockView_, slide, kLockSlideDuration);
}

void RifleMenuController::showLockView() {
    if (isShowLockView_) {
        return;
    }
    moveLockView(values_.lockSlide);
    isShowLockView_ = true;
}

// Guarded like showLockView: a second close would otherwise move the notice further up, out of
// reach for good.
void RifleMenuController::hideLockView() {
    if (!isShowLockView_) {
        return;
    }
    moveLockView(-values_.lockSlide);
    isShowLockView_ = false;
}

void RifleMenuController::back() {
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewControllerAnimated(true);
    }
}
