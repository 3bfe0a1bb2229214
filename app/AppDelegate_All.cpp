// The application state and the launch sequence.
#include "app/AppDelegate_All.h"

#include <cassert>

#include "app/ScoreDatabase.h"
#include "app/SettingManagement.h"
#include "app/TextValue.h"
#include "online/SynchronizationPhone.h"
#include "platform/Bundle.h"
#include "platform/NavigationController.h"
#include "platform/ScreenRegistry.h"
#include "platform/Window.h"

namespace {

AppDelegate_All* sharedInstance = nullptr;

// The root of the navigation stack: the profile's intro screen, or an empty screen where the
// intro is not registered (tests of the state alone).
std::unique_ptr<ViewController> makeIntroScreen(const DeviceProfile& profile) {
    const std::string intro = "IntroController" + std::string(profile.layoutSuffix());
    if (std::unique_ptr<ViewController> screen =
            ScreenRegistry::shared().create(intro, profile, {})) {
        return screen;
    }
    return std::make_unique<ViewController>(profile, "");
}

std::string valueFor(const StringMap& settings, const char* key) {
    auto entry = settings.find(key);
    return entry == settings.end() ? std::string() : entry->second;
}

}  // namespace

AppDelegate_All::AppDelegate_All(DeviceProfile profile)
    : profile_(profile),
      window_(std::make_unique<Window>(profile.screenSize())),
      navigationController_(
          std::make_unique<NavigationController>(profile, makeIntroScreen(profile))) {
    assert(!sharedInstance && "only one application state at a time");
    sharedInstance = this;
}

AppDelegate_All::~AppDelegate_All() {
    // The screens go before the state they may reach through shared().
    navigationController_.reset();
    window_.reset();
    sharedInstance = nullptr;
}

AppDelegate_All& AppDelegate_All::shared() {
    assert(sharedInstance && "the application state is made before any screen");
    return *sharedInstance;
}

bool AppDelegate_All::didFinishLaunching() {
    login = "defaultUser";
    score = "0 pts";
    readSettings();
    ScoreDatabase::createEditableCopyOfDatabaseIfNeeded();
    window_->setRootViewController(*navigationController_);
    ktoreMenuFirearms = 0;
    return true;
}

void AppDelegate_All::readSettings() {
    const std::string path = Bundle::main().pathInDocuments("settings.plist");
    // Read before the template is copied: on the very first start nothing is read, and the
    // template's values take effect from the second start on.
    StringMap settings = PropertyList::readStringMap(path).value_or(StringMap{});
    SettingManagement().settingsPath();

    login = valueFor(settings, "login");
    score = valueFor(settings, "score");
    is_updated = valueFor(settings, "is_updated");
    music = valueFor(settings, "music");
    autologin = valueFor(settings, "autologin");
    is_first_login = valueFor(settings, "is_first_login");
    ustawienia = std::move(settings);

    if (intValue(is_updated) == 0) {
        SynchronizationPhone().sendDatabaseToServer();
    }
}

bool AppDelegate_All::isLoggedIn() const {
    return !login.empty() && login != "defaultUser";
}
