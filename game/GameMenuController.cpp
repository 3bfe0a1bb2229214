// The game hub: set-up, refresh, totals and the way into the categories.
#include "game/GameMenuController.h"

#include "app/AppDelegate_All.h"
#include "app/ScoreDatabase.h"
#include "app/TextValue.h"
#include "game/GameInsideController.h"
#include "online/CountryNames.h"
#include "online/RankingController.h"
#include "online/ServiceRequests.h"
#include "online/SynchronizationPhone.h"
#include "platform/ActivityIndicatorView.h"
#include "platform/AlertView.h"
#include "platform/ImageView.h"
#include "platform/Label.h"
#include "platform/NavigationController.h"
#include "platform/Platform.h"
#include "platform/SoundPlayer.h"
#include "platform/Switch.h"
#include "platform/TextField.h"
#include "platform/Timer.h"

namespace {

constexpr const char* kLeaderboardCategory = "kalvorn2";
// The picker starts on row 1, not on the first row.
constexpr int kFirstCountryRow = 1;
// The same place on both profiles.
constexpr Rect kPickerFrame{172, 104, 212, 162};

}  // namespace

GameMenuController::GameMenuController(const DeviceProfile& profile)
    : ViewController(profile, "GameMenuController"), values_(GameMenuValues::forProfile(profile)) {
    addAction("handguns:", [this] { handguns(); });
    addAction("submachine", [this] { submachine(); });
    addAction("rifles", [this] { rifles(); });
    addAction("machine", [this] { machine(); });
    addAction("sniper", [this] { sniper(); });
    addAction("shotgun", [this] { shotgun(); });
    addAction("ranking", [this] { ranking(); });
    addAction("backButton", [this] { backButton(); });
    addAction("showSettingsView", [this] { showSettingsView(); });
    addAction("applySettings", [this] { applySettings(); });
    addAction("showAfterLoginView", [this] { showAfterLoginView(); });
    addAction("hideAfterLoginView", [this] { hideAfterLoginView(); });
    addAction("showUserDetailsView", [this] { showUserDetailsView(); });
    addAction("hideUserDetailsView", [this] { hideUserDetailsView(); });
    addAction("showSettingsViewOrAfterLoginView", [this] { showSettingsViewOrAfterLoginView(); });
    addAction("getPositionOnRanking", [this] { getPositionOnRanking(); });
    addAction("preloadScore", [this] { preloadScore(); });
    addAction("loginClick", [this] { loginClick(); });
    addAction("joinClick", [this] { joinClick(); });
    addAction("joinStep2Click", [this] { joinStep2Click(); });
    addAction("forgetClick", [this] { forgetClick(); });
    addAction("logoutClick", [this] { logoutClick(); });
    addAction("autologinChangeAndSave", [this] { autologinChangeAndSave(); });
    // Sent by the return key of each text field.
    for (const char* field : {"login", "password", "email"}) {
        addAction(std::string("textFieldShouldReturn:") + field, [this, field] {
            if (auto* entry = outlet<TextField>(field)) {
                textFieldShouldReturn(*entry);
            }
        });
    }
}

GameMenuController::~GameMenuController() {
    // No timer of this hub may fire once it is gone; its calls cancel themselves.
    if (aTimer) {
        aTimer->invalidate();
    }
    for (const std::shared_ptr<Timer>& timer : refreshTimers_) {
        timer->invalidate();
    }
}

