// The play screen as a player meets it: the start question and the cover, the clock, the
// reset question, dragging with one and two fingers, leaving, and a whole game from a script.
#include <sstream>

#include "platform/ImageView.h"
#include "platform/Touch.h"
#include "tests/game/PlaySession.h"

namespace {

class PlayScreenTest : public ::testing::Test {
protected:
    PlayController& openAndStart(int idGun) {
        PlayController& play = session.open("handgun", idGun);
        session.tap("startButton");
        return play;
    }
    double panelY(const char* outlet) { return session.screen().outletView(outlet)->frame().y; }

    PlaySession session;
};

TEST_F(PlayScreenTest, TheStartPanelSlidesInOverACoverThatSwallowsTouches) {
    PlayController& play = session.open("handgun", 1);
    EXPECT_TRUE(play.isShowStartGameView());
    session.expect("zakryjEkran", "hidden", "false");
    session.expect("pointsLabel", "text", "0 sec.");
    session.expect("categoryLabel", "text", "handgun");
    session.expect("highscoreLabelGameScoreView", "hidden", "true");
    View& panel = *play.outletView("startGameView");
    EXPECT_TRUE(panel.hasRunningAnimations());
    const double shownY = panel.frame().y;

    // A drag of part 2 onto part 5 lands on the cover.
    const Rect part2 = session.slotView(2).frame();
    ASSERT_TRUE(session.script->drag(part2.center(), session.slotView(5).frame().center()).ok);
    EXPECT_EQ(session.slotView(2).frame(), part2);
    EXPECT_FALSE(play.board().czyPolaczono(1));
    EXPECT_FALSE(play.isClockRunning());

    session.tap("startButton");
    EXPECT_EQ(panel.frame().y, shownY - 200);
    EXPECT_FALSE(play.isShowStartGameView());
    EXPECT_TRUE(play.isStartedGame());
    EXPECT_TRUE(play.isClockRunning());
    session.expect("zakryjEkran", "hidden", "true");
}

TEST_F(PlayScreenTest, TheClockAddsDeliveredTicksInSinglePrecision) {
    PlayController& play = openAndStart(3);
    session.waitTicks(100);
    EXPECT_EQ(play.time(), 0.99999934f);
    session.expect("pointsLabel", "text", "1.00 sec.");
    session.waitTicks(2900);
    EXPECT_EQ(play.time(), 30.000591f);
    session.expect("pointsLabel", "text", "30.00 sec.");
}

TEST_F(PlayScreenTest, StartNoLeavesWithoutAClock) {
    const size_t timersBefore = RunLoop::main().scheduledTimerCount();
    session.open("handgun", 2);
    session.tap("startNoButton");
    session.wait(1);
    EXPECT_EQ(session.app->navigationController().viewControllers().size(), 1u);
    EXPECT_EQ(RunLoop::main().scheduledTimerCount(), timersBefore);
}

TEST_F(PlayScreenTest, LeavingStopsTheClock) {
    const size_t timersBefore = RunLoop::main().scheduledTimerCount();
    openAndStart(2);
    session.waitTicks(50);
    session.tap("backButton");
    session.wait(1);
    EXPECT_EQ(session.app->navigationController().viewControllers().size(), 1u);
    EXPECT_EQ(RunLoop::main().scheduledTimerCount(), timersBefore);
}

TEST_F(PlayScreenTest, TheResetButtonWorksOnlyWhileNothingElseIsOut) {
    PlayController& play = session.open("handgun", 4);
    const double resetHiddenY = panelY("resetGameView");
    ASSERT_TRUE(session.script->action("showResetGameView").ok);  // before the start
    EXPECT_FALSE(play.isShowResetGameView());

    session.tap("startButton");
    session.tap("resetButton");
    EXPECT_TRUE(play.isShowResetGameView());
    EXPECT_EQ(panelY("resetGameView"), resetHiddenY + 200);
    session.expect("zakryjEkran", "hidden", "false");
    ASSERT_TRUE(session.script->action("showResetGameView").ok);  // already out
    EXPECT_EQ(panelY("resetGameView"), resetHiddenY + 200);
    session.tap("noResetButton");
    EXPECT_EQ(panelY("resetGameView"), resetHiddenY);

    // With the unlock panel out, then with the score panel out.
    session.playJoins(true);
    ASSERT_FALSE(play.isHidenUnlockLevelView());
    ASSERT_TRUE(session.script->action("showResetGameView").ok);
    EXPECT_FALSE(play.isShowResetGameView());
    session.tap("unlockContinueButton");
    session.wait(0.6);
    ASSERT_TRUE(play.isShowGameScoreView());
    ASSERT_TRUE(session.script->action("showResetGameView").ok);
    EXPECT_FALSE(play.isShowResetGameView());
    EXPECT_EQ(panelY("resetGameView"), resetHiddenY);
}

TEST_F(PlayScreenTest, AnsweringNoLeavesBoardAndClockAsTheyWere) {
    PlayController& play = openAndStart(1);
    session.dragOnto(2, 5);
    session.waitTicks(30);
    session.tap("resetButton");
    session.waitTicks(20);  // the clock runs on while the question is up
    session.tap("noResetButton");
    EXPECT_TRUE(play.board().czyPolaczono(1));
    EXPECT_TRUE(session.slotView(2).isHidden());
    EXPECT_TRUE(play.isClockRunning());
    session.expect("pointsLabel", "text", "0.50 sec.");
    session.expect("zakryjEkran", "hidden", "true");
}

TEST_F(PlayScreenTest, ResetRestoresTheStartBoardAndAFreshClock) {
    PlayController& play = openAndStart(1);  // six parts
    std::vector<Rect> startFrames;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        startFrames.push_back(session.slotView(slot).frame());
    }
    session.dragOnto(2, 5);
    session.dragOnto(3, 4);
    session.waitTicks(120);
    session.tap("resetButton");
    session.tap("yesResetButton");

