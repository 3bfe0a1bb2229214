// The intro's ways to the main menu, run headless as a player would see them.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/AppDelegate_All.h"
#include "platform/NavigationController.h"
#include "tests/support/LaunchedGame.h"

namespace {

using Profile = LaunchOptions::Profile;

size_t menusPushed(LaunchedGame& game) {
    return game.app().navigationController().viewControllers().size() - 1;
}

TEST(IntroTest, MovieEndingFirstOpensTheMenuAndTheTimerNeverFires) {
    LaunchedGame game;
    game.services().setMovieDuration(4.0);
    game.launch();
    ASSERT_EQ(game.services().movies().size(), 1u);
    const MovieRecord& movie = *game.services().movies()[0];
    EXPECT_TRUE(movie.presentedFullScreen) << "the newer devices present a movie screen";
    EXPECT_TRUE(movie.path.ends_with("intro.mp4"));
    EXPECT_TRUE(
        game.run("expect indicator.hidden = false\n"
                 "expect-screen IntroController\n"
                 "wait 3.9\n"
                 "expect-screen IntroController\n"
                 "wait 0.2\n"
                 "expect-screen MenuController\n"
                 "wait 5\n"
                 "expect-screen MenuController\n"));
    EXPECT_EQ(menusPushed(game), 1u);
}

TEST(IntroTest, MovieLongerThanTheTimerOpensOneMenuOnly) {
    LaunchedGame game(Profile::Tablet);
    game.launch();  // headless movies without a duration play until told to finish
    EXPECT_TRUE(game.services().movies()[0]->path.ends_with("GUN_INTRO1.mov"));
    EXPECT_TRUE(
        game.run("wait 5.9\n"
                 "expect-screen IntroController_ipad\n"
                 "wait 0.2\n"
                 "expect-screen MenuController_ipad\n"));
    game.services().finishPlayingMovies();
    EXPECT_TRUE(game.run("wait 1\nexpect-screen MenuController_ipad\n"));
    EXPECT_EQ(menusPushed(game), 1u);
}

TEST(IntroTest, MovieThatNeverLoadsLeavesTheTimerToOpenTheMenu) {
    // Resources without the movies: the intro keeps waiting for the movie to load.
    TemporaryDirectory resources;
    for (const auto& entry : std::filesystem::directory_iterator(KALVORN_TEST_RESOURCES_DIR)) {
        const std::string name = entry.path().filename().string();
        if (!name.ends_with(".mp4") && !name.ends_with(".mov")) {
            std::filesystem::create_symlink(entry.path(), resources.path() / name);
        }
    }
    LaunchedGame game(Profile::Phone, std::nullopt, resources.path().string());
    game.launch();
    EXPECT_TRUE(
        game.run("wait 5.9\nexpect-screen IntroController\nwait 0.2\n"
                 "expect-screen MenuController\n"));
    EXPECT_FALSE(game.services().movies()[0]->presentedFullScreen);
    EXPECT_EQ(menusPushed(game), 1u);
}

TEST(IntroTest, FirstPhoneModelPlaysTheEmbeddedPlayer) {
    LaunchedGame game(Profile::Phone, "iPhone1,1");
    game.services().setMovieDuration(2.0);
    game.launch();
    const MovieRecord& movie = *game.services().movies()[0];
    EXPECT_EQ(movie.playCount, 1);
    EXPECT_FALSE(movie.presentedFullScreen);
    EXPECT_TRUE(game.run("wait 2.1\nexpect-screen MenuController\nwait 6\n"));
    EXPECT_EQ(menusPushed(game), 1u);
}

}  // namespace
