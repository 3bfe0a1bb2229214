// The finish of a game on the play screen: points from the delivered clock ticks, the best
// result in the score database, the category's unlock and the result panels.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/ScoreDatabase.h"
#include "app/SettingManagement.h"
#include "game/Scoring.h"
#include "platform/ImageView.h"
#include "platform/headless/HeadlessServices.h"
#include "tests/game/PlaySession.h"

namespace {

// Gun 10 has three joins; its last one finishes the game.
constexpr int kGun = 10;

class ScoringTest : public ::testing::Test {
protected:
    // Plays gun 10 again from the start panel or the try-again button, with `ticks` delivered
    // clock ticks before the final join.
    void finishAfterTicks(int ticks) {
        PlayController& play = session.screen();
        if (!play.isStartedGame()) {
            session.tap("startButton");
        } else if (play.isShowGameScoreView()) {
            session.tap("tryAgainButton");
        }
        session.playJoins(false);
        session.waitTicks(ticks);
        session.playJoins(true);
    }
    // Dismisses the unlock panel of a first finish, so that the score panel shows.
    void continueToScore() {
        if (!session.screen().isHidenUnlockLevelView()) {
            session.tap("unlockContinueButton");
            session.wait(0.6);
        }
    }
    ScoreLookup stored() {
        return ScoreDatabase::checkScoreForThisGameExist(session.app->login, kGun);
    }

