// The about page: reached from the main menu in both profiles, it says what the game is, how
// each part is played, whose work it shows and which version it is, and goes back.
#include <gtest/gtest.h>

#include "app/AppDelegate_All.h"
#include "platform/Label.h"
#include "platform/NavigationController.h"
#include "tests/support/LaunchedGame.h"

namespace {

using Profile = LaunchOptions::Profile;

TEST(AboutTest, PageTellsTheGameItsPartsCreditsAndVersionAndGoesBack) {
    for (Profile profile : {Profile::Phone, Profile::Tablet}) {
        const std::string suffix = profile == Profile::Tablet ? "_ipad" : "";
        SCOPED_TRACE(suffix);
        LaunchedGame game(profile);
        game.services().setMovieDuration(1.0);
        game.launch();
        ASSERT_TRUE(game.run("wait 1.2\ntap aboutButton\nwait 0.5\nexpect-screen AboutController" +
                             suffix + "\n"));
        ViewController& about = *game.app().navigationController().topViewController();
        std::string everything;
        for (const auto& [name, view] : about.outlets()) {
            if (auto* label = dynamic_cast<Label*>(view)) {
                everything += label->text() + "\n";
            }
        }
        for (const char* needed : {"Game", "Rifle range", "Ravuravov", "Tutorial", "DejaVu",
                                   "licence", "Version", "generated"}) {
            EXPECT_NE(everything.find(needed), std::string::npos) << needed;
        }
        EXPECT_GT(about.outlet<Label>("howToPlayText")->numberOfLines(), 1);
        EXPECT_TRUE(
            game.run("tap backButton\nwait 0.5\nexpect-screen MenuController" + suffix + "\n"));
    }
}

}  // namespace
