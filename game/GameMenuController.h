// The game hub: the player's points per category and their total, the user name and ranking
// position, the way into each category's gun selection and the ranking list, and three panels
// that slide in and out (settings, after log-in, user details). Each time it appears it
// recomputes the totals, reports the total to the leaderboard, sends it to the global ranking
// for a logged-in user and starts a backup when the total grew. The tablet twin only selects
// the tablet profile.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/GameMenuValues.h"
#include "platform/ViewController.h"

class ActivityIndicatorView;
class ImageView;
class Label;
class SoundPlayer;
class Switch;
class TextField;

class GameMenuController : public ViewController {
public:
    explicit GameMenuController(const DeviceProfile& profile = DeviceProfile::phone());
    ~GameMenuController() override;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    // The six categories, in the order their totals are computed.
    void handguns();
    void submachine();
    void rifles();
    void machine();
    void sniper();
    void shotgun();

    void ranking();
    void backButton();
    void preloadScore();
    std::string getSumScoresForCategory(const std::string& category) const;
    void getPositionOnRanking();
    void zmienSoundGame(const std::string& soundName);

    // The panels.
    void showSettingsView();
    void applySettings();
    void showAfterLoginView();
    void hideAfterLoginView();
    void showUserDetailsView();
    void hideUserDetailsView();
    void showSettingsViewOrAfterLoginView();
    // The return key of a text field: the field gives up the keyboard.
    bool textFieldShouldReturn(TextField& field);

    // The account actions of the panels, and the ranking submission: their requests to the web
    // service come with the account screens; until then they change nothing.
    void loginClick() {}
    void joinClick() {}
    void joinStep2Click() {}
    void forgetClick() {}
    void logoutClick() {}
    void autologinChangeAndSave() {}
    void sendScoresToGlobalRankingForUser(const std::string& userName) { (void)userName; }

    bool isShowSettingsView() const { return isShowSettingsView_; }
    bool isShowAfterLoginView() const { return isShowAfterLoginView_; }
    bool isShowUserDetailsView() const { return isShowUserDetailsView_; }
    const std::vector<std::string>& pickerArray() const { return pickerArray_; }

private:
    void openCategory(const char* soundName, const char* category);
    void connectOutlets();
    void showLoggedIn(bool loggedIn);
    void resignTextFields();
    // Slides PANEL in (SHOW) or out by OFFSET unless SHOWN already says it is there.
    static void slidePanel(View& panel, bool& shown, bool show, double offset);
    static void reportToLeaderboard(int64_t total);

    GameMenuValues values_;

    Label* usernameLabel = nullptr;
    Label* rankLabel = nullptr;
    Label* handgunsTotalPoints = nullptr;
    Label* submachineTotalPoints = nullptr;
    Label* riflesTotalPoints = nullptr;
    Label* machineTotalPoints = nullptr;
    Label* sniperTotalPoints = nullptr;
    Label* shotgunsTotalPoints = nullptr;
    Label* totalPointsLabel = nullptr;
    ImageView* greenDot = nullptr;
    View* userDetailsView = nullptr;
    bool isShowUserDetailsView_ = false;
    View* settingsView = nullptr;
    bool isShowSettingsView_ = false;
    View* afterLoginView = nullptr;
    bool isShowAfterLoginView_ = false;
    Switch* autologowanie = nullptr;
    Label* usernameLabel2 = nullptr;
    Label* messageLabel = nullptr;
    ActivityIndicatorView* indicator = nullptr;
    TextField* login = nullptr;
    TextField* password = nullptr;
    TextField* email = nullptr;
    Label* selectedCountryLabel = nullptr;
    std::vector<std::string> pickerArray_;
    std::unique_ptr<SoundPlayer> soundsGame;
};

class GameMenuController_ipad : public GameMenuController {
public:
    GameMenuController_ipad() : GameMenuController(DeviceProfile::tablet()) {}
};