    for (int slot = 1; slot <= kSlotCount; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_FALSE(play.board().czyPolaczono(slot));
        EXPECT_FALSE(session.slotView(slot).isHidden());  // slots 7 to 9 too, without picture
        EXPECT_EQ(session.slotView(slot).frame(), startFrames[static_cast<size_t>(slot - 1)]);
        const std::string picture = slot <= 6 ? "1_cz" + std::to_string(slot) + ".png" : "";
        session.expect("czesc" + std::to_string(slot) + "Image", "image", picture);
    }
    session.expect("pointsLabel", "text", "0 sec.");
    session.waitTicks(10);
    session.expect("pointsLabel", "text", "0.10 sec.");

    // The final join can fire again after a reset.
    session.playJoins(true);
    EXPECT_FALSE(play.board().czyFnishGame());
    EXPECT_FALSE(play.isClockRunning());
}

TEST_F(PlayScreenTest, OnlyTheLastMovedFingerMarksItsPart) {
    PlayController& play = openAndStart(1);
    const Point on2 = *session.grabPoint(2);
    const Point on3 = *session.grabPoint(3);
    Window& window = session.app->window();
    window.sendTouches(TouchPhase::Began, {{0, on2}, {1, on3}});
    window.sendTouches(TouchPhase::Moved, {{0, {200, 150}}, {1, {220, 170}}});
    EXPECT_FALSE(play.board().czyPrzesuwanaCzesc(2));
    EXPECT_TRUE(play.board().czyPrzesuwanaCzesc(3));
    // Both parts follow their fingers, centred under them.
    EXPECT_EQ(session.slotView(2).center(), (Point{200, 150}));
    EXPECT_EQ(session.slotView(3).center(), (Point{220, 170}));
    window.sendTouches(TouchPhase::Ended, {{0, {200, 150}}, {1, {220, 170}}});
    EXPECT_NEAR(session.slotView(2).center().x, play.board().pozycjaCzesc(2).x, 1e-4);
}

