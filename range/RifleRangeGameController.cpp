// The simulator screen: its outlets and the load sequence that configures the gun. Firing,
// the mode control and reload are in RifleRangeFiring.cpp.
#include "range/RifleRangeGameController.h"

#include "platform/ImageView.h"
#include "platform/Label.h"
#include "platform/NavigationController.h"
#include "platform/SoundPlayer.h"
#include "platform/Timer.h"
#include "range/SimulatorGunTable.h"

RifleRangeGameController::RifleRangeGameController(int idGun, const DeviceProfile& profile)
    : ViewController(profile, "RifleRangeGameController"),
      id_gun_(idGun),
      values_(RifleRangeValues::forProfile(profile)) {
    addAction("changeMode", [this] { changeMode(); });
    addAction("reload", [this] { reload(); });
    addAction("backClick", [this] { backClick(); });
}

// The shot clock calls back into this screen: it must not outlive it.
RifleRangeGameController::~RifleRangeGameController() {
    stopTimer();
}

void RifleRangeGameController::connectOutlets() {
    View& root = view();
    active_gun_ = requireOutlet<View>(*this, root, "active_gun");
    gunview_ = requireOutlet<View>(*this, root, "gunview");
    gun_ = requireOutlet<ImageView>(*this, *gunview_, "gun");
    fire_ = requireOutlet<ImageView>(*this, *gunview_, "fire");
    dymek_ = requireOutlet<ImageView>(*this, *gunview_, "dymek");
    naboj_ = requireOutlet<ImageView>(*this, *gunview_, "naboj");
    ammoLabel_ = requireOutlet<Label>(*this, root, "ammoLabel");
    modeLabel_ = requireOutlet<Label>(*this, root, "modeLabel");
}

void RifleRangeGameController::viewDidLoad() {
    connectOutlets();
    modeLabel_->setText("1");
    modeStatus_ = 1;
    asNormal_ = true;
    rodzajBlysku_ = 1;
    rodzajStrzalu_ = "1";
    rodzajReload_ = "load_handgun";

    fire_->setHidden(true);
    naboj_->setHidden(true);
    dymek_->setHidden(false);

    dymek_->setAnimationImages(RifleRangeValues::openingSmokeFrames());
    dymek_->setAnimationRepeatCount(1);
    dymek_->startAnimating();
    // The phone also runs its smoke routine now. It runs here on the main thread, as views and
    // players must, so its smoke takes the place of the opening frames and "luska_1" plays once.
    if (values_.smokeRoutineAtLoad) {
        dymek();
    }

    configureGun();
    showAmmo(gunAmmo_);
    ammoStatus_ = gunAmmo_;
}

// An id without a row leaves the layout's pictures and an empty magazine.
void RifleRangeGameController::configureGun() {
    const SimulatorGunConfig* config = findSimulatorGun(id_gun_);
    if (!config) {
        return;
    }
    const SimulatorPlacement& placement = config->placement(values_.tablet);
    gun_->setImage(values_.pictureName(config->image));
    // The recoil tilt pivots about the picture's bottom-right corner.
    gun_->setAnchorPoint({1, 1});
    const Size natural = gun_->imageSize();
    gunview_->setFrame({placement.gunOrigin.x, placement.gunOrigin.y,
                        natural.width * placement.scale, natural.height * placement.scale});
    gun_->setFrame({0, 0, gunview_->frame().width, gunview_->frame().height});

    rodzajBlysku_ = config->rodzajBlysku;
    if (config->rodzajStrzalu) {
        rodzajStrzalu_ = config->rodzajStrzalu;
    }
    if (config->rodzajReload) {
        rodzajReload_ = config->rodzajReload;
    }
    gunAmmo_ = placement.gunAmmo;

    dymek_->setFrame({placement.smokeOrigin.x, placement.smokeOrigin.y, values_.smokeSize.width,
                      values_.smokeSize.height});
    fire_->setFrame({placement.flashOrigin.x, placement.flashOrigin.y, values_.flashSize.width,
                     values_.flashSize.height});
}

void RifleRangeGameController::showAmmo(int32_t rounds) {
    ammoLabel_->setText(std::to_string(rounds));
}

void RifleRangeGameController::viewWillDisappear(bool) {
    stopTimer();
}

void RifleRangeGameController::backClick() {
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewControllerAnimated(true);
    }
}

bool RifleRangeGameController::isTimerRunning() const {
    return aTimer_ && aTimer_->isValid();
}

const SoundPlayer* RifleRangeGameController::shotPlayer(int slot) const {
    if (slot < 0 || slot >= kShotSlots) {
        return nullptr;
    }
    return play_[static_cast<size_t>(slot)].get();
}

void RifleRangeGameController::stopTimer() {
    if (aTimer_) {
        aTimer_->invalidate();
        aTimer_.reset();
    }
}
