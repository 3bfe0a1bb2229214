// The one application-wide state object. It is created before the first screen, lives for
// the whole run, and every screen reaches it through AppDelegate_All::shared(). At launch it
// loads the settings, may start a backup upload, makes sure the score database exists and
// shows the navigation stack with the intro at its root; afterwards it only holds state.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/DeviceProfile.h"
#include "platform/PropertyList.h"

class NavigationController;
class Window;

class AppDelegate_All {
public:
    explicit AppDelegate_All(DeviceProfile profile);
    virtual ~AppDelegate_All();
    AppDelegate_All(const AppDelegate_All&) = delete;
    AppDelegate_All& operator=(const AppDelegate_All&) = delete;

    // The instance of the running program. Only one exists at a time.
    static AppDelegate_All& shared();

    // The launch sequence; always reports success.
    bool didFinishLaunching();

    // Loads the settings file into the fields below, copying the template for the next start
    // when there is no file, and starts a backup upload unless the last one was confirmed.
    void readSettings();

    DeviceProfile profile() const { return profile_; }
    Window& window() { return *window_; }
    NavigationController& navigationController() { return *navigationController_; }

    // The state every screen shares. Text fields that the settings did not provide are empty,
    // which every reader takes as empty text with integer value 0.
    int32_t ktoreMenuFirearms = 0;  // open gallery category: 0 handgun … 3 longgun
    bool isLogin = false;
    std::string login = "defaultUser";  // user name results are stored under
    std::string score = "0 pts";
    std::string is_updated;      // "1" once a backup upload was confirmed
    std::string music;           // "1" menu music on, "0" off
    std::string autologin;       // "1" keeps the stored user logged in
    std::string is_first_login;  // "1" after the first log-in uploaded the local results
    std::string position_in_ranking;
    StringMap ustawienia;        // in-memory copy of the settings file
    int32_t poprzedniWynik = 0;  // total the game hub last showed

    // Logged in: a user name other than empty and "defaultUser".
    bool isLoggedIn() const;

private:
    DeviceProfile profile_;
    std::unique_ptr<Window> window_;
    std::unique_ptr<NavigationController> navigationController_;
};

// The phone and tablet delegates select the profile; they add no behaviour.
class AppDelegate_iPhone : public AppDelegate_All {
public:
    AppDelegate_iPhone() : AppDelegate_All(DeviceProfile::phone()) {}
};

class AppDelegate_iPad : public AppDelegate_All {
public:
    AppDelegate_iPad() : AppDelegate_All(DeviceProfile::tablet()) {}
};
