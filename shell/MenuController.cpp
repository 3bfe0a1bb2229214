// The main menu.
#include "shell/MenuController.h"

#include <cstdio>

#include "app/AppDelegate_All.h"
#include "app/MoveField.h"
#include "app/SettingManagement.h"
#include "app/TextValue.h"
#include "platform/NavigationController.h"
#include "platform/RunLoop.h"
#include "platform/ScreenRegistry.h"
#include "platform/Switch.h"

namespace {

// The pause between the steps of the settings window's bounce: one slide each.
constexpr double kSlideSeconds = 0.5;

}  // namespace

MenuController::MenuController(const DeviceProfile& profile)
    : ViewController(profile, "MenuController") {
    addAction("game", [this] { game(); });
    addAction("rifleRange", [this] { rifleRange(); });
    addAction("firearms", [this] { firearms(); });
    addAction("ravuravov", [this] { ravuravov(); });
    addAction("tutorial", [this] { tutorial(); });
    addAction("about", [this] { about(); });
    addAction("showSettingsWindow", [this] { showSettingsWindow(); });
    addAction("saveMusicToSettings", [this] { saveMusicToSettings(); });
    addAction("applySettings", [this] { applySettings(); });
}

MenuController::~MenuController() {
    if (aTimer_) {
        aTimer_->invalidate();
    }
}

void MenuController::game() {
    openEntry("trigger_4_GOOD", "GameMenuController");
}
void MenuController::rifleRange() {
    openEntry("trigger_3", "RifleMenuController");
}
void MenuController::firearms() {
    openEntry("trigger_2", "MenuFirearmsController");
}
void MenuController::ravuravov() {
    openEntry("trigger_3", "RavuravovController");
}
void MenuController::tutorial() {
    openEntry("trigger", "TutorialGameController");
}
void MenuController::about() {
    openEntry("trigger_4_GOOD", "AboutController");
}

void MenuController::openEntry(const char* soundName, const char* screenClass) {
    if (muzykaMenu_) {
        muzykaMenu_->stop();
    }
    zmienSoundMenu(soundName);
    std::string className = std::string(screenClass) + std::string(profile().layoutSuffix());
    std::string error;
    std::unique_ptr<ViewController> screen =
        ScreenRegistry::shared().create(className, profile(), {}, &error);
    if (!screen) {
        std::fprintf(stderr, "MenuController: cannot open %s: %s\n", className.c_str(),
                     error.c_str());
        return;
    }
    navigationController()->pushViewController(std::move(screen), true);
}

void MenuController::zmienSoundMenu(const std::string& soundName) {
    soundsMenu_ = SoundPlayer::create(soundName, "aif");
    if (soundsMenu_) {
        soundsMenu_->play();
    }
}

void MenuController::checkMusic() {
    if (musicSwitch_ && musicSwitch_->isOn()) {
        muzykaMenu_ = SoundPlayer::create("Menu_loop", "aif");
        if (muzykaMenu_) {
            muzykaMenu_->setNumberOfLoops(-1);
            muzykaMenu_->play();
        }
    } else if (muzykaMenu_ && muzykaMenu_->isPlaying()) {
        muzykaMenu_->stop();
    }
}

void MenuController::viewDidLoad() {
    settingsView_ = outletView("settingsView");
    musicSwitch_ = outlet<Switch>("musicSwitch");
}

void MenuController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    if (musicSwitch_ && intValue(AppDelegate_All::shared().music) == 0) {
        musicSwitch_->setOn(false);
    }
    checkMusic();
}

void MenuController::saveMusicToSettings() {
    const std::string value = musicSwitch_ && musicSwitch_->isOn() ? "1" : "0";
    AppDelegate_All::shared().music = value;
    SettingManagement().saveSetting("music", value);
    checkMusic();
    applySettings();
}

void MenuController::showSettingsWindow() {
    if (isShowSettingsView_) {
        return;
    }
    isShowSettingsView_ = true;
    moveSettingsView(-200);
    aTimer_ =
        RunLoop::main().performAfterDelay(kSlideSeconds, [this] { animacja2showSettingsWindow(); });
}

void MenuController::animacja2showSettingsWindow() {
    moveSettingsView(40);
    aTimer_ =
        RunLoop::main().performAfterDelay(kSlideSeconds, [this] { animacja3showSettingsWindow(); });
}

void MenuController::animacja3showSettingsWindow() {
    moveSettingsView(-20);
}

void MenuController::applySettings() {
    if (!isShowSettingsView_) {
        return;
    }
    isShowSettingsView_ = false;
    moveSettingsView(180);
}

void MenuController::moveSettingsView(double offset) {
    if (settingsView_) {
        moveField(*settingsView_, offset);
    }
}
