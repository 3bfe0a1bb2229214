// The gun encyclopedia, run headless from the main menu as a player would see it: a gun of the
// list turns the screen over to its page, the page's return control turns it back, and the two
// faces are the same views every time.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/AppDelegate_All.h"
#include "platform/ImageView.h"
#include "platform/NavigationController.h"
#include "platform/ScrollView.h"
#include "shell/FlipView.h"
#include "shell/RavuravovController.h"
#include "tests/support/LaunchedGame.h"

namespace {

using Profile = LaunchOptions::Profile;

std::string suffixOf(Profile profile) {
    return profile == Profile::Tablet ? "_ipad" : "";
}

// Starts the game and opens the encyclopedia from the main menu.
RavuravovController& openEncyclopedia(LaunchedGame& game, Profile profile) {
    game.services().setMovieDuration(1.0);
    game.launch();
    EXPECT_TRUE(
        game.run("wait 1.2\ntap ravuravovButton\nwait 0.5\nexpect-screen "
                 "RavuravovController" +
                 suffixOf(profile) + "\n"));
    return dynamic_cast<RavuravovController&>(
        *game.app().navigationController().topViewController());
}

class RavuravovTest : public ::testing::TestWithParam<Profile> {};

struct Page {
    const char* action;
    const char* picture;  // the phone's name
};

// Every page action and its picture, as the encyclopedia's table gives them.
constexpr Page kPagesAsSpecified[] = {
    {"MG42", "guno_29.jpg"},        {"M16", "guno_14.jpg"},
    {"M249", "guno_28.jpg"},        {"L85", "guno_13.jpg"},
    {"BAR", "guno_27.jpg"},         {"AK47", "guno_12.jpg"},
    {"PM84", "guno_26.jpg"},        {"Walther99", "guno_11.jpg"},
    {"MP5", "guno_25.jpg"},         {"Walther38", "guno_10.jpg"},
    {"MP40", "guno_24.jpg"},        {"VisWZ", "guno_09.jpg"},
    {"KP31", "guno_23.jpg"},        {"HKUSP", "guno_08.jpg"},
    {"FNP90", "guno_22.jpg"},       {"PO8Parabellum", "guno_07.jpg"},
    {"SWDDragunov", "guno_21.jpg"}, {"Makoarov", "guno_06.jpg"},
    {"SteyrSSG", "guno_20.jpg"},    {"Glock", "guno_05.jpg"},
    {"Mossberg500", "guno_19.jpg"}, {"DesertEagle", "guno_04.jpg"},
    {"SPAS15", "guno_18.jpg"},      {"CZ", "guno_03.jpg"},
    {"Saga12", "guno_17.jpg"},      {"Colt1911", "guno_02.jpg"},
    {"SG44", "guno_16.jpg"},        {"Beretta92", "guno_01.jpg"},
    {"SteyerAUG77", "guno_15.jpg"},
};

TEST_P(RavuravovTest, EveryGunOfTheListShowsItsOwnFullPagePicture) {
    LaunchedGame game(GetParam());
    RavuravovController& screen = openEncyclopedia(game, GetParam());
    const bool tablet = GetParam() == Profile::Tablet;
    const Size page = tablet ? Size{1024, 768} : Size{480, 320};
    auto* gunList = screen.outlet<ScrollView>("gunList");
    ASSERT_NE(gunList, nullptr);
    for (const Page& entry : kPagesAsSpecified) {
        SCOPED_TRACE(entry.action);
        std::string picture = entry.picture;
        if (tablet) {
            picture.replace(picture.size() - 4, 4, "_ipad.jpg");
        }
        // Scrolled so that the entry is in view, then tapped as a finger would.
        View* button = screen.outletView(entry.action);
        ASSERT_NE(button, nullptr);
        ASSERT_EQ(button->superview(), gunList);
        gunList->setContentOffset(
            {0, std::min(button->frame().y, gunList->maximumContentOffset().y)});
        ASSERT_TRUE(game.run("tap " + std::string(entry.action) +
                             "\nexpect zmienBronView.image = " + picture + "\n"));
        // The picture exists and fills the page.
        EXPECT_EQ(screen.zmienBronView()->imageSize(), page);
        ASSERT_TRUE(game.run("wait 1.1\ntap back\nwait 1.1\n"));
        EXPECT_EQ(screen.zmienBronView()->image(), picture) << "kept until the next choice";
    }
}

TEST_P(RavuravovTest, PageTurnsOverAndBackOnTheSameFaces) {
    LaunchedGame game(GetParam());
    RavuravovController& screen = openEncyclopedia(game, GetParam());
    flip* obrot = screen.obrot();
    ASSERT_NE(obrot, nullptr);
    EXPECT_EQ(obrot->typeName(), GetParam() == Profile::Tablet ? "flip_ipad" : "flip");
    View* list = obrot->main();
    View* page = obrot->sponsor();
    ASSERT_NE(list, nullptr);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(obrot->subviews(), (std::vector<View*>{list})) << "starts on the list";
    EXPECT_TRUE(screen.zmienBronView()->isDescendantOf(*page));

    ASSERT_TRUE(game.run("tap MG42\n"));
    EXPECT_EQ(obrot->subviews(), (std::vector<View*>{page})) << "the model turns at once";
    ASSERT_TRUE(obrot->presentedTransition().has_value());
    EXPECT_EQ(obrot->presentedTransition()->transition, ViewTransition::FlipFromLeft);
    ASSERT_TRUE(game.run("wait 0.9\n"));
    EXPECT_TRUE(obrot->presentedTransition().has_value()) << "turning for 1.0 s";
    ASSERT_TRUE(game.run("wait 0.2\n"));
    EXPECT_FALSE(obrot->presentedTransition().has_value());

    // The page's return control turns the view, not the screen.
    ASSERT_TRUE(game.run("tap back\n"));
    EXPECT_EQ(obrot->presentedTransition()->transition, ViewTransition::FlipFromRight);
    ASSERT_TRUE(
        game.run("wait 1.1\nexpect-screen RavuravovController" + suffixOf(GetParam()) + "\n"));
    EXPECT_EQ(obrot->subviews(), (std::vector<View*>{list}));
    EXPECT_EQ(obrot->main(), list) << "never made again";
    EXPECT_EQ(obrot->sponsor(), page);
}

TEST_P(RavuravovTest, GoingTwiceKeepsThePageWithOneSponsorFace) {
    LaunchedGame game(GetParam());
    RavuravovController& screen = openEncyclopedia(game, GetParam());
    ASSERT_TRUE(game.run("action Glock\nwait 1.1\naction Glock\nwait 0.3\n"));
    flip* obrot = screen.obrot();
    EXPECT_EQ(obrot->subviews(), (std::vector<View*>{obrot->sponsor()}));
    obrot->go();
    ASSERT_TRUE(game.run("wait 1.1\n"));
    EXPECT_EQ(obrot->subviews(), (std::vector<View*>{obrot->sponsor()}));
    EXPECT_EQ(obrot->main()->superview(), nullptr);
    ASSERT_TRUE(game.run("tap back\nwait 1.1\n"));
    EXPECT_EQ(obrot->subviews(), (std::vector<View*>{obrot->main()}));
}

TEST_P(RavuravovTest, ListKeepsItsScrollPositionThroughAFlipAndBack) {
    LaunchedGame game(GetParam());
    RavuravovController& screen = openEncyclopedia(game, GetParam());
    auto* gunList = screen.outlet<ScrollView>("gunList");
    ASSERT_NE(gunList, nullptr);
    ASSERT_GT(gunList->maximumContentOffset().y, 0) << "the list is longer than its view";
    const double bottom = gunList->maximumContentOffset().y;
    gunList->setContentOffset({0, bottom});
    // The last gun of the list is in view now, where a finger would find it.
    ASSERT_TRUE(game.run("tap Beretta92\nwait 1.1\ntap back\nwait 1.1\n"));
    EXPECT_EQ(gunList->contentOffset(), (Point{0, bottom}));
    EXPECT_EQ(screen.outletView("Beretta92")->superview(), gunList);
}

TEST_P(RavuravovTest, MissingPictureLeavesTheImageViewEmptyAndBackLeavesTheScreen) {
    LaunchedGame game(GetParam());
    RavuravovController& screen = openEncyclopedia(game, GetParam());
    screen.changeView("no_such_gun.jpg");
    EXPECT_EQ(screen.zmienBronView()->image(), "");
    EXPECT_EQ(screen.zmienBronView()->imageSize(), (Size{0, 0}));
    ASSERT_TRUE(game.run("tap backButton\nwait 0.5\nexpect-screen MenuController" +
                         suffixOf(GetParam()) + "\n"));
}

INSTANTIATE_TEST_SUITE_P(BothProfiles, RavuravovTest,
                         ::testing::Values(Profile::Phone, Profile::Tablet), [](const auto& param) {
                             return param.param == Profile::Tablet ? "Tablet" : "Phone";
                         });

}  // namespace
