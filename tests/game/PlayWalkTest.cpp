// Every gun can be assembled on the play screen of both devices by dragging its parts with a
// finger through the real view tree, and the finish is followed by the result panels, which
// leave the finished gun in view.
#include <algorithm>
#include <set>

#include "platform/headless/HeadlessServices.h"

#include "tests/game/PlaySession.h"

namespace {

bool overlaps(const Rect& a, const Rect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

// On the phone the result panels leave the finished gun, the base slot, in view.
void expectGunInViewBeside(PlaySession& session, const std::string& panel) {
    if (session.app->profile().isTablet()) {
        return;
    }
    const Rect gun = session.slotView(1).frame();
    const Rect shown =
        session.app->navigationController().topViewController()->outletView(panel)->frame();
    EXPECT_FALSE(overlaps(gun, shown)) << panel << " covers the finished gun";
}

void assembleEveryGun(DeviceProfile profile) {
    PlaySession session(profile);
    auto& services = dynamic_cast<HeadlessServices&>(Platform::current().services());
    std::set<std::string> unlocked;
    long games = 0;
    for (const GunAssembly& gun : allGunAssemblies()) {
        SCOPED_TRACE(std::string(profile.name()) + " gun " + std::to_string(gun.id_gun));
        PlayController& play = session.open(gun.category, gun.id_gun);
        session.tap("startButton");
        ASSERT_TRUE(play.isClockRunning());
        session.playJoins(true);
        if (testing::Test::HasFatalFailure()) {
            return;
        }
        // The final join ran the finish exactly once: one game-over sound per game.
        ++games;
        EXPECT_EQ(std::count_if(services.sounds().begin(), services.sounds().end(),
                                [](const auto& sound) { return sound->name == "Game_Over"; }),
                  games);
        EXPECT_FALSE(play.board().czyFnishGame());
        EXPECT_FALSE(play.isClockRunning());
        session.expect("pointsLabelGameScoreView", "text", "3000 pts");

        // The first gun of a category unlocks it; the score panel follows its button.
        const bool firstInCategory = unlocked.insert(gun.category).second;
        EXPECT_EQ(play.isHidenUnlockLevelView(), !firstInCategory);
        if (firstInCategory) {
            EXPECT_FALSE(play.isShowGameScoreView());
            expectGunInViewBeside(session, "unlockLevelView");
            session.tap("unlockContinueButton");
            session.wait(0.6);
        }
        EXPECT_TRUE(play.isShowGameScoreView());
        expectGunInViewBeside(session, "gameScoreView");
        session.expect("highscoreLabelGameScoreView", "hidden", "false");

        session.tap("cancelButton");
        session.wait(0.1);
        EXPECT_EQ(session.app->navigationController().viewControllers().size(), 1u);
    }
}

TEST(PlayWalk, EveryGunIsAssembledOnThePhone) {
    assembleEveryGun(DeviceProfile::phone());
}

TEST(PlayWalk, EveryGunIsAssembledOnTheTablet) {
    assembleEveryGun(DeviceProfile::tablet());
}

}  // namespace
