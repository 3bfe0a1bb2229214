// The hub's account on canned replies: registration and log-in with their panels, alerts,
// first-login upload and restore, failure replies, requests that fail or cannot be made, the
// score submission beside an account request, log-out and autologin.
#include <optional>

#include "app/SettingManagement.h"
#include "online/ServiceRequests.h"
#include "platform/ActivityIndicatorView.h"
#include "platform/ImageView.h"
#include "platform/Label.h"
#include "platform/RunLoop.h"
#include "platform/Switch.h"
#include "platform/TextField.h"
#include "tests/game/HubSession.h"

namespace {

constexpr const char* kService = "http://svc.test/";

class HubAccountTest : public ::testing::TestWithParam<bool> {
protected:
    HubAccountTest() : session(GetParam() ? DeviceProfile::tablet() : DeviceProfile::phone()) {
        ServiceRequests::setServiceBaseUrl(kService);
    }

    GameMenuController& hub() { return dynamic_cast<GameMenuController&>(*session.top()); }
    std::string text(const std::string& outlet) {
        if (auto* label = session.top()->outlet<Label>(outlet)) {
            return label->text();
        }
        return session.top()->outlet<TextField>(outlet)->text();
    }
    void reply(const std::string& endpoint, UrlReply canned) {
        session.services.addUrlReply(kService + endpoint, std::move(canned));
    }
    // Sends the hub's ACTION with ENDPOINT answering CANNED, and lets the reply arrive.
    void answer(const std::string& action, const std::string& endpoint, UrlReply canned) {
        reply(endpoint, std::move(canned));
        ASSERT_TRUE(session.run("action " + action + "\nwait 0.1\n"));
    }
    std::vector<std::string> urls(const std::string& endpoint) const {
        std::vector<std::string> found;
        for (const UrlRequest& request : session.services.urlRequests()) {
            if (request.url.rfind(kService + endpoint, 0) == 0) {
                found.push_back(request.url);
            }
        }
        return found;
    }
    std::shared_ptr<AlertView> alert() { return Platform::current().visibleAlert(); }
    std::string setting(const std::string& key) {
        return SettingManagement().readSetting(key).value_or("absent");
    }
    bool turning() {
        return session.top()->outlet<ActivityIndicatorView>("indicator")->isAnimating();
    }
    double panelY(const char* outlet) { return session.top()->outletView(outlet)->frame().y; }
    void fill(const std::string& name, const std::string& password) {
        ASSERT_TRUE(session.run("type login " + name + "\ntype password " + password + "\n"));
    }
    void deviceHadALogin() {
        SettingManagement().saveSetting("is_first_login", "1");
        session.app->is_first_login = "1";
    }

