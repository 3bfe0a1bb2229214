// The game hub: totals and the leaderboard report, the backup when the total grew, the
// logged-in look, the category actions and their sounds, and the sliding panels.
#include "platform/ImageView.h"
#include "platform/Label.h"
#include "platform/PickerView.h"
#include "platform/Switch.h"
#include "platform/TextField.h"
#include "tests/game/HubSession.h"
#include "tests/support/ResourcesWithout.h"

namespace {

class GameHubTest : public ::testing::TestWithParam<bool> {
protected:
    GameHubTest() : session(GetParam() ? DeviceProfile::tablet() : DeviceProfile::phone()) {}

    bool tablet() const { return GetParam(); }
    std::string label(const std::string& outlet) {
        return session.top()->outlet<Label>(outlet)->text();
    }
    double panelY(const char* outlet) { return session.top()->outletView(outlet)->frame().y; }
    const std::vector<LeaderboardReport>& reports() {
        return session.services.headlessLeaderboard().reports();
    }

    HubSession session;
};

TEST_P(GameHubTest, WithoutResultsEveryTotalIsZeroAndNoBackupStarts) {
    session.openHub();
    for (const char* outlet :
         {"handgunsTotalPoints", "submachineTotalPoints", "riflesTotalPoints", "machineTotalPoints",
          "sniperTotalPoints", "shotgunsTotalPoints", "totalPointsLabel"}) {
        EXPECT_EQ(label(outlet), "0") << outlet;
    }
    EXPECT_EQ(session.logged("wysylam punkty na serwer"), 0u);
    EXPECT_EQ(session.backupRequests(), 0u);
    ASSERT_EQ(reports().size(), 1u) << "a total of 0 is reported too";
    EXPECT_EQ(reports()[0].value, 0);
    EXPECT_EQ(reports()[0].category, "kalvorn2");
    EXPECT_EQ(session.logged("WYSLANO OK!"), 1u);
}

TEST_P(GameHubTest, TotalsSumTheCategoriesAndTheFirstHubWithPointsBacksUp) {
    session.store(1000, "handgun", 1);
    session.store(500, "handgun", 9);
    session.store(300, "submachine", 12);
    session.store(200, "rifles", 22);
    session.store(40, "machineguns", 23);
    session.store(5, "sniper", 26);
    session.store(2, "shotgun", 28);
    session.store(7777, "handgun", 1, "ola");
    session.openHub();
    EXPECT_EQ(label("handgunsTotalPoints"), "1500");
    EXPECT_EQ(label("submachineTotalPoints"), "300");
    EXPECT_EQ(label("riflesTotalPoints"), "200");
    EXPECT_EQ(label("machineTotalPoints"), "40");
    EXPECT_EQ(label("sniperTotalPoints"), "5");
    EXPECT_EQ(label("shotgunsTotalPoints"), "2");
    EXPECT_EQ(label("totalPointsLabel"), "2047");
    EXPECT_EQ(session.logged("wysylam punkty na serwer"), 1u);
    EXPECT_EQ(session.backupRequests(), 1u);
    EXPECT_EQ(session.app->poprzedniWynik, 2047);
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].value, 2047);
}

TEST_P(GameHubTest, ATotalThatFellOrStayedStartsNoBackup) {
    session.store(900, "rifles", 18);
    session.app->poprzedniWynik = 1200;
    GameMenuController& hub = session.openHub();
    EXPECT_EQ(session.backupRequests(), 0u);
    EXPECT_EQ(session.app->poprzedniWynik, 900) << "the fallen total is the new mark";

    hub.viewWillAppear(false);
    EXPECT_EQ(session.backupRequests(), 0u) << "900 is not more than 900";
    session.store(100, "rifles", 19);
    hub.viewWillAppear(false);
    EXPECT_EQ(session.backupRequests(), 1u);
    EXPECT_EQ(session.logged("wysylam punkty na serwer"), 1u);
}

TEST_P(GameHubTest, SaturatedTotalsAreShownClampedAndReportedWhole) {
    std::vector<ResultRow> rows;
    for (const char* category :
         {"handgun", "submachine", "rifles", "machineguns", "sniper", "shotgun"}) {
        const int id = std::string(category) == "handgun"       ? 1
                       : std::string(category) == "submachine"  ? 12
                       : std::string(category) == "rifles"      ? 18
                       : std::string(category) == "machineguns" ? 23
                       : std::string(category) == "sniper"      ? 26
                                                                : 28;
        rows.push_back({std::to_string(id), "99999999999", category});
    }
    ASSERT_TRUE(ScoreDatabase::updateLocalDatabase("ala", rows));
    session.app->login = "ala";
    session.app->autologin = "1";
    session.openHub();
    EXPECT_EQ(label("sniperTotalPoints"), "99999999999");
    EXPECT_EQ(label("totalPointsLabel"), "2147483647");
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].value, 6 * int64_t{2147483647});
}

