// The tutorial menu and its movie screens, run headless as a player would see them: each
// movie to its end on both playback paths and profiles, left early, missing and undecodable.
#include <gtest/gtest.h>

#include "app/AppDelegate_All.h"
#include "platform/NavigationController.h"
#include "shell/IntroController.h"
#include "tests/support/LaunchedGame.h"
#include "tests/support/ResourceDirectoryWithout.h"

namespace {

using Profile = LaunchOptions::Profile;

// Starts the game with movies of `movieSeconds` and opens the tutorial menu from the main menu.
void openTutorialMenu(LaunchedGame& game, double movieSeconds = 2.0) {
    game.services().setMovieDuration(movieSeconds);
    game.launch();
    const std::string suffix =
        game.app().navigationController().profile().isTablet() ? "_ipad" : "";
    ASSERT_TRUE(game.run("wait " + std::to_string(movieSeconds + 0.2) +
                         "\n"
                         "expect-screen MenuController" +
                         suffix +
                         "\n"
                         "tap tutorialButton\n"
                         "wait 0.5\n"
                         "expect-screen TutorialGameController" +
                         suffix + "\n"));
}

const MovieRecord& newestMovie(LaunchedGame& game) {
    return *game.services().movies().back();
}

size_t stackDepth(LaunchedGame& game) {
    return game.app().navigationController().viewControllers().size();
}

TEST(TutorialTest, EachEntryPlaysItsMovieFullScreenAndEndsBackInTheMenu) {
    LaunchedGame game;
    openTutorialMenu(game);
    const std::pair<const char*, const char*> entries[] = {
        {"machineGunsTutorial", "tutorial1.mp4"},
        {"pistolsTutorial", "tutorial2.mp4"},
        {"machinePistolsTutorial", "tutorial3.mp4"},
    };
    for (const auto& [button, movie] : entries) {
        SCOPED_TRACE(button);
        ASSERT_TRUE(game.run(std::string("tap ") + button +
                             "\n"
                             "expect-screen TutorialInsideController\n"));
        EXPECT_TRUE(newestMovie(game).path.ends_with(std::string("/") + movie));
        EXPECT_TRUE(newestMovie(game).presentedFullScreen);
        EXPECT_TRUE(game.run("wait 1.9\nexpect-screen TutorialInsideController\n"));
        // The end pops at once, without a slide: the menu is on top in the same turn.
        ASSERT_TRUE(game.run("wait 0.15\nexpect-screen TutorialGameController\n"));
        EXPECT_FALSE(newestMovie(game).presentedFullScreen) << "the movie closed itself";
        EXPECT_EQ(stackDepth(game), 3u);
        game.run("wait 0.5\n");
        EXPECT_TRUE(newestMovie(game).released) << "the player is let go of";
    }
    EXPECT_TRUE(game.run("tap backButton\nwait 0.5\nexpect-screen MenuController\n"));
}

TEST(TutorialTest, FirstPhoneModelPlaysTheEmbeddedPlayerAndReturns) {
    LaunchedGame game(Profile::Phone, "iPhone1,1");
    openTutorialMenu(game);
    ASSERT_TRUE(game.run("tap pistolsTutorial\nexpect-screen TutorialInsideController\n"));
    EXPECT_EQ(newestMovie(game).playCount, 1);
    EXPECT_FALSE(newestMovie(game).presentedFullScreen);
    EXPECT_TRUE(game.run("wait 2.1\nexpect-screen TutorialGameController\n"));
}

TEST(TutorialTest, TabletPlaysTheSameMoviesOnBothPaths) {
    for (std::optional<std::string> model : {std::optional<std::string>(), {"iPhone1,1"}}) {
        SCOPED_TRACE(model.value_or("newer model"));
        LaunchedGame game(Profile::Tablet, model);
        openTutorialMenu(game);
        ASSERT_TRUE(
            game.run("tap machinePistolsTutorial\nexpect-screen TutorialInsideController_ipad\n"));
        EXPECT_TRUE(newestMovie(game).path.ends_with("/tutorial3.mp4"));
        EXPECT_EQ(newestMovie(game).presentedFullScreen, !model.has_value());
        EXPECT_TRUE(game.run("wait 2.1\nexpect-screen TutorialGameController_ipad\n"));
        EXPECT_TRUE(game.run("tap backButton\nwait 0.5\nexpect-screen MenuController_ipad\n"));
    }
}

TEST(TutorialTest, TappingAPlayingMovieLeavesItForTheMenu) {
    LaunchedGame game;
    openTutorialMenu(game, 30.0);
    ASSERT_TRUE(
        game.run("tap machineGunsTutorial\n"
                 "wait 1\n"
                 "expect-screen TutorialInsideController\n"
                 "tap 240,160\n"
                 "wait 0.1\n"
                 "expect-screen TutorialGameController\n"));
    EXPECT_EQ(newestMovie(game).leftEarlyCount, 1);
    EXPECT_FALSE(newestMovie(game).playing);
    // The menu's own buttons take taps again.
    EXPECT_TRUE(game.run("tap backButton\nwait 0.5\nexpect-screen MenuController\n"));
}

TEST(TutorialTest, MissingMovieReturnsToTheMenuAtOnce) {
    ResourceDirectoryWithout resources(KALVORN_TEST_RESOURCES_DIR, "tutorial2.mp4", false);
    LaunchedGame game(Profile::Phone, std::nullopt, resources.path());
    openTutorialMenu(game);
    const size_t moviesBefore = game.services().movies().size();
    EXPECT_TRUE(game.run("tap pistolsTutorial\nwait 0\nexpect-screen TutorialGameController\n"));
    EXPECT_EQ(game.services().movies().size(), moviesBefore) << "no player for a missing file";
    // The other tutorials still play.
    EXPECT_TRUE(
        game.run("tap machineGunsTutorial\nwait 1\nexpect-screen TutorialInsideController\n"));
}

TEST(TutorialTest, UndecodableMovieEndsAsIfFinishedOnBothPaths) {
    for (std::optional<std::string> model : {std::optional<std::string>(), {"iPhone1,1"}}) {
        SCOPED_TRACE(model.value_or("newer model"));
        ResourceDirectoryWithout resources(KALVORN_TEST_RESOURCES_DIR, "tutorial1.mp4", true);
        LaunchedGame game(Profile::Phone, model, resources.path());
        openTutorialMenu(game);
        ASSERT_TRUE(
            game.run("tap machineGunsTutorial\n"
                     "wait 2.9\n"
                     "expect-screen TutorialInsideController\n"
                     "wait 0.2\n"
                     "expect-screen TutorialGameController\n"));
        EXPECT_FALSE(newestMovie(game).presentedFullScreen);
        EXPECT_EQ(newestMovie(game).playCount, 0);
        // Nothing keeps polling or waiting once the screen has gone.
        EXPECT_EQ(stackDepth(game), 3u);
        EXPECT_TRUE(game.run("wait 10\nexpect-screen TutorialGameController\n"));
    }
}

TEST(TutorialTest, SlowMovieIsPresentedOnceLoadedAndOneTooSlowIsGivenUp) {
    LaunchedGame game;
    openTutorialMenu(game);
    game.services().setMovieLoadDelay(1.0);
    ASSERT_TRUE(game.run("tap pistolsTutorial\nwait 0.95\n"));
    EXPECT_FALSE(newestMovie(game).presentedFullScreen) << "still loading";
    ASSERT_TRUE(game.run("wait 0.15\n"));
    EXPECT_TRUE(newestMovie(game).presentedFullScreen) << "asked again within 0.1 s";
    ASSERT_TRUE(game.run("wait 2.1\nexpect-screen TutorialGameController\n"));

    // Loading later than the screen waits: back to the menu, and the late movie never shows.
    game.services().setMovieLoadDelay(3.5);
    ASSERT_TRUE(
        game.run("tap machineGunsTutorial\n"
                 "wait 3.1\n"
                 "expect-screen TutorialGameController\n"
                 "wait 2\n"
                 "expect-screen TutorialGameController\n"));
    EXPECT_FALSE(newestMovie(game).presentedFullScreen);
    EXPECT_EQ(newestMovie(game).playCount, 0);
    EXPECT_EQ(game.services().fullScreenMovie(), nullptr);
}

TEST(TutorialTest, FirstPhoneModelPlaysASlowMovieOnceLoaded) {
    LaunchedGame game(Profile::Phone, "iPhone1,1");
    openTutorialMenu(game);
    game.services().setMovieLoadDelay(1.0);
    ASSERT_TRUE(game.run("tap pistolsTutorial\nwait 0.9\n"));
    EXPECT_EQ(newestMovie(game).playCount, 0);
    ASSERT_TRUE(game.run("wait 0.2\n"));
    EXPECT_EQ(newestMovie(game).playCount, 1);
    EXPECT_TRUE(game.run("wait 2.1\nexpect-screen TutorialGameController\n"));
}

TEST(TutorialTest, IntroMovieThatNeverLoadsIsDroppedOnceTheMenuIsUp) {
    ResourceDirectoryWithout resources(KALVORN_TEST_RESOURCES_DIR, "intro.mp4", true);
    LaunchedGame game(Profile::Phone, std::nullopt, resources.path());
    game.launch();
    auto& intro = dynamic_cast<IntroController&>(
        *game.app().navigationController().viewControllers().front());
    EXPECT_TRUE(intro.movie().isPolling());
    ASSERT_TRUE(game.run("wait 6.1\nexpect-screen MenuController\n"));
    EXPECT_FALSE(intro.movie().isPolling());
    EXPECT_EQ(intro.movie().moviePlayer(), nullptr);
    EXPECT_TRUE(game.services().movies()[0]->released);
    EXPECT_EQ(game.services().fullScreenMovie(), nullptr);
}

TEST(TutorialTest, IntroMovieLoadingAfterTheTimerNeverCoversTheMenu) {
    for (std::optional<std::string> model : {std::optional<std::string>(), {"iPhone1,1"}}) {
        SCOPED_TRACE(model.value_or("newer model"));
        LaunchedGame game(Profile::Phone, model);
        game.services().setMovieDuration(4.0);
        game.services().setMovieLoadDelay(6.5);
        game.launch();
        ASSERT_TRUE(game.run("wait 6.1\nexpect-screen MenuController\nwait 5\n"));
        EXPECT_EQ(game.services().fullScreenMovie(), nullptr);
        EXPECT_EQ(game.services().movies()[0]->playCount, 0);
        EXPECT_TRUE(game.run("expect-screen MenuController\n"));
        EXPECT_EQ(game.app().navigationController().viewControllers().size(), 2u);
    }
}

}  // namespace