TEST_F(PlayScreenTest, AFingerOnTheBaseMovesNothing) {
    PlayController& play = openAndStart(1);
    const Rect base = session.slotView(1).frame();
    const std::optional<Point> grab = session.grabPoint(1);
    ASSERT_TRUE(grab);
    ASSERT_TRUE(session.script->drag(*grab, Point{400, 280}).ok);
    EXPECT_EQ(session.slotView(1).frame(), base);
    for (int slot = 2; slot <= kSlotCount; ++slot) {
        EXPECT_FALSE(play.board().czyPrzesuwanaCzesc(slot));
    }
}

TEST_F(PlayScreenTest, ACancelledFingerCountsAsReleasedWhereItWas) {
    PlayController& play = openAndStart(1);
    Window& window = session.app->window();
    window.touchDown(*session.grabPoint(2));
    window.touchMove(session.slotView(5).frame().center());
    window.touchCancel();
    EXPECT_TRUE(play.board().czyPolaczono(1));
    session.expect("czesc5Image", "image", "1_pol1.png");
}

TEST(PlayScreenTablet, UsesTheTabletPicturesLayoutAndSlideDistances) {
    PlaySession session(DeviceProfile::tablet());
    PlayController& play = session.open("submachine", 13);
    EXPECT_EQ(play.className(), "PlayController_ipad");
    session.expect("czesc2Image", "image", "13_cz2@2x.png");
    EXPECT_EQ(session.slotView(6).frame().origin(), (Point{505, 174}));
    EXPECT_EQ(session.slotView(7).frame().origin(), (Point{329, 164}));
    EXPECT_EQ(session.slotView(2).frame().origin(), (Point{2 * 241 + 29, 2 * 196 + 64}));

    const auto y = [&](const char* outlet) { return play.outletView(outlet)->frame().y; };
    const double startShown = y("startGameView");
    session.tap("startButton");
    EXPECT_EQ(y("startGameView"), startShown - 470);
    const double resetHidden = y("resetGameView");
    session.tap("resetButton");
    EXPECT_EQ(y("resetGameView"), resetHidden + 452);
    session.tap("noResetButton");

    const double unlockHidden = y("unlockLevelView");
    const double scoreHidden = y("gameScoreView");
    session.playJoins(true);
    EXPECT_EQ(y("unlockLevelView"), unlockHidden + 531);
    session.expect("imageUnlockLevelView", "image", "con_sub@2x.png");
    session.tap("unlockContinueButton");
    session.wait(0.6);
    EXPECT_EQ(y("gameScoreView"), scoreHidden + 540);
}

// A whole game of gun 6 as a script would play it: drags from part to part by outlet.
TEST(PlayScript, AGameFromOpeningToTheScorePanel) {
    PlaySession session;
    const char* script =
        "open PlayController handgun 6\n"
        "expect-screen PlayController\n"
        "tap startButton\n"
        "wait 2\n"
        "expect pointsLabel.text = 2.00 sec.\n"
        "drag czesc3View czesc1View\n"
        "expect czesc1Image.image = 6_pol1.png\n"
        "drag czesc2View czesc1View\n"
        "expect czesc1Image.image = 6_pol2.png\n"
        "drag czesc4View czesc1View\n"
        "expect timeLabelGameScoreView.text = 2.00 sec.\n"
        "expect pointsLabelGameScoreView.text = 2860 pts\n"
        "expect imageUnlockLevelView.image = con_handguns.png\n"
        "tap unlockContinueButton\n"
        "wait 0.6\n"
        "expect highscoreLabelGameScoreView.hidden = false\n"
        "tap cancelButton\n"
        "wait 0.5\n";
    std::ostringstream errors;
    EXPECT_TRUE(session.script->runText(script, errors, "play")) << errors.str();
    EXPECT_EQ(session.app->navigationController().viewControllers().size(), 1u);
}

}  // namespace
