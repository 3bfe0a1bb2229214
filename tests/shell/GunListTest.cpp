// The main menu's game entry leads to every gun's play screen, in its category, on both
// profiles, and back.
#include <gtest/gtest.h>

#include "game/GunAssembly.h"
#include "tests/support/LaunchedGame.h"

namespace {

class GunListTest : public ::testing::TestWithParam<LaunchOptions::Profile> {};

TEST_P(GunListTest, EveryGunOpensItsPlayScreen) {
    const bool tablet = GetParam() == LaunchOptions::Profile::Tablet;
    const std::string suffix = tablet ? "_ipad" : "";
    LaunchedGame game(GetParam());
    game.services().setMovieDuration(1.0);
    game.launch();
    ASSERT_TRUE(game.run("wait 1.2\ntap gameButton\nwait 0.5\nexpect-screen GunListController" +
                         suffix + "\n"));
    for (const GunAssembly& gun : allGunAssemblies()) {
        SCOPED_TRACE(gun.id_gun);
        EXPECT_TRUE(game.run(
            "tap gun" + std::to_string(gun.id_gun) + "\nwait 0.5\nexpect-screen PlayController" +
            suffix + "\nexpect categoryLabel.text = " + gun.category +
            "\naction backClick\nwait 0.5\nexpect-screen GunListController" + suffix + "\n"));
    }
    EXPECT_TRUE(game.run("tap backButton\nwait 0.5\nexpect-screen MenuController" + suffix + "\n"));
}

INSTANTIATE_TEST_SUITE_P(BothProfiles, GunListTest,
                         ::testing::Values(LaunchOptions::Profile::Phone,
                                           LaunchOptions::Profile::Tablet));

}  // namespace
