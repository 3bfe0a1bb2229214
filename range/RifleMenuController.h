// The simulator gun menu: the 22 simulator guns side by side on a horizontally scrolling strip.
// An entry whose category the assembly game has unlocked opens the simulator for its gun; an
// entry of a locked category slides a lock notice into view over the part of the strip shown.
// The unlock flags are read from the settings once, when the view loads. The tablet twin only
// selects the tablet profile.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/DeviceProfile.h"
#include "platform/Geometry.h"
#include "platform/ViewController.h"

class ImageView;
class ScrollView;

// What differs between the profiles: the strip's content, its background's frame and how far
// the lock notice slides.
struct RifleMenuValues {
    Size contentSize;
    Rect backgroundFrame;
    double lockSlide;

    static RifleMenuValues forProfile(const DeviceProfile& profile) {
        if (profile.isTablet()) {
            return {{3840, 640}, {0, 64, 3840, 640}, 625};
        }
        return {{1920, 320}, {0, 0, 1920, 320}, 280};
    }
};

class RifleMenuController : public ViewController {
public:
    static constexpr double kLockSlideDuration = 1.75;
    static constexpr double kLockInset = 75;

    explicit RifleMenuController(const DeviceProfile& profile = DeviceProfile::phone());

    void viewDidLoad() override;

    // The entry actions gun1 … gun22.
    void gun(int menuEntry);
    void showLockView();
    void hideLockView();
    void back();

    bool isShowLockView() const { return isShowLockView_; }
    // The unlock flag of a category, as read when the view loaded.
    int32_t unlockFlag(std::string_view category) const;

private:
    void readFlags();
    void moveLockView(double slide);

    RifleMenuValues values_;
    ScrollView* scroll_ = nullptr;
    ImageView* background_ = nullptr;
    View* lockView_ = nullptr;
    bool isShowLockView_ = false;

    int32_t unlockHundgun_ = 0;
    int32_t unlockRifles_ = 0;
    int32_t unlockMachineguns_ = 0;
    int32_t unlockShotgun_ = 0;
    int32_t unlockSniper_ = 0;
    int32_t unlockSubmachine_ = 0;
};

class RifleMenuController_ipad : public RifleMenuController {
public:
    RifleMenuController_ipad() : RifleMenuController(DeviceProfile::tablet()) {}
};
