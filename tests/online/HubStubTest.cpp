// The hub over real connections to a loopback stub: what the requests carry on the wire, a
// request that times out, a restore cut short, a submission that overlaps a log-in and a
// log-in tapped during a reminder, and the ranking list's fetch stalled, cut short or answered
// by an error page. Every wait is bounded by the request time-out.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/AppDelegate_All.h"
#include "app/ScoreDatabase.h"
#include "app/SettingManagement.h"
#include "game/GameMenuController.h"
#include "online/RankingController.h"
#include "online/SynchronizationPhone.h"
#include "platform/ActivityIndicatorView.h"
#include "platform/Label.h"
#include "platform/NavigationController.h"
#include "platform/Platform.h"
#include "tests/support/LaunchedGame.h"
#include "tests/support/LoopbackStub.h"

namespace {

constexpr double kTimeoutSeconds = 3;

class HubStubTest : public ::testing::Test {
protected:
    HubStubTest()
        : game(LaunchOptions::Profile::Phone, std::nullopt, KALVORN_TEST_RESOURCES_DIR,
               stub.url("/")) {
        game.services().useRealConnections({kTimeoutSeconds, ""});
        game.launch();
    }

    void openHub(const std::string& user = "defaultUser") {
        game.app().login = user;
        game.app().autologin = user == "defaultUser" ? "0" : "1";
        ASSERT_TRUE(game.run("open GameMenuController\nwait 0.6\n"));
    }
    GameMenuController& hub() {
        return dynamic_cast<GameMenuController&>(
            *game.app().navigationController().topViewController());
    }
    std::string text(const std::string& outlet) { return hub().outlet<Label>(outlet)->text(); }
    void deviceHadALogin() {
        SettingManagement().saveSetting("is_first_login", "1");
        game.app().is_first_login = "1";
    }
    size_t requestsTo(const std::string& endpoint) {
        size_t count = 0;
        for (const std::string& target : stub.targets()) {
            count += target.starts_with("/" + endpoint) ? 1 : 0;
        }
        return count;
    }

