// The game hub: the player's points per category and their total, the user name and ranking
// position, the way into each category's gun selection and the ranking list, and three panels
// that slide in and out (settings, after log-in, user details). Each time it appears it
// recomputes the totals, reports the total to the leaderboard, sends it to the global ranking
// for a logged-in user and starts a backup when the total grew. The tablet twin only selects
// the tablet profile.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/GameMenuValues.h"
#include "online/ServiceCall.h"
#include "platform/ViewController.h"

class ActivityIndicatorView;
class ImageView;
class Label;
class SoundPlayer;
class Switch;
class TextField;
class Timer;

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

    // The account actions of the panels (requests to the web service).
    void loginClick();
    void joinClick();
    void joinStep2Click();
    void forgetClick();
    void logoutClick();
    void autologinChangeAndSave();
    void saveLoginToSettings(const std::string& name);
    void getLogin(const std::string& userName, const std::string& secret);
    void getJoinStep1(const std::string& userName, const std::string& secret);
    void getJoinStep2(const std::string& userName, const std::string& secret,
                      const std::string& mail, const std::string& country);
    void getForgot(const std::string& userName);
    // Sends the total to the global ranking; the reply is the player's place, shown in rankLabel.
    void sendScoresToGlobalRankingForUser(const std::string& userName);

    bool isShowSettingsView() const { return isShowSettingsView_; }
    bool isShowAfterLoginView() const { return isShowAfterLoginView_; }
    bool isShowUserDetailsView() const { return isShowUserDetailsView_; }
    const std::vector<std::string>& pickerArray() const { return pickerArray_; }
    bool isLoading() const { return isLoading_; }
    bool isLogin() const { return isLogin_; }
    bool isJoinStep1() const { return isJoinStep1_; }
    bool isJoinStep2() const { return isJoinStep2_; }
    bool isForgot() const { return isForgot_; }
    bool isSendingScoresToGlobalRanking() const { return isSendingScoresToGlobalRanking_; }
    bool isFirstSendigScoreToGlobalRanking() const { return isFirstSendigScoreToGlobalRanking_; }

private:
    enum class AccountRequest { Login, JoinStep1, JoinStep2, Forgot };

    void openCategory(const char* soundName, const char* category);
    void connectOutlets();
    void showLoggedIn(bool loggedIn);
    void resignTextFields();
    // Slides PANEL in (SHOW) or out by OFFSET unless SHOWN already says it is there.
    static void slidePanel(View& panel, bool& shown, bool show, double offset);
    static void reportToLeaderboard(int64_t total);

    bool& flagOf(AccountRequest kind);
    // Sends an account request unless one is under way; the reply is handled as KIND, for
    // USERNAME, the name it carried.
    void sendAccountRequest(AccountRequest kind, UrlRequest request, const std::string& userName);
    void accountReplyArrived(AccountRequest kind, const std::string& userName,
                             const ServiceReply& reply);
    // The request failed or could not be made: the hub takes requests again.
    void accountRequestFailed(AccountRequest kind);
    void loggedIn(AccountRequest kind, const std::string& userName);
    void askToDownloadDatabase();
    // Runs CALL on the hub DELAY seconds from now, unless the hub is gone by then.
    void afterDelay(double delay, void (GameMenuController::*call)());
    // An alert whose buttons reach the hub only while it exists.
    void showAlert(std::string title, std::string message, std::vector<std::string> buttons,
                   std::function<void(GameMenuController&, int)> clicked);

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
    bool isLoading_ = false;
    bool isJoinStep1_ = false;
    bool isJoinStep2_ = false;
    bool isLogin_ = false;
    bool isForgot_ = false;
    std::unique_ptr<SoundPlayer> soundsGame;
    bool isSendingScoresToGlobalRanking_ = false;
    bool isFirstSendigScoreToGlobalRanking_ = false;

    // One call per kind of request, each with its own reply buffer, so a submission's reply can
    // never be read as an account reply or the other way round.
    ServiceCall accountCall_;
    ServiceCall scoreCall_;
    std::shared_ptr<Timer> aTimer;
    std::vector<std::shared_ptr<Timer>> refreshTimers_;
    // Expires with the hub; alert buttons check it.
    std::shared_ptr<GameMenuController*> self_ = std::make_shared<GameMenuController*>(this);
};

class GameMenuController_ipad : public GameMenuController {
public:
    GameMenuController_ipad() : GameMenuController(DeviceProfile::tablet()) {}
};