    HubSession session;
};

TEST_P(HubAccountTest, RegistrationInTwoStepsLogsInAndUploadsTheAnonymousResults) {
    session.store(700, "handgun", 2);
    session.openHub();
    const double settingsY = panelY("settingsView");
    const double detailsY = panelY("userDetailsView");
    ASSERT_TRUE(session.run("action showSettingsView\nwait 0.6\n"));
    fill("ala kot", "a b&=+%#'");
    reply("checkUser.php", UrlReply{{"[1]"}, "", 0.3, 200});
    ASSERT_TRUE(session.run("action joinClick\n"));
    EXPECT_TRUE(turning());
    EXPECT_TRUE(hub().isLoading());
    EXPECT_TRUE(hub().isJoinStep1());
    ASSERT_TRUE(session.run("wait 0.4\n"));
    EXPECT_FALSE(turning());
    EXPECT_FALSE(hub().isJoinStep1());
    EXPECT_EQ(panelY("settingsView"), settingsY) << "step 1 accepted: the settings panel is out";
    EXPECT_EQ(panelY("userDetailsView"), detailsY) << "the details panel waits 0.5 s";
    ASSERT_TRUE(session.run("wait 0.35\n"));
    EXPECT_FALSE(hub().isShowUserDetailsView()) << "0.45 s after the reply";
    ASSERT_TRUE(session.run("wait 0.1\n"));
    EXPECT_TRUE(hub().isShowUserDetailsView());
    EXPECT_EQ(text("login"), "ala kot") << "the fields stay for step 2";

    reply("join.php", UrlReply::text("[1]"));
    reply(
        "createFirstLoginCopy.php",
        UrlReply{{"[[[\"2\",\"700\",\"handgun\"],[\"26\",\"40\",\"sniper\"]],\"5\"]"}, "", 1, 200});
    ASSERT_TRUE(session.run("type email ala@example.com\naction joinStep2Click\nwait 0.1\n"));
    ASSERT_EQ(urls("join.php").size(), 1u);
    EXPECT_EQ(urls("join.php")[0],
              "http://svc.test/join.php?username=ala+kot&password=a+b%26%3D%2B%25%23%27"
              "&mail=ala%40example.com&country=Albania");
    EXPECT_EQ(session.app->login, "ala kot");
    EXPECT_EQ(text("usernameLabel"), "ala kot");
    EXPECT_EQ(text("usernameLabel2"), "ala kot");
    EXPECT_FALSE(session.top()->outlet<ImageView>("greenDot")->isHidden());
    EXPECT_FALSE(hub().isShowUserDetailsView());
    EXPECT_FALSE(hub().isJoinStep2());
    EXPECT_TRUE(hub().isFirstSendigScoreToGlobalRanking());
    EXPECT_EQ(text("login"), "");
    EXPECT_EQ(text("password"), "");
    EXPECT_EQ(text("email"), "");
    EXPECT_FALSE(alert()) << "a registration never asks about the database";
    ASSERT_EQ(urls("createFirstLoginCopy.php").size(), 1u);
    EXPECT_EQ(urls("createFirstLoginCopy.php")[0],
              "http://svc.test/createFirstLoginCopy.php?json=%5B%5B%272%27%2C%27700%27%2C"
              "%27handgun%27%5D%5D&username=ala%20kot");
    EXPECT_EQ(setting("is_first_login"), "1");
    EXPECT_EQ(session.app->is_first_login, "1");
    EXPECT_EQ(setting("login"), "") << "autologin is off: the next start is logged out";
    EXPECT_EQ(text("totalPointsLabel"), "0") << "the new user has no rows yet";

    ASSERT_TRUE(session.run("wait 2\n"));
    EXPECT_EQ(text("totalPointsLabel"), "740") << "the upload's reply, shown 2 s later";
}

TEST_P(HubAccountTest, ALaterLogInAsksAndYesRestoresTotalsAndPosition) {
    deviceHadALogin();
    session.store(100, "rifles", 18, "ala kot");
    session.openHub();
    session.top()->outlet<Switch>("autologowanie")->setOn(true);
    ASSERT_TRUE(session.run("action autologinChangeAndSave\n"));
    EXPECT_EQ(setting("autologin"), "1");
    fill("ala kot", "pw pw");
    answer("loginClick", "loginUser.php", UrlReply::text("[\"1\"]"));
    EXPECT_EQ(urls("loginUser.php")[0],
              "http://svc.test/loginUser.php?username=ala+kot&password=pw+pw");
    EXPECT_EQ(text("totalPointsLabel"), "100");
    EXPECT_EQ(setting("login"), "ala kot") << "autologin on keeps the name";
    EXPECT_FALSE(hub().isFirstSendigScoreToGlobalRanking());
    EXPECT_TRUE(urls("createFirstLoginCopy.php").empty());
    ASSERT_TRUE(alert());
    EXPECT_EQ(alert()->title(), "Database");
    EXPECT_EQ(alert()->message(), "Do You want to download a database of Your current scores?");
    EXPECT_EQ(alert()->buttonTitles(), (std::vector<std::string>{"YES", "NO"}));

    reply("restoreCopy.php",
          UrlReply::text("[[[\"3\",\"1250\",\"handgun\"],[\"28\",\"900\",\"shotgun\"]],\"7\"]"));
    alert()->dismiss(0);
    ASSERT_EQ(urls("restoreCopy.php").size(), 1u);
    EXPECT_EQ(urls("restoreCopy.php")[0], "http://svc.test/restoreCopy.php?username=ala%20kot");
    ASSERT_TRUE(session.run("wait 1.9\n"));
    EXPECT_EQ(text("totalPointsLabel"), "100") << "the totals wait for the 2 s timer";
    ASSERT_TRUE(session.run("wait 0.2\n"));
    EXPECT_EQ(text("handgunsTotalPoints"), "1250");
    EXPECT_EQ(text("riflesTotalPoints"), "0");
    EXPECT_EQ(text("totalPointsLabel"), "2150");
    EXPECT_EQ(text("rankLabel"), "7");
}

TEST_P(HubAccountTest, NoAnswersNothingAndTheReminderAlertClearsItsFlag) {
    deviceHadALogin();
    session.openHub();
    fill("ala", "pw");
    reply("forgot.php", UrlReply::text("[1]"));
    answer("loginClick", "loginUser.php", UrlReply::text("[1]"));
    alert()->dismiss(1);
    EXPECT_TRUE(urls("restoreCopy.php").empty());

    ASSERT_TRUE(session.run("type login ala\naction forgetClick\nwait 0.1\n"));
    ASSERT_TRUE(alert());
    EXPECT_EQ(alert()->title(), "Info");
    EXPECT_EQ(alert()->message(), "Email with new password has been sent to Your email!");
    EXPECT_EQ(alert()->buttonTitles(), std::vector<std::string>{"OK"});
    EXPECT_TRUE(hub().isForgot());
    alert()->dismiss(0);
    EXPECT_FALSE(hub().isForgot());
    EXPECT_TRUE(urls("restoreCopy.php").empty()) << "OK on the reminder restores nothing";
}

TEST_P(HubAccountTest, FailureRepliesShowTheMessageInRedAndKeepTheFields) {
    session.openHub();
    fill("al", "pw");
    answer("joinClick", "checkUser.php", UrlReply::text("[0,\"This user name is taken.\"]"));
    EXPECT_EQ(text("messageLabel"), "This user name is taken.");
    EXPECT_EQ(session.top()->outlet<Label>("messageLabel")->textColor(), (Color{1, 0, 0, 1}));
    EXPECT_TRUE(hub().isJoinStep1()) << "a failure leaves the step 1 flag";
    EXPECT_FALSE(hub().isLoading());
    EXPECT_FALSE(turning());
    EXPECT_EQ(text("login"), "al");
    EXPECT_EQ(text("password"), "pw");

    session.services.clearUrlReplies();
    answer("loginClick", "loginUser.php",
           UrlReply::text("<html>500 Internal Server Error</html>", 500));
    EXPECT_FALSE(hub().isJoinStep1()) << "loginClick clears it";
    EXPECT_EQ(text("messageLabel"), "") << "an error page counts as a failure without message";
    EXPECT_FALSE(hub().isLogin());

    session.services.clearUrlReplies();
    answer("loginClick", "loginUser.php", UrlReply::text("[1]", 503));
    EXPECT_EQ(session.app->login, "defaultUser") << "a success code on an error status is none";

    session.services.clearUrlReplies();
    for (const char* body : {"[2,\"odd\"]", "{\"a\":1}", "[]", "[null]", "[\"1x\"]"}) {
        reply("loginUser.php", UrlReply::text(body));
        ASSERT_TRUE(session.run("action loginClick\nwait 0.1\n")) << body;
        EXPECT_EQ(session.app->login, "defaultUser") << body;
        EXPECT_FALSE(hub().isLoading()) << body;
        EXPECT_FALSE(turning()) << body;
        session.services.clearUrlReplies();
    }
    EXPECT_EQ(session.top()->outlet<Label>("messageLabel")->textColor(), (Color{1, 0, 0, 1}))
        << "the colour stays red";
    EXPECT_FALSE(alert());
}

TEST_P(HubAccountTest, ATapWhileARequestIsUnderWayDoesNothing) {
    session.openHub();
    fill("ala", "pw");
    reply("forgot.php", UrlReply{{"[1]"}, "", 1, 200});
    reply("loginUser.php", UrlReply::text("[1]"));
    ASSERT_TRUE(session.run("action forgetClick\nwait 0.2\n"));
    // Someone else's name goes into the field and log-in is tapped before the reminder answers.
    ASSERT_TRUE(session.run("type login ola\naction loginClick\naction joinClick\nwait 1\n"));
    EXPECT_TRUE(urls("loginUser.php").empty());
    EXPECT_TRUE(urls("checkUser.php").empty());
    EXPECT_FALSE(hub().isLogin());
    EXPECT_FALSE(hub().isJoinStep1());
    EXPECT_EQ(session.app->login, "defaultUser") << "the reminder's reply logs nobody in";
    EXPECT_EQ(text("usernameLabel"), "");
    ASSERT_TRUE(alert());
    EXPECT_EQ(alert()->title(), "Info");
    alert()->dismiss(0);

    // A log-in is made under the name it was sent with, whatever the field says by its reply.
    session.services.clearUrlReplies();
    reply("loginUser.php", UrlReply{{"[1]"}, "", 0.5, 200});
    ASSERT_TRUE(session.run("action loginClick\ntype login eve\nwait 0.6\n"));
    EXPECT_EQ(session.app->login, "ola");
    EXPECT_EQ(text("usernameLabel"), "ola");
}

TEST_P(HubAccountTest, FailedOrImpossibleRequestsFreeTheHubWithTheErrorAlert) {
    session.openHub();
    fill("ala", "pw");
    answer("loginClick", "loginUser.php", UrlReply::failure("Operation timed out"));
    EXPECT_FALSE(turning());
    EXPECT_FALSE(hub().isLoading());
    EXPECT_FALSE(hub().isLogin());
    ASSERT_TRUE(alert());
    EXPECT_EQ(alert()->title(), "Error");
    EXPECT_EQ(alert()->message(), "Connection error");
    EXPECT_EQ(alert()->buttonTitles(), std::vector<std::string>{"OK"});
    alert()->dismiss(0);

    // Cut short: part of a success arrived, then the connection broke.
    session.services.clearUrlReplies();
    reply("checkUser.php", UrlReply{{"[1"}, "connection reset", 0, 200});
    ASSERT_TRUE(session.run("action joinClick\nwait 1\n"));
    EXPECT_FALSE(hub().isShowUserDetailsView());
    EXPECT_FALSE(hub().isJoinStep1());
    ASSERT_TRUE(alert());
    alert()->dismiss(0);

    session.services.setRefusingConnections(true);
    ASSERT_TRUE(session.run("action forgetClick\n"));
    EXPECT_FALSE(turning());
    EXPECT_FALSE(hub().isLoading());
    EXPECT_FALSE(hub().isForgot());
    ASSERT_TRUE(alert());
    EXPECT_EQ(alert()->title(), "Error");
    alert()->dismiss(0);

    session.services.setRefusingConnections(false);
    session.services.clearUrlReplies();
    answer("loginClick", "loginUser.php", UrlReply::text("[1]"));
    EXPECT_EQ(urls("loginUser.php").size(), 2u) << "the hub takes requests again";
    EXPECT_EQ(session.app->login, "ala");
}

TEST_P(HubAccountTest, TheSubmissionAndALogInEachGetTheirOwnReply) {
    deviceHadALogin();
    session.app->login = "ala kot";
    SettingManagement().saveSetting("autologin", "1");
    session.app->autologin = "1";
    session.store(1200, "handgun", 4, "ala kot");
    reply("sendScore.php", UrlReply{{"1", "2"}, "", 1, 200});
    session.openHub();
    ASSERT_EQ(urls("sendScore.php").size(), 1u);
    EXPECT_EQ(urls("sendScore.php")[0],
              "http://svc.test/sendScore.php?username=ala+kot&score=1200");
    for (const UrlRequest& request : session.services.urlRequests()) {
        EXPECT_EQ(request.headerField.empty(), request.url.find("sendScore") != std::string::npos);
    }
    EXPECT_TRUE(hub().isSendingScoresToGlobalRanking());

    // A log-in that finishes while the submission is still on its way.
    fill("ola", "pw");
    reply("loginUser.php", UrlReply{{"[0,\"Wrong user name or password.\"]"}, "", 0.2, 200});
    ASSERT_TRUE(session.run("action loginClick\nwait 0.3\n"));
    EXPECT_EQ(text("messageLabel"), "Wrong user name or password.");
    EXPECT_FALSE(hub().isLoading());
    EXPECT_TRUE(hub().isSendingScoresToGlobalRanking());
    EXPECT_EQ(text("rankLabel"), "0");
    ASSERT_TRUE(session.run("wait 1\n"));
    EXPECT_FALSE(hub().isSendingScoresToGlobalRanking());
    EXPECT_EQ(text("rankLabel"), "12") << "the whole reply, not its last chunk";

    for (UrlReply bad : {UrlReply::text("0", 404), UrlReply::failure("Operation timed out"),
                         UrlReply{{"3"}, "connection reset", 0, 200}}) {
        session.services.clearUrlReplies();
        reply("sendScore.php", bad);
        hub().viewWillAppear(false);
        ASSERT_TRUE(session.run("wait 0.1\n"));
        EXPECT_EQ(text("rankLabel"), "12") << bad.error;
        EXPECT_FALSE(hub().isSendingScoresToGlobalRanking()) << bad.error;
    }
    EXPECT_FALSE(alert());
}

TEST_P(HubAccountTest, LogOutBacksUpTheLeavingUserAndShowsZeros) {
    deviceHadALogin();
    session.app->login = "ala kot";
    session.app->autologin = "1";
    session.store(300, "sniper", 27, "ala kot");
    reply("sendScore.php", UrlReply::text("4"));
    session.openHub();
    ASSERT_TRUE(session.run("wait 0.1\naction showSettingsViewOrAfterLoginView\nwait 0.6\n"));
    EXPECT_TRUE(hub().isShowAfterLoginView());
    const size_t backups = urls("createCopy.php").size();
    ASSERT_TRUE(session.run("action logoutClick\n"));
    ASSERT_EQ(urls("createCopy.php").size(), backups + 1);
    EXPECT_EQ(urls("createCopy.php").back(),
              "http://svc.test/createCopy.php?json=%5B%5B%2727%27%2C%27300%27%2C%27sniper%27%5D%5D"
              "&username=ala%20kot");
    EXPECT_EQ(session.app->login, "");
    EXPECT_EQ(setting("login"), "");
    EXPECT_EQ(text("usernameLabel"), "");
    EXPECT_EQ(text("usernameLabel2"), "");
    EXPECT_TRUE(session.top()->outlet<ImageView>("greenDot")->isHidden());
    for (const char* outlet : {"sniperTotalPoints", "totalPointsLabel", "rankLabel"}) {
        EXPECT_EQ(text(outlet), "0") << outlet;
    }
    EXPECT_FALSE(hub().isShowAfterLoginView());
}

TEST_P(HubAccountTest, APoppedHubHearsNoReplyTimerOrAlert) {
    session.openHub();
    fill("ala", "pw");
    answer("joinClick", "checkUser.php", UrlReply::text("[1]"));
    reply("loginUser.php", UrlReply{{"[1]"}, "", 1, 200});
    ASSERT_TRUE(session.run("action loginClick\naction backButton\nwait 2\n"));
    EXPECT_EQ(session.app->login, "defaultUser");

    deviceHadALogin();
    session.openHub();
    fill("ala", "pw");
    session.services.clearUrlReplies();
    reply("loginUser.php", UrlReply::text("[1]"));
    ASSERT_TRUE(session.run("action loginClick\nwait 0.1\naction backButton\nwait 1\n"));
    ASSERT_TRUE(alert());
    alert()->dismiss(0);
    EXPECT_TRUE(urls("restoreCopy.php").empty()) << "the question died with its hub";
}

TEST_P(HubAccountTest, NoPasswordReachesTheLog) {
    session.openHub();
    fill("ala", "Tajne#Haslo");
    answer("loginClick", "loginUser.php", UrlReply::failure("Operation timed out"));
    answer("joinClick", "checkUser.php", UrlReply::text("<html>oops</html>", 500));
    for (const std::string& line : Platform::current().logLines()) {
        EXPECT_EQ(line.find("Tajne"), std::string::npos) << line;
    }
}

INSTANTIATE_TEST_SUITE_P(Profiles, HubAccountTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& param) {
                             return param.param ? "tablet" : "phone";
                         });

}  // namespace