TEST_P(GameHubTest, WithoutAutologinANewHubIsLoggedOut) {
    session.app->login = "ala";
    session.app->autologin = "0";
    session.openHub();
    EXPECT_EQ(session.app->login, "defaultUser");
    EXPECT_EQ(label("usernameLabel"), "");
    EXPECT_EQ(label("usernameLabel2"), "");
    EXPECT_TRUE(session.top()->outletView("greenDot")->isHidden());
    EXPECT_FALSE(session.top()->outlet<Switch>("autologowanie")->isOn());
}

TEST_P(GameHubTest, WithAutologinAStoredNameIsShownWithTheGreenDot) {
    session.app->login = "ala";
    session.app->autologin = "1";
    session.openHub();
    EXPECT_EQ(session.app->login, "ala");
    EXPECT_EQ(label("usernameLabel"), "ala");
    EXPECT_EQ(label("usernameLabel2"), "ala");
    EXPECT_FALSE(session.top()->outletView("greenDot")->isHidden());
    EXPECT_TRUE(session.top()->outlet<Switch>("autologowanie")->isOn());

    // Logged out in between (the empty name counts as logged out).
    session.app->login = "";
    session.top()->viewWillAppear(false);
    EXPECT_EQ(label("usernameLabel"), "");
    EXPECT_TRUE(session.top()->outletView("greenDot")->isHidden());
}

TEST_P(GameHubTest, SetUpStartsFromZeroAndTheSecondCountry) {
    GameMenuController& hub = session.openHub();
    EXPECT_EQ(label("rankLabel"), "0");
    EXPECT_EQ(label("messageLabel"), "");
    EXPECT_EQ(label("selectedCountryLabel"), "Albania");
    ASSERT_GT(hub.pickerArray().size(), 1u);
    EXPECT_EQ(hub.pickerArray()[0], "Afghanistan");
    EXPECT_TRUE(session.top()->outletView("indicator")->isHidden());

    // The country picker: one column of the 193 names, on row 1 at the same place on both
    // profiles; a spin shows the chosen name.
    auto* picker = session.top()->outlet<PickerView>("pickerView");
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->frame(), (Rect{172, 104, 212, 162}));
    EXPECT_EQ(picker->numberOfComponents(), 1);
    EXPECT_EQ(picker->numberOfRowsInComponent(0), 193);
    EXPECT_EQ(picker->selectedRowInComponent(0), 1);
    EXPECT_EQ(picker->titleForRow(1, 0), "Albania");
    EXPECT_EQ(picker->titleForRow(36, 0), "Colombi");
    EXPECT_EQ(picker->titleForRow(192, 0), "Zimbabwe");
    ASSERT_TRUE(session.run("pick pickerView 41\n"));
    EXPECT_EQ(label("selectedCountryLabel"), "Cote d'Ivoire");
    EXPECT_FALSE(session.run("pick pickerView 193\n"));
    EXPECT_EQ(label("selectedCountryLabel"), "Cote d'Ivoire");

    session.app->position_in_ranking = "17";
    EXPECT_EQ(label("rankLabel"), "0");
    hub.sendAction("getPositionOnRanking");
    EXPECT_EQ(label("rankLabel"), "17");
}

TEST_P(GameHubTest, EachCategoryPlaysItsSoundAndOpensItsPage) {
    struct Case {
        const char* action;
        const char* sound;
        const char* category;
    };
    session.openHub();
    for (const Case& row :
         {Case{"handguns:", "load_1", "handgun"}, Case{"submachine", "load_2", "submachine"},
          Case{"rifles", "load_3", "rifles"}, Case{"machine", "load_4", "machineguns"},
          Case{"sniper", "load_5", "sniper"}, Case{"shotgun", "load_6", "shotgun"}}) {
        SCOPED_TRACE(row.action);
        ASSERT_TRUE(session.run(std::string("action ") + row.action + "\nwait 0.6\n"));
        auto* page = dynamic_cast<GameInsideController*>(session.top());
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->className(), "GameInsideController" + session.suffix());
        EXPECT_EQ(page->category(), row.category);
        EXPECT_FALSE(page->isGameInsideController1());
        ASSERT_FALSE(session.services.sounds().empty());
        const SoundRecord& sound = *session.services.sounds().back();
        EXPECT_EQ(sound.name, row.sound);
        EXPECT_EQ(sound.type, "aif");
        EXPECT_TRUE(sound.resourceFound) << "the build makes " << row.sound;
        ASSERT_TRUE(session.run("action backButton\nwait 0.6\nexpect-screen GameMenuController" +
                                session.suffix() + "\n"));
    }
    // Each new sound replaces the player of the one before.
    const auto& sounds = session.services.sounds();
    EXPECT_TRUE(sounds[sounds.size() - 2]->released);
    EXPECT_FALSE(sounds.back()->released);
}

