// The main menu: six entries that open the rest of the game, each with its click sound, the
// looping menu music, and a small settings window that bounces in from below with the music
// switch. Pushed once by the intro, it stays at the bottom of the stack for the whole run.
#pragma once

#include <memory>
#include <string>

#include "platform/SoundPlayer.h"
#include "platform/Timer.h"
#include "platform/ViewController.h"

class Switch;

class MenuController : public ViewController {
public:
    explicit MenuController(const DeviceProfile& profile = DeviceProfile::phone());
    ~MenuController() override;

    // Entries: stop the music, click, push the entry's screen.
    void game();
    void rifleRange();
    void firearms();
    void ravuravov();
    void tutorial();
    void about();

    void showSettingsWindow();
    void saveMusicToSettings();
    void applySettings();
    void checkMusic();
    void zmienSoundMenu(const std::string& soundName);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    bool isShowSettingsView() const { return isShowSettingsView_; }
    const SoundPlayer* muzykaMenu() const { return muzykaMenu_.get(); }
    const SoundPlayer* soundsMenu() const { return soundsMenu_.get(); }

private:
    void openEntry(const char* soundName, const char* screenClass);
    void animacja2showSettingsWindow();
    void animacja3showSettingsWindow();
    // Moves the settings window vertically by `offset` in one "moveField" animation.
    void moveSettingsView(double offset);

    View* settingsView_ = nullptr;
    Switch* musicSwitch_ = nullptr;
    bool isShowSettingsView_ = false;
    std::shared_ptr<Timer> aTimer_;
    std::unique_ptr<SoundPlayer> muzykaMenu_;
    std::unique_ptr<SoundPlayer> soundsMenu_;
};

class MenuController_ipad : public MenuController {
public:
    MenuController_ipad() : MenuController(DeviceProfile::tablet()) {}
};
