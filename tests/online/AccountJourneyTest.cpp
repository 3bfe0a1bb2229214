// A player's account against the real kalvorn-server on a loopback port, driven by script steps
// on both profiles: a reserved name refused, registration in two steps with a name holding a
// space and a password holding reserved characters, a game whose total earns a place in the
// ranking, log-out, log-in with the download of the stored results, a second device that gets
// the same rows on its first log-in, and a stopped service that shows the Error alert and
// leaves the hub taking requests; the ranking list of several players opened from the hub.
// Every wait is bounded.
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <optional>
#include <set>
#include <sstream>

#include "ServerProcess.h"
#include "app/AppDelegate_All.h"
#include "app/ScoreDatabase.h"
#include "app/SettingManagement.h"
#include "game/GameMenuController.h"
#include "game/GunAssembly.h"
#include "online/RankingController.h"
#include "online/ServiceRequests.h"
#include "platform/AlertView.h"
#include "platform/Label.h"
#include "platform/NavigationController.h"
#include "platform/Platform.h"
#include "tests/support/LaunchedGame.h"

namespace {

constexpr double kRequestTimeoutSeconds = 5;
constexpr const char* kUser = "ala kot";
constexpr const char* kSecret = "my pass &=+%#'word";
// Afghanistan is row 0; the 42nd name of the list.
constexpr const char* kCountryRow = "41";
constexpr const char* kCountry = "Cote d'Ivoire";

class AccountJourneyTest : public ::testing::TestWithParam<LaunchOptions::Profile> {
protected:
    AccountJourneyTest() { startServer(); }

    void startServer() {
        server.reset();
        server.emplace(work.path() / "service", work.path() / "service.log");
    }
    std::string serviceUrl() const {
        return "http://127.0.0.1:" + std::to_string(server->port()) + "/";
    }
    std::string suffix() const {
        return GetParam() == LaunchOptions::Profile::Tablet ? "_ipad" : "";
    }

    // A fresh device (documents directory) on the hub, talking to the service.
    void newDeviceOnTheHub() {
        game.reset();
        game.emplace(GetParam(), std::nullopt, KALVORN_TEST_RESOURCES_DIR, serviceUrl());
        game->services().useRealConnections({kRequestTimeoutSeconds, ""});
        game->services().setMovieDuration(1.0);
        game->launch();
        ASSERT_TRUE(run("wait 1.2\ntap gameButton\nwait 0.6\nexpect-screen GameMenuController" +
                        suffix() + "\n"));
    }

    ::testing::AssertionResult run(const std::string& steps) { return game->run(steps); }
    ViewController& top() { return *game->app().navigationController().topViewController(); }
    std::string text(const std::string& outlet) { return top().outlet<Label>(outlet)->text(); }
    std::string alertTitle() {
        std::shared_ptr<AlertView> alert = Platform::current().visibleAlert();
        return alert ? alert->title() : "";
    }
    // Lets the run loop go in short steps until DONE holds, for at most SECONDS.
    bool waitUntil(const std::function<bool()>& done, double seconds = 10) {
        for (double waited = 0; waited < seconds; waited += 0.1) {
            if (done()) {
                return true;
            }
            if (!run("wait 0.1\n")) {
                return false;
            }
        }
        return done();
    }
    bool waitForText(const std::string& outlet, const std::string& expected) {
        const bool arrived = waitUntil([&] { return text(outlet) == expected; });
        EXPECT_TRUE(arrived) << outlet << " shows '" << text(outlet) << "', not '" << expected
                             << "'";
        return arrived;
    }
    bool waitForAlert(const std::string& title) {
        const bool shown = waitUntil([&] { return alertTitle() == title; });
        EXPECT_TRUE(shown) << "no " << title << " alert; showing '" << alertTitle() << "'";
        return shown;
    }

    void openSettingsPanel() { ASSERT_TRUE(run("action showSettingsView\nwait 0.6\n")); }
    void fill(const std::string& name, const std::string& secret) {
        ASSERT_TRUE(run("type login " + name + "\ntype password " + secret + "\n"));
    }

    // Plays the first handgun to its end (a finish in 2 s: 3000 - 70 * 2 points) and goes back
    // to the hub.
    void playTheFirstHandgun() {
        std::ostringstream joins;
        std::set<int> made;
        for (const JoinRule& rule : findGunAssembly(1)->rules) {
            if (made.insert(rule.sets).second) {
                joins << "drag czesc" << rule.dragged.slot << "View czesc" << rule.onto << "View\n";
            }
        }
        ASSERT_TRUE(
            run("action handguns:\nwait 0.6\naction gun1\nwait 0.6\n"
                "tap startButton\nwait 2\n" +
                joins.str() + "expect pointsLabelGameScoreView.text = 2860 pts\n"));
        ASSERT_TRUE(
            run("tap unlockContinueButton\nwait 0.6\naction cancelGameScoreView\n"
                "wait 0.6\naction backButton\nwait 0.6\nexpect-screen GameMenuController" +
                suffix() + "\nexpect handgunsTotalPoints.text = 2860\n"));
    }