TEST_P(GameHubTest, ACategoryWhoseSoundIsMissingOpensInSilence) {
    session.store(450, "rifles", 20);
    ResourcesWithout missing({"load_3.aif"});
    session.openHub();
    ASSERT_TRUE(session.run("action rifles\nwait 0.6\nexpect-screen GameInsideController" +
                            session.suffix() + "\nexpect gun3Label.text = 450\n"));
    ASSERT_FALSE(session.services.sounds().empty());
    const SoundRecord& sound = *session.services.sounds().back();
    EXPECT_EQ(sound.name, "load_3");
    EXPECT_FALSE(sound.resourceFound);
    EXPECT_EQ(sound.playCount, 0);
    ASSERT_TRUE(
        session.run("action backButton\nwait 0.6\nexpect riflesTotalPoints.text = 450\n"
                    "action sniper\nwait 0.6\n"));
    EXPECT_TRUE(session.services.sounds().back()->resourceFound) << "the next sound plays";
}

TEST_P(GameHubTest, EachPanelMovesByItsOffsetOnlyFromItsOtherState) {
    struct Case {
        const char* panel;
        const char* show;
        const char* hide;
        double offset;
    };
    session.openHub();
    for (const Case& row :
         {Case{"settingsView", "showSettingsView", "applySettings", tablet() ? 301.0 : 144.0},
          Case{"afterLoginView", "showAfterLoginView", "hideAfterLoginView",
               tablet() ? 300.0 : 150.0},
          Case{"userDetailsView", "showUserDetailsView", "hideUserDetailsView",
               tablet() ? 588.0 : 300.0}}) {
        SCOPED_TRACE(row.panel);
        const double out = panelY(row.panel);
        EXPECT_LT(out + session.top()->outletView(row.panel)->frame().height, 1.0)
            << "tucked above the top edge";
        ASSERT_TRUE(session.run(std::string("action ") + row.hide + "\n"));
        EXPECT_EQ(panelY(row.panel), out) << "hiding a panel that is out";
        ASSERT_TRUE(session.run(std::string("action ") + row.show + "\naction " + row.show +
                                "\nwait 0.6\n"));
        EXPECT_EQ(panelY(row.panel), out + row.offset) << "shown twice, moved once";
        ASSERT_TRUE(session.run(std::string("action ") + row.hide + "\naction " + row.hide +
                                "\nwait 0.6\n"));
        EXPECT_EQ(panelY(row.panel), out);
    }
}

TEST_P(GameHubTest, TheAccountButtonOpensTheAfterLoginPanelOnlyForANamedUser) {
    GameMenuController& hub = session.openHub();
    ASSERT_TRUE(session.run("action showSettingsViewOrAfterLoginView\n"));
    EXPECT_TRUE(hub.isShowSettingsView());
    EXPECT_FALSE(hub.isShowAfterLoginView());

    session.app->login = "ala";
    hub.viewWillAppear(false);
    ASSERT_TRUE(session.run("action showSettingsViewOrAfterLoginView\n"));
    EXPECT_TRUE(hub.isShowAfterLoginView());
}

TEST_P(GameHubTest, TheReturnKeyAndClosingAPanelTakeTheKeyboardAway) {
    GameMenuController& hub = session.openHub();
    auto* login = hub.outlet<TextField>("login");
    auto* password = hub.outlet<TextField>("password");
    auto* email = hub.outlet<TextField>("email");
    ASSERT_TRUE(session.run("action showSettingsView\nwait 0.6\ntap login\n"));
    EXPECT_TRUE(login->isFirstResponder());
    login->pressReturn();
    EXPECT_FALSE(login->isFirstResponder());

    password->becomeFirstResponder();
    hub.applySettings();
    EXPECT_FALSE(password->isFirstResponder());
    email->becomeFirstResponder();
    hub.hideUserDetailsView();  // the panel is out: only the focus goes
    EXPECT_FALSE(email->isFirstResponder());
}

TEST_P(GameHubTest, LeaderboardFailuresAreOnlyLogged) {
    session.services.headlessLeaderboard().setAuthenticationError("no player");
    session.openHub();
    EXPECT_EQ(session.logged("Authentication failed"), 1u);
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(label("totalPointsLabel"), "0");
}

TEST_P(GameHubTest, AHubPoppedBeforeTheLeaderboardAnswersIsSafe) {
    std::unique_ptr<GameMenuController> hub;
    if (tablet()) {
        hub = std::make_unique<GameMenuController_ipad>();
    } else {
        hub = std::make_unique<GameMenuController>();
    }
    session.navigation().pushViewController(std::move(hub), false);
    // The completions wait in the run loop.
    EXPECT_EQ(session.logged("WYSLANO OK!"), 0u);
    session.navigation().popViewControllerAnimated(false);
    ASSERT_TRUE(session.run("wait 1\n"));
    EXPECT_EQ(session.logged("WYSLANO OK!"), 1u);
    EXPECT_EQ(session.navigation().viewControllers().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(BothProfiles, GameHubTest, ::testing::Values(false, true),
                         [](const auto& test) { return test.param ? "Tablet" : "Phone"; });

}  // namespace