void GameMenuController::connectOutlets() {
    View& root = view();
    usernameLabel = requireOutlet<Label>(*this, root, "usernameLabel");
    rankLabel = requireOutlet<Label>(*this, root, "rankLabel");
    handgunsTotalPoints = requireOutlet<Label>(*this, root, "handgunsTotalPoints");
    submachineTotalPoints = requireOutlet<Label>(*this, root, "submachineTotalPoints");
    riflesTotalPoints = requireOutlet<Label>(*this, root, "riflesTotalPoints");
    machineTotalPoints = requireOutlet<Label>(*this, root, "machineTotalPoints");
    sniperTotalPoints = requireOutlet<Label>(*this, root, "sniperTotalPoints");
    shotgunsTotalPoints = requireOutlet<Label>(*this, root, "shotgunsTotalPoints");
    totalPointsLabel = requireOutlet<Label>(*this, root, "totalPointsLabel");
    greenDot = requireOutlet<ImageView>(*this, root, "greenDot");
    userDetailsView = requireOutlet<View>(*this, root, "userDetailsView");
    settingsView = requireOutlet<View>(*this, root, "settingsView");
    afterLoginView = requireOutlet<View>(*this, root, "afterLoginView");
    autologowanie = requireOutlet<Switch>(*this, root, "autologowanie");
    usernameLabel2 = requireOutlet<Label>(*this, root, "usernameLabel2");
    messageLabel = requireOutlet<Label>(*this, root, "messageLabel");
    indicator = requireOutlet<ActivityIndicatorView>(*this, root, "indicator");
    login = requireOutlet<TextField>(*this, root, "login");
    password = requireOutlet<TextField>(*this, root, "password");
    email = requireOutlet<TextField>(*this, root, "email");
    pickerView = requireOutlet<PickerView>(*this, root, "pickerView");
    selectedCountryLabel = requireOutlet<Label>(*this, root, "selectedCountryLabel");
}

void GameMenuController::viewDidLoad() {
    connectOutlets();
    indicator->setHidden(true);
    totalPointsLabel->setText("0");
    rankLabel->setText("0");
    showLoggedIn(false);
    pickerView->setFrame(kPickerFrame);
    messageLabel->setText("");
    pickerArray_.assign(kCountryNames.begin(), kCountryNames.end());
    pickerView->setDelegate(this);
    pickerView->setDataSource(this);
    pickerView->selectRow(kFirstCountryRow, 0);
    selectedCountryLabel->setText(
        pickerArray_.at(static_cast<size_t>(pickerView->selectedRowInComponent(0))));

    AppDelegate_All& app = AppDelegate_All::shared();
    if (intValue(app.autologin) == 1) {
        autologowanie->setOn(true);
    } else {
        // Without autologin every new hub starts logged out.
        autologowanie->setOn(false);
        app.login = "defaultUser";
        showLoggedIn(false);
    }
    ViewController::viewDidLoad();
}

void GameMenuController::viewWillAppear(bool animated) {
    preloadScore();

    AppDelegate_All& app = AppDelegate_All::shared();
    if (app.isLoggedIn()) {
        usernameLabel->setText(app.login);
        usernameLabel2->setText(app.login);
        greenDot->setHidden(false);
        sendScoresToGlobalRankingForUser(usernameLabel->text());
    } else {
        showLoggedIn(false);
    }

    const int32_t total = intValue(totalPointsLabel->text());
    if (total > app.poprzedniWynik) {
        Platform::current().log("wysylam punkty na serwer");
        SynchronizationPhone().sendDatabaseToServer();
    }
    app.poprzedniWynik = total;
    ViewController::viewWillAppear(animated);
}

void GameMenuController::showLoggedIn(bool loggedIn) {
    const std::string name = loggedIn ? AppDelegate_All::shared().login : "";
    usernameLabel->setText(name);
    usernameLabel2->setText(name);
    greenDot->setHidden(!loggedIn);
}

int GameMenuController::numberOfComponentsInPickerView(const PickerView&) {
    return 1;
}

int GameMenuController::pickerViewNumberOfRowsInComponent(const PickerView&, int) {
    return static_cast<int>(pickerArray_.size());
}

std::string GameMenuController::pickerViewTitleForRow(const PickerView&, int row, int) {
    return row >= 0 && static_cast<size_t>(row) < pickerArray_.size()
               ? pickerArray_[static_cast<size_t>(row)]
               : std::string();
}

void GameMenuController::pickerViewDidSelectRow(PickerView& picker, int row, int component) {
    selectedCountryLabel->setText(pickerViewTitleForRow(picker, row, component));
}