    LoopbackStub stub;
    LaunchedGame game;
};

TEST_F(HubStubTest, ValuesArriveEncodedAndOnlyTheSubmissionLacksTheAcceptField) {
    deviceHadALogin();
    ASSERT_TRUE(ScoreDatabase::insertNewScore(250, "o'kot", "rifles", 19));
    stub.route("/sendScore.php", StubMode::Answer, "200 3");
    stub.route("/createCopy.php", StubMode::Answer, "200 [1]");
    stub.route("/loginUser.php", StubMode::Answer, "200 [0,\"Wrong user name or password.\"]");
    openHub("o'kot");
    ASSERT_TRUE(
        game.run("type login ala kot\ntype password a b&=+%#'\naction loginClick\n"
                 "wait 0.5\nexpect messageLabel.text = Wrong user name or password.\n"
                 "expect rankLabel.text = 3\n"));
    const std::vector<std::string> raw = stub.requests();
    ASSERT_EQ(raw.size(), 3u);
    for (const std::string& request : raw) {
        const bool score = request.starts_with("GET /sendScore.php?username=o%27kot&score=250 ");
        EXPECT_EQ(request.find("\r\nAccept: application/json\r\n") == std::string::npos, score)
            << request;
    }
    // The submission and the backup race each other; the log-in came after both.
    const std::vector<std::string> targets = stub.targets();
    EXPECT_EQ(targets[2], "/loginUser.php?username=ala+kot&password=a+b%26%3D%2B%25%23%27");
    EXPECT_NE(std::find(targets.begin(), targets.end(),
                        "/createCopy.php?json=%5B%5B%2719%27%2C%27250%27%2C%27rifles%27%5D%5D"
                        "&username=o%27kot"),
              targets.end());
}

TEST_F(HubStubTest, AStalledRequestTimesOutAndTheHubTakesRequestsAgain) {
    stub.route("/loginUser.php", StubMode::Stall, "200 [1]");
    openHub();
    ASSERT_TRUE(game.run("type login ala\ntype password secret1\naction loginClick\n"));
    EXPECT_TRUE(hub().isLoading());
    EXPECT_TRUE(hub().outlet<ActivityIndicatorView>("indicator")->isAnimating());
    ASSERT_TRUE(game.run("wait 3.5\n"));
    ASSERT_TRUE(Platform::current().visibleAlert());
    EXPECT_EQ(Platform::current().visibleAlert()->title(), "Error");
    EXPECT_EQ(Platform::current().visibleAlert()->message(), "Connection error");
    EXPECT_FALSE(hub().isLoading());
    EXPECT_FALSE(hub().isLogin());
    EXPECT_FALSE(hub().outlet<ActivityIndicatorView>("indicator")->isAnimating());
    Platform::current().visibleAlert()->dismiss(0);

    stub.route("/loginUser.php", StubMode::Answer, "200 [1]");
    stub.route("/createFirstLoginCopy.php", StubMode::Answer, "200 [[],\"1\"]");
    ASSERT_TRUE(
        game.run("type login ala\naction loginClick\nwait 0.5\n"
                 "expect usernameLabel.text = ala\n"));
    EXPECT_EQ(requestsTo("loginUser.php"), 2u);
}

TEST_F(HubStubTest, ARestoreCutShortOrAnErrorPageKeepsEveryRowAndThePosition) {
    deviceHadALogin();
    ASSERT_TRUE(ScoreDatabase::insertNewScore(1250, "ala", "handgun", 3));
    stub.route("/sendScore.php", StubMode::Answer, "200 8");
    stub.route("/createCopy.php", StubMode::Answer, "200 [1]");
    openHub("ala");
    game.app().position_in_ranking = "8";
    const std::vector<std::pair<StubMode, std::string>> replies{
        {StubMode::Cut, "200 [[[\"3\",\"100\",\"handgun\"]],\"2\"]"},
        {StubMode::Answer, "500 <html>Internal Server Error</html>"},
        {StubMode::Answer, "200 [0,\"Unknown user.\"]"},
        {StubMode::Stall, "200 [[],\"1\"]"},
    };
    for (const auto& [mode, reply] : replies) {
        stub.route("/restoreCopy.php", mode, reply);
        SynchronizationPhone().restoreDatabaseFromServer();
        ASSERT_TRUE(game.run("wait 3.5\n")) << reply;
        hub().preloadScore();
        EXPECT_EQ(text("handgunsTotalPoints"), "1250") << reply;
        EXPECT_EQ(game.app().position_in_ranking, "8") << reply;
    }
    EXPECT_EQ(requestsTo("restoreCopy.php"), replies.size());
}

TEST_F(HubStubTest, ASubmissionOverlappingALogInLeavesEachItsOwnReply) {
    deviceHadALogin();
    ASSERT_TRUE(ScoreDatabase::insertNewScore(900, "ala", "sniper", 26));
    stub.route("/sendScore.php", StubMode::Answer, "200 12", 2);
    stub.route("/createCopy.php", StubMode::Answer, "200 [1]");
    stub.route("/loginUser.php", StubMode::Answer, "200 [1]", 0.2);
    openHub("ala");
    ASSERT_TRUE(game.run("type login ola\ntype password secret1\naction loginClick\nwait 0.6\n"));
    EXPECT_EQ(game.app().login, "ola") << "the log-in's reply was not taken for the submission's";
    EXPECT_EQ(text("usernameLabel"), "ola");
    ASSERT_TRUE(Platform::current().visibleAlert());
    EXPECT_EQ(Platform::current().visibleAlert()->title(), "Database");
    EXPECT_TRUE(hub().isSendingScoresToGlobalRanking());
    ASSERT_TRUE(game.run("wait 1.5\n"));
    EXPECT_FALSE(hub().isSendingScoresToGlobalRanking());
    EXPECT_EQ(text("rankLabel"), "12");
}

TEST_F(HubStubTest, ALogInTappedDuringAReminderIsNotSent) {
    stub.route("/forgot.php", StubMode::Answer, "200 [1]", 0.5);
    stub.route("/loginUser.php", StubMode::Answer, "200 [1]");
    openHub();
    ASSERT_TRUE(
        game.run("type login ala\naction forgetClick\nwait 0.1\n"
                 "type login mallory\naction loginClick\nwait 1\n"
                 "expect usernameLabel.text = \n"));
    EXPECT_EQ(requestsTo("loginUser.php"), 0u);
    EXPECT_EQ(requestsTo("forgot.php"), 1u);
    EXPECT_EQ(game.app().login, "defaultUser");
    ASSERT_TRUE(Platform::current().visibleAlert());
    EXPECT_EQ(Platform::current().visibleAlert()->title(), "Info");
}

TEST_F(HubStubTest, TheRankingListSurvivesAStalledACutAndAnErrorPageReply) {
    const std::string players =
        "200 [[[\"Olek\",\"3000\",\"Poland\"],[\"ala\",\"10\",\"Peru\"]],\"2\"]";
    stub.route("/getScores.php", StubMode::Answer, players);
    openHub();
    ASSERT_TRUE(
        game.run("action ranking\nwait 0.6\nexpect-screen RankingController\n"
                 "expect userPosition.text = 2\n"));
    auto& list =
        dynamic_cast<RankingController&>(*game.app().navigationController().topViewController());
    const auto turning = [&] {
        return list.outlet<ActivityIndicatorView>("indicator")->isAnimating();
    };
    ASSERT_EQ(list.ranking().size(), 2u);

    // No answer: the time-out ends the fetch with the alert and the list stays.
    stub.route("/getScores.php", StubMode::Stall, players);
    list.refresh();
    ASSERT_TRUE(game.run("wait 1\n"));
    EXPECT_TRUE(turning());
    ASSERT_TRUE(game.run("wait 2.5\nexpect-alert Error\nalert-button OK\n"));
    EXPECT_FALSE(turning());
    EXPECT_EQ(list.ranking().size(), 2u);

    // A reply cut short is a failed transfer, not a ranking.
    stub.route("/getScores.php", StubMode::Cut, "200 [[[\"Zed\",\"1\",\"Chile\"]],\"1\"]");
    list.refresh();
    ASSERT_TRUE(
        game.run("wait 1\nexpect-alert Error\nalert-button OK\n"
                 "expect userPosition.text = 2\n"));
    EXPECT_FALSE(turning());
    EXPECT_EQ(list.ranking().size(), 2u);

    // An error page is a whole reply but no ranking: an empty list and no position, no alert.
    const size_t alerts = Platform::current().alerts().size();
    stub.route("/getScores.php", StubMode::Answer, "503 <html>Service Unavailable</html>");
    list.refresh();
    ASSERT_TRUE(game.run("wait 1\nexpect userPosition.text = -\n"));
    EXPECT_FALSE(turning());
    EXPECT_TRUE(list.ranking().empty());
    EXPECT_EQ(Platform::current().alerts().size(), alerts);
    EXPECT_EQ(requestsTo("getScores.php?username=defaultUser"), 4u);
}

}  // namespace
