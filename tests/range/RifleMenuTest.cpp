// The simulator gun menu as a player meets it: pictures and entries by unlock flag, the lock
// notice over the part of the strip in view, its slide and its guards, a category unlocked
// while the program runs, the tablet's strip, and the main menu's way in.
#include <optional>

#include "app/SettingManagement.h"
#include "platform/ScrollView.h"
#include "range/RifleMenuController.h"
#include "range/RifleRangeGameController.h"
#include "tests/range/RangeSession.h"
#include "tests/support/LaunchedGame.h"

namespace {

// The menu's entries and the gun each opens, by category, as the menu's design gives them.
struct Entry {
    int number;
    int idGun;
    const char* category;
};
const Entry kEntries[] = {
    {1, 18, "rifles"},   {2, 20, "rifles"},       {3, 5, "handgun"},       {4, 8, "handgun"},
    {5, 21, "rifles"},   {6, 12, "submachine"},   {7, 15, "submachine"},   {8, 26, "sniper"},
    {9, 28, "shotgun"},  {10, 4, "handgun"},      {11, 23, "machineguns"}, {12, 10, "handgun"},
    {13, 7, "handgun"},  {14, 3, "handgun"},      {15, 11, "handgun"},     {16, 6, "handgun"},
    {17, 2, "handgun"},  {18, 24, "machineguns"}, {19, 22, "rifles"},      {20, 30, "shotgun"},
    {21, 29, "shotgun"}, {22, 14, "submachine"},
};

std::string entry(int number) {
    return "gun" + std::to_string(number);
}

class RifleMenuTest : public ::testing::Test {
protected:
    RifleMenuController& openMenu(RangeSession& on) {
        EXPECT_TRUE(on.run("open " + on.screenClass("RifleMenuController") + "\n"));
        return on.top<RifleMenuController>();
    }
    RifleMenuController& openMenu() { return openMenu(session); }
    // Presses an entry's control as a finger would, with the strip scrolled to show it.
    ::testing::AssertionResult press(int number) {
        auto& menu = session.top<RifleMenuController>();
        auto* scroll = menu.outlet<ScrollView>("scroll");
        const Rect control = menu.outletView(entry(number) + "Button")->frame();
        scroll->setContentOffset({std::min(control.x, scroll->maximumContentOffset().x), 0});
        return session.run("tap " + entry(number) + "Button\n");
    }
    double lockY() { return session.top<RifleMenuController>().outletView("lockView")->frame().y; }