    PlaySession session;
};

TEST(Scoring, PointsFollowTheDeliveredTicksInSinglePrecision) {
    struct Case {
        int ticks;
        const char* time;
        const char* points;
    };
    for (Case c : {Case{1000, "10.00 sec.", "2299"}, Case{3000, "30.00 sec.", "899"},
                   Case{4284, "42.84 sec.", "1"}, Case{4285, "42.85 sec.", "0"}}) {
        SCOPED_TRACE(c.ticks);
        PlaySession fresh;
        fresh.open("handgun", kGun);
        fresh.tap("startButton");
        fresh.playJoins(false);
        fresh.waitTicks(c.ticks);
        fresh.playJoins(true);
        fresh.expect("timeLabelGameScoreView", "text", c.time);
        fresh.expect("pointsLabelGameScoreView", "text", std::string(c.points) + " pts");
        fresh.expect("highscoreLabelGameScoreView", "hidden", "false");
        EXPECT_EQ(fresh.screen().points(), 0);  // cleared once stored
        // Even 0 points are stored when the gun has no row yet.
        const ScoreLookup row = ScoreDatabase::checkScoreForThisGameExist("defaultUser", kGun);
        EXPECT_EQ(row.results.size(), 1u);
        EXPECT_EQ(row.lastBestScore, c.points);
    }
}

TEST_F(ScoringTest, TheBestResultIsWrittenOnlyWhenBeaten) {
    session.open("handgun", kGun);
    finishAfterTicks(1000);
    continueToScore();
    session.expect("highscoreLabelGameScoreView", "hidden", "false");

    finishAfterTicks(1000);  // equal points
    session.expect("pointsLabelGameScoreView", "text", "2299 pts");
    session.expect("highscoreLabelGameScoreView", "hidden", "true");
    EXPECT_EQ(stored().lastBestScore, "2299");

    finishAfterTicks(0);  // better
    session.expect("highscoreLabelGameScoreView", "hidden", "false");
    EXPECT_EQ(stored().lastBestScore, "3000");

    finishAfterTicks(3000);  // worse
    session.expect("highscoreLabelGameScoreView", "hidden", "true");
    EXPECT_EQ(stored().lastBestScore, "3000");
    EXPECT_EQ(stored().results.size(), 1u);
}

TEST_F(ScoringTest, AStoredZeroIsNotBeatenByZero) {
    session.open("handgun", kGun);
    finishAfterTicks(4285);
    continueToScore();
    session.expect("highscoreLabelGameScoreView", "hidden", "false");
    finishAfterTicks(4300);
    session.expect("pointsLabelGameScoreView", "text", "0 pts");
    session.expect("highscoreLabelGameScoreView", "hidden", "true");
    EXPECT_EQ(stored().results.size(), 1u);
}

TEST_F(ScoringTest, WithSeveralRowsTheLastOneIsComparedAndRaised) {
    ASSERT_TRUE(ScoreDatabase::insertNewScore(2500, "defaultUser", "handgun", kGun));
    ASSERT_TRUE(ScoreDatabase::insertNewScore(100, "defaultUser", "handgun", kGun));
    session.open("handgun", kGun);
    finishAfterTicks(4000);  // about 200 points: below the first row, above the last
    session.expect("pointsLabelGameScoreView", "text", "200 pts");
    session.expect("highscoreLabelGameScoreView", "hidden", "false");
    std::vector<std::string> scores;
    for (const ResultRow& row : ScoreDatabase::getJSONForUser("defaultUser")) {
        scores.push_back(row.score);
    }
    std::sort(scores.begin(), scores.end());
    EXPECT_EQ(scores, (std::vector<std::string>{"200", "2500"}));
}

// A look-up that fails says nothing about the rows already stored: nothing is written and no
// new best is announced.
TEST_F(ScoringTest, AnUnreadableDatabaseStoresNothingAndAnnouncesNothing) {
    const std::string database = session.documents.file("baza.sqlite");
    std::ofstream(database, std::ios::trunc) << "this is not a database, but it is not empty";
    session.open("handgun", kGun);
    finishAfterTicks(500);
    continueToScore();
    session.expect("pointsLabelGameScoreView", "text", "2649 pts");
    session.expect("highscoreLabelGameScoreView", "hidden", "true");

    std::filesystem::remove(database);
    finishAfterTicks(500);
    session.expect("highscoreLabelGameScoreView", "hidden", "true");
}

TEST_F(ScoringTest, TheFirstFinishOfACategoryUnlocksItOnce) {
    PlayController& play = session.open("handgun", kGun);
    View& unlockPanel = *play.outletView("unlockLevelView");
    View& scorePanel = *play.outletView("gameScoreView");
    const double unlockHiddenY = unlockPanel.frame().y;
    const double scoreHiddenY = scorePanel.frame().y;

    finishAfterTicks(10);
    EXPECT_EQ(SettingManagement().readSetting("handgun"), "1");
    EXPECT_EQ(session.app->ustawienia["handgun"], "1");
    session.expect("imageUnlockLevelView", "image", "con_handguns.png");
    EXPECT_EQ(unlockPanel.frame().y, unlockHiddenY + 200);
    EXPECT_TRUE(unlockPanel.hasRunningAnimations());
    EXPECT_FALSE(play.isShowGameScoreView());

    // The score panel follows 0.5 s after the unlock panel's button.
    session.tap("unlockContinueButton");
    EXPECT_EQ(unlockPanel.frame().y, unlockHiddenY);
    session.wait(0.45);
    EXPECT_FALSE(play.isShowGameScoreView());
    session.wait(0.1);
    EXPECT_TRUE(play.isShowGameScoreView());
    EXPECT_EQ(scorePanel.frame().y, scoreHiddenY + 200);

    // The next game of the category goes straight to the score panel.
    finishAfterTicks(10);
    EXPECT_TRUE(play.isHidenUnlockLevelView());
    EXPECT_TRUE(play.isShowGameScoreView());
    EXPECT_EQ(unlockPanel.frame().y, unlockHiddenY);
}

TEST_F(ScoringTest, AnUnlockedCategoryShowsNoUnlockPanel) {
    SettingManagement().saveSetting("submachine", "1");
    PlayController& play = session.open("submachine", 14);
    session.tap("startButton");
    session.playJoins(true);
    EXPECT_TRUE(play.isHidenUnlockLevelView());
    EXPECT_TRUE(play.isShowGameScoreView());
}

TEST_F(ScoringTest, TheGameOverSoundPlaysOnceAtTheFinish) {
    session.open("handgun", kGun);
    finishAfterTicks(10);
    const auto& sounds = dynamic_cast<HeadlessServices&>(Platform::current().services()).sounds();
    ASSERT_FALSE(sounds.empty());
    const SoundRecord& sound = *sounds.back();
    EXPECT_EQ(sound.name, "Game_Over");
    EXPECT_EQ(sound.type, "aif");
    ASSERT_TRUE(sound.resourceFound);
    EXPECT_EQ(sound.playCount, 1);
    EXPECT_EQ(sound.numberOfLoops, 0);
}

TEST(UnlockPictures, EachCategoryHasItsPictureInTheDevicesForm) {
    EXPECT_EQ(unlockPictureName("handgun", false), "con_handguns.png");
    EXPECT_EQ(unlockPictureName("machineguns", true), "con_machine@2x.png");
    EXPECT_EQ(unlockPictureName("submachine", false), "con_sub.png");
    EXPECT_EQ(unlockPictureName("pistols", false), "");
}

}  // namespace
