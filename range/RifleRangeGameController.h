// The firing simulator: one gun on the shooting range. Loading the view configures it from the
// simulator's gun table; pressing the trigger area fires single shots or automatic fire, each
// shot in two timer ticks (sound, flash and recoil tilt, then the round counted), with smoke
// and a shell-casing sound after a single shot, at the end of a burst and at the last round.
// The mode control switches select-fire guns between single and automatic fire; the reload
// control refills the magazine. The tablet twin only selects the tablet profile.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/ViewController.h"
#include "range/RifleRangeValues.h"

class ImageView;
class Label;
class SoundPlayer;
class Timer;

class RifleRangeGameController : public ViewController {
public:
    static constexpr int kShotSlots = 8;

    // initWithIdGun:
    explicit RifleRangeGameController(int idGun,
                                      const DeviceProfile& profile = DeviceProfile::phone());
    ~RifleRangeGameController() override;

    void viewDidLoad() override;
    void viewWillDisappear(bool animated) override;

    void touchesBegan(const TouchSet& touches, const TouchEvent& event) override;
    void touchesEnded(const TouchSet& touches, const TouchEvent& event) override;
    void touchesCancelled(const TouchSet& touches, const TouchEvent& event) override;

    // One half of a shot; run by each tick of aTimer.
    void animate();
    // Smoke and the shell-casing sound.
    void dymek();
    void losowyDzwiekLuski();
    void changeMode();
    void reload();
    void hideFire();
    void backClick();

    // State that tests read.
    int32_t id_gun() const { return id_gun_; }
    int32_t gunAmmo() const { return gunAmmo_; }
    int32_t ammoStatus() const { return ammoStatus_; }
    int32_t modeStatus() const { return modeStatus_; }
    bool asNormal() const { return asNormal_; }
    int32_t rodzajBlysku() const { return rodzajBlysku_; }
    const std::string& rodzajStrzalu() const { return rodzajStrzalu_; }
    const std::string& rodzajReload() const { return rodzajReload_; }
    int32_t animateRepeat() const { return animateRepeat_; }
    int32_t animateMaxRepeat() const { return animateMaxRepeat_; }
    int32_t ktoreKlikniecie() const { return ktoreKlikniecie_; }
    int32_t ktoryStrzal() const { return ktoryStrzal_; }
    bool isTimerRunning() const;
    // Slot 0 is `play`, slots 1 to 7 are `play1` … `play7`.
    const SoundPlayer* shotPlayer(int slot) const;
    const SoundPlayer* luska() const { return luska_.get(); }
    const SoundPlayer* przeladuj() const { return przeladuj_.get(); }

private:
    void connectOutlets();
    void configureGun();
    // The fire mode of modeLabel: "∞" is automatic fire.
    bool labelReadsAutomatic() const;
    int labelShotCount() const;
    void pressTrigger();
    void releaseTrigger();
    void stopTimer();
    void resetTilt();
    void showAmmo(int32_t rounds);
    static std::unique_ptr<SoundPlayer> playSound(const std::string& name);
    // The touches of `touches` that belong to the trigger area.
    TouchSet triggerTouches(const TouchSet& touches) const;

    int32_t id_gun_;
    RifleRangeValues values_;

    int32_t modeStatus_ = 1;
    bool asNormal_ = true;
    int32_t rodzajBlysku_ = 1;
    std::string rodzajStrzalu_ = "1";
    std::string rodzajReload_ = "load_handgun";
    int32_t gunAmmo_ = 0;
    int32_t ammoStatus_ = 0;

    std::shared_ptr<Timer> aTimer_;
    int32_t animateRepeat_ = 0;
    int32_t animateMaxRepeat_ = 0;
    // Whether the press under way fires automatically: its release acts by the mode it
    // started with, not by a mode chosen since.
    bool pressIsAutomatic_ = false;
    int32_t ktoreKlikniecie_ = 0;
    int32_t ktoryStrzal_ = 0;

    std::array<std::unique_ptr<SoundPlayer>, kShotSlots> play_;
    std::unique_ptr<SoundPlayer> luska_;
    std::unique_ptr<SoundPlayer> przeladuj_;

    // Outlets.
    View* active_gun_ = nullptr;
    View* gunview_ = nullptr;
    ImageView* gun_ = nullptr;
    ImageView* fire_ = nullptr;
    ImageView* dymek_ = nullptr;
    ImageView* naboj_ = nullptr;
    Label* ammoLabel_ = nullptr;
    Label* modeLabel_ = nullptr;
};

class RifleRangeGameController_ipad : public RifleRangeGameController {
public:
    explicit RifleRangeGameController_ipad(int idGun)
        : RifleRangeGameController(idGun, DeviceProfile::tablet()) {}
};