void GameMenuController::preloadScore() {
    Label* const totals[] = {handgunsTotalPoints, submachineTotalPoints, riflesTotalPoints,
                             machineTotalPoints,  sniperTotalPoints,     shotgunsTotalPoints};
    const char* const categories[] = {"handgun",     "submachine", "rifles",
                                      "machineguns", "sniper",     "shotgun"};
    for (size_t row = 0; row < std::size(totals); ++row) {
        totals[row]->setText(getSumScoresForCategory(categories[row]));
    }
    // Six totals at the 32-bit limit overflow 32 bits: sum in 64, show the sum held to 32 bits
    // and report the whole of it.
    int64_t total = 0;
    for (const Label* label : totals) {
        total += intValue(label->text());
    }
    totalPointsLabel->setText(std::to_string(clampToInt32(total)));
    reportToLeaderboard(total);
}

void GameMenuController::reportToLeaderboard(int64_t total) {
    // The handlers hold nothing of the hub: they may run after it is gone.
    Platform::current().services().leaderboard().authenticateLocalPlayer(
        [total](const std::string& error) {
            if (!error.empty()) {
                Platform::current().log("Authentication failed");
                return;
            }
            Platform::current().services().leaderboard().reportScore(
                total, kLeaderboardCategory, [](const std::string& reportError) {
                    Platform::current().log(reportError.empty() ? "WYSLANO OK!" : "NOT SEND");
                });
        });
}

void GameMenuController::sendScoresToGlobalRankingForUser(const std::string& userName) {
    isSendingScoresToGlobalRanking_ = true;
    const bool sent = scoreCall_.start(
        ServiceRequests::sendScore(userName, totalPointsLabel->text()),
        [this](const ServiceReply& reply) {
            isSendingScoresToGlobalRanking_ = false;
            // Only a whole reply is the place: a chunk of it, or an error page, is not.
            if (reply.succeeded()) {
                rankLabel->setText(reply.body);
            } else {
                Platform::current().log("score not sent to the ranking (status " +
                                        std::to_string(reply.status) + ") " + reply.error);
            }
        });
    if (!sent) {
        isSendingScoresToGlobalRanking_ = false;
        AlertView::show("Error", "Connection error", {"OK"});
    }
}

std::string GameMenuController::getSumScoresForCategory(const std::string& category) const {
    return ScoreDatabase::getSumScoresForCategory(AppDelegate_All::shared().login, category);
}

void GameMenuController::getPositionOnRanking() {
    rankLabel->setText(AppDelegate_All::shared().position_in_ranking);
}

void GameMenuController::zmienSoundGame(const std::string& soundName) {
    // A missing sound gives no player: silence, and nothing else changes.
    soundsGame = SoundPlayer::create(soundName, "aif");
    if (soundsGame) {
        soundsGame->play();
    }
}

void GameMenuController::handguns() {
    openCategory("load_1", "handgun");
}
void GameMenuController::submachine() {
    openCategory("load_2", "submachine");
}
void GameMenuController::rifles() {
    openCategory("load_3", "rifles");
}
void GameMenuController::machine() {
    openCategory("load_4", "machineguns");
}
void GameMenuController::sniper() {
    openCategory("load_5", "sniper");
}
void GameMenuController::shotgun() {
    openCategory("load_6", "shotgun");
}

void GameMenuController::openCategory(const char* soundName, const char* category) {
    zmienSoundGame(soundName);
    if (navigationController()) {
        navigationController()->pushViewController(
            GameInsideController::forCategory(profile(), category), true);
    }
}

void GameMenuController::ranking() {
    if (!navigationController()) {
        return;
    }
    std::unique_ptr<RankingController> screen;
    if (profile().isTablet()) {
        screen = std::make_unique<RankingController_ipad>();
    } else {
        screen = std::make_unique<RankingController>();
    }
    navigationController()->pushViewController(std::move(screen), true);
}

void GameMenuController::backButton() {
    if (navigationController()) {
        navigationController()->popViewControllerAnimated(true);
    }
}