    // One application state at a time: a test of the tablet lets the phone's go first.
    std::optional<RangeSession> phone{std::in_place};
    RangeSession& session{*phone};
};

TEST_F(RifleMenuTest, WithEveryCategoryLockedEveryEntryShowsTheNotice) {
    RifleMenuController& menu = openMenu();
    const double restingY = lockY();
    for (const Entry& each : kEntries) {
        SCOPED_TRACE(entry(each.number));
        EXPECT_TRUE(menu.outletView(entry(each.number))->isHidden());
        ASSERT_TRUE(press(each.number));
        ASSERT_TRUE(session.run("expect-screen RifleMenuController\n"));
        EXPECT_TRUE(menu.isShowLockView());
        EXPECT_EQ(lockY(), restingY + 280) << "the notice moved in once";
        ASSERT_TRUE(session.run("tap lockCloseButton\nwait 2\n"));
        EXPECT_FALSE(menu.isShowLockView());
        EXPECT_EQ(lockY(), restingY);
    }
}

TEST_F(RifleMenuTest, OnlyTheHandgunsOpenWhenOnlyTheirCategoryIsUnlocked) {
    SettingManagement().saveSetting("handgun", "1");
    for (const Entry& each : kEntries) {
        SCOPED_TRACE(entry(each.number));
        RifleMenuController& menu = openMenu();
        const bool handgun = std::string(each.category) == "handgun";
        EXPECT_EQ(menu.outletView(entry(each.number))->isHidden(), !handgun);
        ASSERT_TRUE(press(each.number));
        if (handgun) {
            ASSERT_TRUE(session.run("expect-screen RifleRangeGameController\n"));
            EXPECT_EQ(session.top<RifleRangeGameController>().id_gun(), each.idGun);
            ASSERT_TRUE(session.run("tap backButton\nwait 1\n"));
        } else {
            ASSERT_TRUE(session.run("expect-screen RifleMenuController\n"));
            EXPECT_TRUE(menu.isShowLockView());
        }
        ASSERT_TRUE(session.run("expect-screen RifleMenuController\naction back\nwait 1\n"));
    }
    ASSERT_TRUE(
        session.run("open RifleMenuController\naction gun17\n"
                    "expect-screen RifleRangeGameController\nexpect ammoLabel.text = 7\n"));
}

TEST_F(RifleMenuTest, AnyFlagButZeroOpensThoughOnlyOneShowsThePicture) {
    SettingManagement().saveSetting("sniper", "2");
    SettingManagement().saveSetting("shotgun", "x");
    RifleMenuController& menu = openMenu();
    EXPECT_EQ(menu.unlockFlag("sniper"), 2);
    EXPECT_TRUE(menu.outletView("gun8")->isHidden());
    ASSERT_TRUE(
        session.run("action gun9\nexpect-screen RifleMenuController\naction gun8\n"
                    "expect-screen RifleRangeGameController\n"));
    EXPECT_EQ(session.top<RifleRangeGameController>().id_gun(), 26);
}

TEST_F(RifleMenuTest, TheNoticeSlidesInOverThePartOfTheStripInView) {
    RifleMenuController& menu = openMenu();
    ASSERT_TRUE(session.run("expect lockView.frame = 75,-250,330,200\n"));
    menu.outlet<ScrollView>("scroll")->setContentOffset({960, 0});
    ASSERT_TRUE(
        session.run("expect scroll.contentOffset = 960,0\naction gun1\n"
                    "expect lockView.frame = 1035,30,330,200\n"));
    View& notice = *menu.outletView("lockView");
    ASSERT_TRUE(session.run("wait 1.7\n"));
    EXPECT_TRUE(notice.hasRunningAnimations()) << "the slide takes 1.75 s";
    EXPECT_LT(notice.presentedFrame().y, 30);
    ASSERT_TRUE(session.run("wait 0.1\n"));
    EXPECT_FALSE(notice.hasRunningAnimations());
    // A second locked press while the notice shows changes nothing.
    ASSERT_TRUE(session.run("action gun2\nexpect lockView.frame = 1035,30,330,200\n"));

    // Closed twice, it goes up once; scrolled back, it comes in where it first was.
    ASSERT_TRUE(
        session.run("tap lockCloseButton\nwait 2\nexpect lockView.frame = 1035,-250,330,200\n"
                    "action hideLockView\nexpect lockView.frame = 1035,-250,330,200\n"));
    menu.outlet<ScrollView>("scroll")->setContentOffset({0, 0});
    ASSERT_TRUE(session.run("action gun1\nexpect lockView.frame = 75,30,330,200\n"));
}

TEST_F(RifleMenuTest, FlagsAreReadWhenTheMenuLoads) {
    RifleMenuController& first = openMenu();
    SettingManagement().saveSetting("rifles", "1");
    EXPECT_TRUE(first.outletView("gun1")->isHidden()) << "an open menu keeps what it read";
    ASSERT_TRUE(
        session.run("action gun1\nexpect-screen RifleMenuController\n"
                    "action back\nwait 1\n"));
    // The same unlock the assembly game records, seen by the next menu without a restart.
    RifleMenuController& second = openMenu();
    EXPECT_FALSE(second.outletView("gun1")->isHidden());
    ASSERT_TRUE(session.run("action gun1\nexpect-screen RifleRangeGameController\n"));
}

TEST_F(RifleMenuTest, TheTabletStripIsTwiceAsLargeAndTheNoticeSlidesFurther) {
    phone.reset();
    RangeSession tablet(DeviceProfile::tablet());
    RifleMenuController& menu = openMenu(tablet);
    auto* scroll = menu.outlet<ScrollView>("scroll");
    EXPECT_EQ(scroll->contentSize(), (Size{3840, 640}));
    EXPECT_EQ(scroll->frame(), (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(menu.outletView("background")->frame(), (Rect{0, 64, 3840, 640}));
    const Rect resting = menu.outletView("lockView")->frame();
    scroll->setContentOffset({500, 0});
    ASSERT_TRUE(tablet.run("action gun3\nexpect-screen RifleMenuController_ipad\n"));
    EXPECT_EQ(menu.outletView("lockView")->frame(),
              (Rect{575, resting.y + 625, resting.width, resting.height}));
    SettingManagement().saveSetting("handgun", "1");
    ASSERT_TRUE(
        tablet.run("action back\nwait 1\nopen RifleMenuController_ipad\naction gun3\n"
                   "expect-screen RifleRangeGameController_ipad\n"
                   "expect ammoLabel.text = 17\n"));
}

TEST(RifleMenuFromTheMainMenu, TheRifleRangeEntryOpensTheGunMenu) {
    LaunchedGame game;
    game.services().setMovieDuration(1.0);
    game.launch();
    ASSERT_TRUE(
        game.run("wait 1.2\nexpect-screen MenuController\ntap rifleRangeButton\n"
                 "expect-screen RifleMenuController\nexpect gun1.hidden = true\n"));
}

}  // namespace