    TemporaryDirectory work;
    std::optional<ServerProcess> server;
    std::optional<LaunchedGame> game;
};

const std::vector<ResultRow> kPlayedRows = {{"1", "2860", "handgun"}};

TEST_P(AccountJourneyTest, RegisterPlayLogOutLogInAndRestoreOnASecondDevice) {
    newDeviceOnTheHub();
    ASSERT_FALSE(HasFatalFailure());
    openSettingsPanel();

    // The reserved name is refused in any letter case, and the service's reason shows in red.
    fill("DEFAULTuser", kSecret);
    ASSERT_TRUE(run("action joinClick\n"));
    ASSERT_TRUE(waitForText("messageLabel", "This user name is reserved."));
    EXPECT_TRUE(run("expect messageLabel.textColor = #FF0000\n"));

    // Registration step 1, then the user details panel and step 2 with the picked country.
    fill(kUser, kSecret);
    ASSERT_TRUE(run("action joinClick\n"));
    ASSERT_TRUE(waitUntil([&] { return !dynamic_cast<GameMenuController&>(top()).isLoading(); }));
    ASSERT_TRUE(run("wait 1.1\ntype email ala@example.com\npick pickerView " +
                    std::string(kCountryRow) + "\nexpect selectedCountryLabel.text = " + kCountry +
                    "\naction joinStep2Click\n"));
    ASSERT_TRUE(waitForText("usernameLabel", kUser));
    EXPECT_TRUE(run("expect greenDot.hidden = false\nexpect usernameLabel2.text = " +
                    std::string(kUser) + "\n"));
    // The first log-in of the device uploads instead of asking.
    EXPECT_EQ(alertTitle(), "");
    EXPECT_EQ(SettingManagement().readSetting("is_first_login"), "1");

    // A game: back on the hub the total goes to the ranking and the place comes back.
    playTheFirstHandgun();
    ASSERT_FALSE(HasFatalFailure());
    waitForText("rankLabel", "1");
    // The service holds the values as typed: the password logs in when sent encoded by hand,
    // and the ranking lists the name, the points and the country unchanged.
    std::unique_ptr<httplib::Client> client = server->client();
    httplib::Result login =
        client->Get("/loginUser.php?username=ala+kot&password=my+pass+%26%3D%2B%25%23%27word");
    ASSERT_TRUE(login);
    EXPECT_EQ(login->body, "[1]");
    httplib::Result ranking = client->Get("/getScores.php?username=ala+kot");
    ASSERT_TRUE(ranking);
    EXPECT_NE(ranking->body.find(R"(["ala kot","2860","Cote d'Ivoire"])"), std::string::npos)
        << ranking->body;
    EXPECT_TRUE(waitUntil([] { return SettingManagement().readSetting("is_updated") == "1"; }));

    // Log-out backs the results up; then the local rows go, so only a restore brings them back.
    ASSERT_TRUE(
        run("action showSettingsViewOrAfterLoginView\nwait 0.6\naction logoutClick\n"
            "wait 0.6\nexpect totalPointsLabel.text = 0\nexpect rankLabel.text = 0\n"));
    EXPECT_EQ(text("usernameLabel"), "");
    EXPECT_EQ(game->app().login, "");
    ASSERT_TRUE(run("wait 1\n"));
    ASSERT_TRUE(ScoreDatabase::updateLocalDatabase(kUser, {}));

    ASSERT_TRUE(run("action showSettingsViewOrAfterLoginView\nwait 0.6\n"));
    fill(kUser, kSecret);
    ASSERT_TRUE(run("action loginClick\n"));
    ASSERT_TRUE(waitForAlert("Database"));
    ASSERT_TRUE(
        run("alert-button YES\nwait 2.1\nexpect handgunsTotalPoints.text = 2860\n"
            "expect totalPointsLabel.text = 2860\nexpect rankLabel.text = 1\n"));
    EXPECT_EQ(ScoreDatabase::getJSONForUser(kUser), kPlayedRows);

    // A second device: its first log-in uploads its anonymous rows and gets the stored ones.
    newDeviceOnTheHub();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_TRUE(ScoreDatabase::getJSONForUser(kUser).empty());
    openSettingsPanel();
    fill(kUser, kSecret);
    ASSERT_TRUE(run("action loginClick\n"));
    ASSERT_TRUE(waitForText("usernameLabel", kUser));
    EXPECT_EQ(alertTitle(), "");
    ASSERT_TRUE(run("wait 2.1\nexpect handgunsTotalPoints.text = 2860\n"));
    EXPECT_EQ(ScoreDatabase::getJSONForUser(kUser), kPlayedRows);
}

TEST_P(AccountJourneyTest, AStoppedServiceShowsTheErrorAlertAndALaterLogInIsSent) {
    newDeviceOnTheHub();
    ASSERT_FALSE(HasFatalFailure());
    openSettingsPanel();
    fill(kUser, kSecret);
    ASSERT_TRUE(run("action joinClick\n"));
    ASSERT_TRUE(waitUntil([&] { return !dynamic_cast<GameMenuController&>(top()).isLoading(); }));
    ASSERT_TRUE(run("wait 1.1\ntype email ala@example.com\npick pickerView " +
                    std::string(kCountryRow) + "\naction joinStep2Click\n"));
    ASSERT_TRUE(waitForText("usernameLabel", kUser));
    ASSERT_TRUE(
        run("wait 2.1\naction showSettingsViewOrAfterLoginView\nwait 0.6\n"
            "action logoutClick\nwait 0.6\n"));

    server->stop(SIGTERM);
    ASSERT_TRUE(run("action showSettingsViewOrAfterLoginView\nwait 0.6\n"));
    fill(kUser, kSecret);
    ASSERT_TRUE(run("action loginClick\n"));
    ASSERT_TRUE(waitForAlert("Error"));
    EXPECT_EQ(Platform::current().visibleAlert()->message(), "Connection error");
    ASSERT_TRUE(run("alert-button OK\n"));
    EXPECT_FALSE(dynamic_cast<GameMenuController&>(top()).isLoading());
    EXPECT_TRUE(run("expect indicator.hidden = true\n"));

    // The service is back (at a new address): the next tap logs in.
    startServer();
    ServiceRequests::setServiceBaseUrl(serviceUrl());
    fill(kUser, kSecret);
    ASSERT_TRUE(run("action loginClick\n"));
    ASSERT_TRUE(waitForText("usernameLabel", kUser));
    EXPECT_TRUE(waitForAlert("Database"));
}

TEST_P(AccountJourneyTest, TheRankingListShowsThePlayersInOrderAndTheOwnPosition) {
    // Three players with their totals, and this device's player, who has none yet.
    std::unique_ptr<httplib::Client> client = server->client();
    const std::vector<std::vector<std::string>> players{{"Olek", "Poland", "2900"},
                                                        {"Zed+Two", "Chile", "100"},
                                                        {"Maja", "Peru", "1500"},
                                                        {"ala+kot", "Cote+d%27Ivoire", "0"}};
    for (const std::vector<std::string>& player : players) {
        httplib::Result joined =
            client->Get("/join.php?username=" + player[0] +
                        "&password=secret1&mail=p@example.com&country=" + player[1]);
        ASSERT_TRUE(joined);
        ASSERT_EQ(joined->body, "[1]") << player[0];
        ASSERT_TRUE(client->Get("/sendScore.php?username=" + player[0] + "&score=" + player[2]));
    }

    newDeviceOnTheHub();
    ASSERT_FALSE(HasFatalFailure());
    openSettingsPanel();
    fill(kUser, "secret1");
    ASSERT_TRUE(run("action loginClick\n"));
    ASSERT_TRUE(waitForText("usernameLabel", kUser));
    ASSERT_TRUE(run("wait 2.1\naction ranking\nwait 0.6\nexpect-screen RankingController" +
                    suffix() + "\n"));
    auto& list = dynamic_cast<RankingController&>(top());
    ASSERT_TRUE(waitUntil([&] { return list.ranking().size() == 4; }));
    EXPECT_TRUE(
        run("expect userPosition.text = 4\n"
            "expect tabelka/0/miejsce.text = 1\nexpect tabelka/0/nazwa_usera.text = Olek\n"
            "expect tabelka/0/punkty.text = 2900\nexpect tabelka/0/panstwo.text = Poland\n"
            "expect tabelka/1/nazwa_usera.text = Maja\nexpect tabelka/1/punkty.text = 1500\n"
            "expect tabelka/2/miejsce.text = 3\nexpect tabelka/2/nazwa_usera.text = Zed Two\n"
            "expect tabelka/2/panstwo.text = Chile\n"
            "expect tabelka/3/nazwa_usera.text = ala kot\nexpect tabelka/3/punkty.text = 0\n"
            "expect tabelka/3/panstwo.text = Cote d'Ivoire\nexpect indicator.hidden = true\n"
            "tap backButton\nwait 0.6\nexpect-screen GameMenuController" +
            suffix() + "\n"));
}

std::string profileName(const ::testing::TestParamInfo<LaunchOptions::Profile>& param) {
    return param.param == LaunchOptions::Profile::Tablet ? "tablet" : "phone";
}

INSTANTIATE_TEST_SUITE_P(BothProfiles, AccountJourneyTest,
                         ::testing::Values(LaunchOptions::Profile::Phone,
                                           LaunchOptions::Profile::Tablet),
                         profileName);

}  // namespace
