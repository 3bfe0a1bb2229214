// The gun selection of a category: the scores and totals it reads, the pictures and hidden
// labels of each category, which gun each button opens, and the second handgun page.
#include <vector>

#include "platform/Button.h"
#include "platform/ImageView.h"
#include "platform/Label.h"
#include "tests/game/HubSession.h"

namespace {

class GunSelectionTest : public ::testing::TestWithParam<bool> {
protected:
    GunSelectionTest() : session(GetParam() ? DeviceProfile::tablet() : DeviceProfile::phone()) {}

    bool tablet() const { return GetParam(); }
    std::string label(const std::string& outlet) {
        return session.top()->outlet<Label>(outlet)->text();
    }
    bool hidden(const std::string& outlet) { return session.top()->outletView(outlet)->isHidden(); }
    // The gun that the button at POSITION opens, or 0 when the press does nothing.
    int opens(int position) {
        ViewController* page = session.top();
        page->sendAction("gun" + std::to_string(position));
        session.run("wait 0.6\n");
        auto* play = dynamic_cast<PlayController*>(session.top());
        if (!play) {
            return 0;
        }
        EXPECT_EQ(play->className(), tablet() ? "PlayController_ipad" : "PlayController");
        const int id = play->id_gun();
        session.navigation().popViewControllerAnimated(false);
        return id;
    }

