// Firing: the trigger press and release, the two halves of each shot on the shot clock,
// smoke and the casing sound, the mode control and reload.
//
// A press fires as its start found the mode label: its release acts by that same mode, so a
// mode change during a press cannot leave a burst firing with no finger on the trigger, nor
// cut a single shot between its sound and its counted round. A cancelled trigger touch (the
// window lost the finger) is a release.
#include "app/TextValue.h"
#include "platform/ImageView.h"
#include "platform/Label.h"
#include "platform/RunLoop.h"
#include "platform/SoundPlayer.h"
#include "platform/Timer.h"
#include "platform/Touch.h"
#include "range/RifleRangeGameController.h"
#include "range/SimulatorGunTable.h"

namespace {

constexpr double kShotTickInterval = 0.05;
constexpr const char* kAutomaticLabel = "\xE2\x88\x9E";  // "∞"
constexpr int32_t kAutomaticTicks = 10000;
// The recoil tilt of the shot half and of the return half, in radians (clockwise on screen:
// the muzzle, on the left, rises).
constexpr double kShotTilt = 0.0157;
constexpr double kReturnTilt = 0.0209333;

}  // namespace

TouchSet RifleRangeGameController::triggerTouches(const TouchSet& touches) const {
    TouchSet onTrigger;
    for (Touch* touch : touches) {
        if (active_gun_ && touch->view() == active_gun_) {
            onTrigger.push_back(touch);
        }
    }
    return onTrigger;
}

void RifleRangeGameController::touchesBegan(const TouchSet& touches, const TouchEvent&) {
    for (size_t i = 0; i < triggerTouches(touches).size(); ++i) {
        pressTrigger();
    }
}

void RifleRangeGameController::touchesEnded(const TouchSet& touches, const TouchEvent&) {
    for (size_t i = 0; i < triggerTouches(touches).size(); ++i) {
        releaseTrigger();
    }
}

void RifleRangeGameController::touchesCancelled(const TouchSet& touches, const TouchEvent& event) {
    touchesEnded(touches, event);
}

bool RifleRangeGameController::labelReadsAutomatic() const {
    return modeLabel_->text() == kAutomaticLabel;
}

int RifleRangeGameController::labelShotCount() const {
    return intValue(modeLabel_->text());
}

void RifleRangeGameController::pressTrigger() {
    stopTimer();
    animateRepeat_ = 0;
    if (ammoStatus_ == 0) {
        ++ktoreKlikniecie_;
    }
    pressIsAutomatic_ = labelReadsAutomatic();
    animateMaxRepeat_ = pressIsAutomatic_ ? kAutomaticTicks : 2 * labelShotCount();
    aTimer_ = RunLoop::main().scheduleTimer(kShotTickInterval, true, [this] { animate(); });
    if (!pressIsAutomatic_ && ammoStatus_ != 0) {
        dymek();
    }
}

void RifleRangeGameController::releaseTrigger() {
    if (ktoreKlikniecie_ <= 0 && ammoStatus_ > 0 && pressIsAutomatic_) {
        dymek();
    }
    if (pressIsAutomatic_) {
        stopTimer();
        resetTilt();
    }
    if (ammoStatus_ == 0) {
        stopTimer();
    }
}

void RifleRangeGameController::animate() {
    if (ammoStatus_ <= 0) {
        return;
    }
    if (asNormal_) {
        asNormal_ = false;
        const int slot = ktoryStrzal_;
        ktoryStrzal_ = slot == kShotSlots - 1 ? 0 : slot + 1;
        // Replacing the slot's player ends the shot it played eight shots ago.
        play_[static_cast<size_t>(slot)] = playSound(rodzajStrzalu_);
        fire_->setHidden(false);
        fire_->setAnimationImages(values_.flashFrames(rodzajBlysku_));
        fire_->setAnimationRepeatCount(1);
        fire_->startAnimating();
        gun_->setTransform(AffineTransform::rotation(kShotTilt));
    } else {
        asNormal_ = true;
        gun_->setTransform(AffineTransform::rotation(kReturnTilt));
        --ammoStatus_;
        showAmmo(ammoStatus_);
    }
    ++animateRepeat_;
    if (animateRepeat_ == animateMaxRepeat_) {
        resetTilt();
        stopTimer();
    }
    if (ammoStatus_ == 0) {
        dymek();
        resetTilt();
    }
}

void RifleRangeGameController::resetTilt() {
    gun_->setTransform(AffineTransform::identity());
}

void RifleRangeGameController::dymek() {
    dymek_->setHidden(false);
    dymek_->setAnimationImages(values_.smokeFrames());
    dymek_->setAnimationRepeatCount(1);
    dymek_->startAnimating();
    losowyDzwiekLuski();
}

void RifleRangeGameController::losowyDzwiekLuski() {
    luska_ = playSound("luska_1");
}

void RifleRangeGameController::changeMode() {
    switch (modeControlFor(id_gun_)) {
        case ModeControl::SingleOnly:
            modeLabel_->setText("1");
            modeStatus_ = 1;
            break;
        case ModeControl::SelectFire:
            if (modeStatus_ == 1) {
                modeLabel_->setText(kAutomaticLabel);
                modeStatus_ = 2;
            } else if (modeStatus_ == 2) {
                modeLabel_->setText("1");
                modeStatus_ = 1;
            }
            break;
        case ModeControl::Inactive:
            break;
    }
}

void RifleRangeGameController::reload() {
    ktoreKlikniecie_ = 0;
    przeladuj_ = playSound(rodzajReload_);
    showAmmo(gunAmmo_);
    ammoStatus_ = gunAmmo_;
}

void RifleRangeGameController::hideFire() {
    fire_->setHidden(true);
}

// A missing sound resource gives no player: silence, and nothing else changes.
std::unique_ptr<SoundPlayer> RifleRangeGameController::playSound(const std::string& name) {
    std::unique_ptr<SoundPlayer> player = SoundPlayer::create(name, "aif");
    if (player) {
        player->play();
    }
    return player;
}
