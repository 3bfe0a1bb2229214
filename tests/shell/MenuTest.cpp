// The main menu: its music and clicks, the bouncing settings window and the stored switch,
// driven through the widgets as a player would.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/AppDelegate_All.h"
#include "app/SettingManagement.h"
#include "platform/NavigationController.h"
#include "tests/support/LaunchedGame.h"

namespace {

class MenuTest : public ::testing::Test {
protected:
    // Starts the program and waits until the intro has opened the menu.
    void openMenu(LaunchedGame& target) {
        target.services().setMovieDuration(1.0);
        target.launch();
        ASSERT_TRUE(target.run("wait 1.2\nexpect-screen MenuController\n"));
    }

    // Sound players made for NAME so far.
    std::vector<const SoundRecord*> sounds(const std::string& name) {
        std::vector<const SoundRecord*> found;
        for (const auto& record : game.services().sounds()) {
            if (record->name == name) {
                found.push_back(record.get());
            }
        }
        return found;
    }

    LaunchedGame game;
};

TEST_F(MenuTest, MusicLoopsFromTheStartOnEveryAppearance) {
    SettingManagement().settingsPath();  // a second start: the template's "music" is "1"
    openMenu(game);
    ASSERT_EQ(sounds("Menu_loop").size(), 1u);
    EXPECT_TRUE(sounds("Menu_loop")[0]->playing);
    EXPECT_EQ(sounds("Menu_loop")[0]->numberOfLoops, -1);

    ASSERT_TRUE(game.run("tap aboutButton\nexpect-screen AboutController\n"));
    EXPECT_FALSE(sounds("Menu_loop")[0]->playing) << "an entry stops the music";
    EXPECT_EQ(sounds("trigger_4_GOOD").size(), 1u);

    ASSERT_TRUE(game.run("tap backButton\nwait 0.5\nexpect-screen MenuController\n"));
    ASSERT_EQ(sounds("Menu_loop").size(), 2u) << "a new player starts the tune from its beginning";
    EXPECT_TRUE(sounds("Menu_loop")[1]->playing);
    EXPECT_TRUE(sounds("Menu_loop")[0]->released);
}

TEST_F(MenuTest, FirstStartHasNoMusicSettingSoTheSwitchGoesOff) {
    openMenu(game);
    EXPECT_TRUE(game.run("expect musicSwitch.on = false\n"));
    EXPECT_TRUE(sounds("Menu_loop").empty());
}

TEST_F(MenuTest, SettingsWindowBouncesOpenAndSwitchingMusicOnIsStored) {
    openMenu(game);
    ASSERT_TRUE(
        game.run("expect settingsView.frame = 120,325,240,160\n"
                 "tap settingsButton\n"
                 "expect settingsView.frame = 120,125,240,160\n"
                 "wait 0.5\n"
                 "expect settingsView.frame = 120,165,240,160\n"
                 "wait 0.5\n"
                 "expect settingsView.frame = 120,145,240,160\n"
                 "tap settingsButton\n"
                 "wait 1\n"
                 "expect settingsView.frame = 120,145,240,160\n"
                 "tap musicSwitch\n"
                 "tap okButton\n"
                 "expect settingsView.frame = 120,325,240,160\n"));
    EXPECT_EQ(game.app().music, "1");
    EXPECT_EQ(SettingManagement().readSetting("music"), std::optional<std::string>("1"));
    ASSERT_EQ(sounds("Menu_loop").size(), 1u);
    EXPECT_TRUE(sounds("Menu_loop")[0]->playing);
}

TEST_F(MenuTest, ClosingDuringTheBounceEndsAtTheRestingPlace) {
    openMenu(game);
    EXPECT_TRUE(
        game.run("tap settingsButton\n"
                 "wait 0.2\n"
                 "tap closeButton\n"
                 "wait 2\n"
                 "expect settingsView.frame = 120,325,240,160\n"
                 "tap settingsButton\n"
                 "wait 1.5\n"
                 "expect settingsView.frame = 120,145,240,160\n"));
}

TEST_F(MenuTest, MusicSwitchedOffSurvivesARestart) {
    SettingManagement().settingsPath();
    openMenu(game);
    ASSERT_TRUE(game.run("tap settingsButton\nwait 1.5\ntap musicSwitch\ntap okButton\n"));
    EXPECT_FALSE(sounds("Menu_loop").back()->playing);
    EXPECT_EQ(SettingManagement().readSetting("music"), std::optional<std::string>("0"));
}

TEST_F(MenuTest, EveryEntryClicksAndOpensItsScreen) {
    openMenu(game);
    struct Entry {
        const char* button;
        const char* click;
        const char* screen;
    };
    const Entry entries[] = {
        {"gameButton", "trigger_4_GOOD", "GameMenuController"},
        {"rifleRangeButton", "trigger_3", "RifleMenuController"},
        {"firearmsButton", "trigger_2", "MenuFirearmsController"},
        {"ravuravovButton", "trigger_3", "RavuravovController"},
        {"tutorialButton", "trigger", "TutorialGameController"},
        {"aboutButton", "trigger_4_GOOD", "AboutController"},
    };
    for (const Entry& entry : entries) {
        SCOPED_TRACE(entry.button);
        const size_t clicks = sounds(entry.click).size();
        ASSERT_TRUE(game.run(std::string("tap ") + entry.button + "\nwait 0.5\nexpect-screen " +
                             entry.screen + "\n"));
        EXPECT_EQ(sounds(entry.click).size(), clicks + 1);
        EXPECT_EQ(game.app().navigationController().viewControllers().size(), 3u);
        ASSERT_TRUE(game.run("tap backButton\nwait 0.5\nexpect-screen MenuController\n"));
    }
}

}  // namespace