    HubSession session;
};

TEST_P(GunSelectionTest, SniperShowsEachScoreAtItsPositionAndMovesItsTotal) {
    session.store(120, "sniper", 27);
    session.store(80, "sniper", 26);
    session.openPage("sniper");
    EXPECT_EQ(label("gun1Label"), "120");
    EXPECT_EQ(label("gun2Label"), "80");
    EXPECT_EQ(label("totalPointsLabel"), "200");
    EXPECT_EQ(label("totalPointsLabel2"), "200");
    for (const char* outlet : {"gun3Label", "gun4Label", "gun5Label", "gun6Label"}) {
        EXPECT_TRUE(hidden(outlet)) << outlet;
    }
    EXPECT_FALSE(hidden("gun1Label"));
    EXPECT_FALSE(hidden("totalPointsLabel"));
    const Rect expected = tablet() ? Rect{780, 293, 87, 22} : Rect{353, 107, 87, 21};
    EXPECT_EQ(session.top()->outletView("totalPointsLabel")->frame(), expected);
}

TEST_P(GunSelectionTest, EachButtonOpensTheGunOfItsPosition) {
    struct Case {
        const char* category;
        std::vector<int> ids;  // positions 1 to 6; 0 where the press does nothing
    };
    for (const Case& page :
         {Case{"handgun", {1, 2, 3, 4, 5, 6}}, Case{"submachine", {12, 13, 14, 15, 16, 0}},
          Case{"rifles", {18, 19, 20, 21, 22, 0}}, Case{"machineguns", {23, 24, 25, 0, 0, 0}},
          Case{"sniper", {27, 26, 0, 0, 0, 0}}, Case{"shotgun", {29, 30, 28, 0, 0, 0}}}) {
        SCOPED_TRACE(page.category);
        session.openPage(page.category);
        for (int position = 1; position <= 6; ++position) {
            EXPECT_EQ(opens(position), page.ids[static_cast<size_t>(position - 1)])
                << "position " << position;
        }
        // The second page's buttons are handguns whatever the page.
        EXPECT_EQ(opens(9), 9);
        session.navigation().popViewControllerAnimated(false);
    }
}

// The category picture and the pressed pictures of gun1 … gun6, phone names as the design
// writes them, odd ones included.
TEST_P(GunSelectionTest, EachCategoryShowsItsPictureAndPressedPictures) {
    struct Case {
        const char* category;
        std::string background;
        std::vector<std::string> pressed;  // "" where the button gets none
    };
    const std::vector<Case> cases = {
        {"handgun",
         "g_hand_select_01.jpg",
         {"g_hand_01ak.jpg", "g_hand_02ak.jpg", "g_hand_03ak.jpg", "g_hand_04ak.jpg",
          "g_hand_05ak.jpg", "g_hand_06ak.jpg"}},
        {"submachine",
         "g_sub_select.jpg",
         {"g_sub_01ak.jpg", "g_sub_02ak.jpg", "g_sub_03ak.jpg", "g_sub_04ak.jpg", "g_sub_05ak.jpg",
          ""}},
        {"rifles",
         "g_rifle_select.jpg",
         {"g_rifle_01ak.jpg.jpg", "g_rifle_02ak.jpg", "g_rifle_03ak.jpg", "g_rifle04ak.jpg",
          "g_rifle_05ak.jpg", ""}},
        {"machineguns",
         "g_machine_select.jpg",
         {"g_machine_01ak.jpg", "g_machine_02ak.jpg", "g_machine_03ak.jpg", "g_machine_04ak.jpg",
          "g_machine_05ak.jpg", "g_machine_06ak.jpg"}},
        {"sniper",
         "g_sniper_select.jpg",
         {"g_sniper_01ak.jpg", "g_sniper_02ak.jpg", "g_sniper_03ak.jpg", "g_sniper_04ak.jpg",
          "g_sniper_05ak.jpg", "g_sniper_06ak.jpg"}},
        {"shotgun",
         "g_shot_select.jpg",
         {"g_shot_01ak.jpg", "g_shot_02ak.jpg", "g_shot_03ak.jpg", "", "", ""}},
    };
    // The tablet inserts "_ipad" before ".jpg" into the category picture and "@2x" into the
    // pressed pictures; the first rifle's doubled extension is a single one there.
    const auto onProfile = [this](const std::string& phoneName, const std::string& insert) {
        if (!tablet() || phoneName.empty()) {
            return phoneName;
        }
        if (phoneName == "g_rifle_01ak.jpg.jpg") {
            return std::string("g_rifle_01ak@2x.jpg");
        }
        return phoneName.substr(0, phoneName.size() - 4) + insert + ".jpg";
    };
    for (const Case& page : cases) {
        SCOPED_TRACE(page.category);
        session.openPage(page.category);
        const std::string background = onProfile(page.background, "_ipad");
        EXPECT_EQ(session.top()->outlet<ImageView>("background")->image(), background);
        for (int position = 1; position <= 6; ++position) {
            const size_t index = static_cast<size_t>(position - 1);
            const auto* button = session.top()->outlet<Button>("gun" + std::to_string(position));
            EXPECT_EQ(button->highlightedImage(), onProfile(page.pressed[index], "@2x"))
                << "gun" << position;
        }
        if (std::string(page.category) == "handgun") {
            session.top()->sendAction("nextButton:");
            session.run("wait 0.6\n");
            EXPECT_TRUE(
                dynamic_cast<GameInsideController&>(*session.top()).isGameInsideController1());
            EXPECT_EQ(session.top()->outlet<ImageView>("background")->image(), background)
                << "the second page shows its category's picture too";
            session.navigation().popViewControllerAnimated(false);
        }
        session.navigation().popViewControllerAnimated(false);
    }
}

TEST_P(GunSelectionTest, EachCategoryHidesTheLabelsOfItsEmptyPositions) {
    struct Case {
        const char* category;
        std::vector<int> hiddenLabels;
    };
    for (const Case& page : {Case{"handgun", {}}, Case{"submachine", {6}}, Case{"rifles", {6}},
                             Case{"machineguns", {4, 5, 6}}, Case{"sniper", {3, 4, 5, 6}},
                             Case{"shotgun", {4, 5, 6}}}) {
        SCOPED_TRACE(page.category);
        session.openPage(page.category);
        for (int position = 1; position <= 6; ++position) {
            const std::string outlet = "gun" + std::to_string(position) + "Label";
            const bool shouldHide = std::find(page.hiddenLabels.begin(), page.hiddenLabels.end(),
                                              position) != page.hiddenLabels.end();
            EXPECT_EQ(hidden(outlet), shouldHide) << outlet;
        }
        EXPECT_EQ(hidden("totalPointsLabel"), std::string(page.category) == "handgun");
        session.navigation().popViewControllerAnimated(false);
    }
}

TEST_P(GunSelectionTest, TheSecondHandgunPageAddsItsScoresToTheFirstPagesTotal) {
    session.store(200, "handgun", 1);
    session.store(100, "handgun", 6);
    session.store(50, "handgun", 7);
    session.store(50, "handgun", 11);
    session.openHub();
    ASSERT_TRUE(session.run("action handguns:\nwait 0.6\n"));
    EXPECT_EQ(label("totalPointsLabel2"), "300");
    session.top()->sendAction("nextButton:");
    session.run("wait 0.6\n");
    auto& second = dynamic_cast<GameInsideController&>(*session.top());
    EXPECT_TRUE(second.isGameInsideController1());
    EXPECT_EQ(second.className(), "GameInsideController" + session.suffix());
    EXPECT_EQ(second.layoutName(), "GameInsideController1");
    EXPECT_EQ(second.totalPoints(), "300");
    EXPECT_EQ(label("gun7Label"), "50");
    EXPECT_EQ(label("gun11Label"), "50");
    EXPECT_EQ(label("totalPointsLabel2"), "400");
    EXPECT_TRUE(hidden("totalPointsLabel"));
    EXPECT_EQ(opens(8), 8);

    // Back from the second page skips the first one.
    ASSERT_TRUE(session.run("action backButtonHandGun\nwait 0.6\nexpect-screen GameMenuController" +
                            session.suffix() + "\n"));
    EXPECT_EQ(session.navigation().viewControllers().size(), 3u);
}

TEST_P(GunSelectionTest, TheSecondPageWithoutAHubBelowGoesBackOnePage) {
    ASSERT_TRUE(session.run("open GameInsideController" + session.suffix() +
                            " handgun 120\nwait 0.6\nexpect totalPointsLabel2.text = 120\n"));
    session.top()->sendAction("backButtonHandGun");
    session.run("wait 0.6\n");
    EXPECT_EQ(session.navigation().viewControllers().size(), 2u);
}

TEST_P(GunSelectionTest, OnlyTheHandgunPageHasASecondPage) {
    session.openPage("handgun");
    EXPECT_FALSE(hidden("nextButton"));
    session.navigation().popViewControllerAnimated(false);
    session.openPage("rifles");
    EXPECT_TRUE(hidden("nextButton")) << "no page to go on to";
    session.top()->sendAction("nextButton:");
    session.run("wait 0.6\n");
    EXPECT_EQ(session.navigation().viewControllers().size(), 3u);
}

TEST_P(GunSelectionTest, ScoresShowAsStoredAndCountByTheirLeadingDigits) {
    // A restore can put any text in the database.
    ASSERT_TRUE(ScoreDatabase::updateLocalDatabase("ala", {{"12", "75 pts", "submachine"},
                                                           {"13", "abc", "submachine"},
                                                           {"14", "2147483647", "submachine"},
                                                           {"15", "99999999999", "submachine"},
                                                           {"17", "500", "submachine"}}));
    session.app->login = "ala";
    session.openPage("submachine");
    EXPECT_EQ(label("gun1Label"), "75 pts");
    EXPECT_EQ(label("gun2Label"), "abc");
    EXPECT_EQ(label("gun4Label"), "99999999999");
    EXPECT_EQ(label("gun5Label"), "0") << "gun 17 has no place";
    // 75 + 0 + 2^31 - 1 + (2^31 - 1): held to the 32-bit limit, not wrapped.
    EXPECT_EQ(label("totalPointsLabel"), "2147483647");
}

TEST_P(GunSelectionTest, RowsOfTheEmptyNameShowAndOtherUsersDoNot) {
    session.store(640, "rifles", 19, "");
    session.store(999, "rifles", 20, "ola");
    session.app->login = "";
    session.openPage("rifles");
    EXPECT_EQ(label("gun2Label"), "640");
    EXPECT_EQ(label("gun3Label"), "0");
    EXPECT_EQ(label("totalPointsLabel"), "640");
}

TEST_P(GunSelectionTest, ThePageIsReadAgainOnEveryAppearance) {
    session.openPage("shotgun");
    EXPECT_EQ(label("gun3Label"), "0");
    session.store(1500, "shotgun", 28);
    opens(1);
    EXPECT_EQ(label("gun3Label"), "1500");
    EXPECT_EQ(label("totalPointsLabel"), "1500");
}

INSTANTIATE_TEST_SUITE_P(BothProfiles, GunSelectionTest, ::testing::Values(false, true),
                         [](const auto& test) { return test.param ? "Tablet" : "Phone"; });

}  // namespace
