// The end of a game: points, the category's unlock, the best result in the score database,
// the game-over sound and the unlock and score panels.
#include "app/AppDelegate_All.h"
#include "app/ScoreDatabase.h"
#include "app/SettingManagement.h"
#include "app/TextValue.h"
#include "game/PlayController.h"
#include "game/Scoring.h"
#include "platform/ImageView.h"
#include "platform/Label.h"
#include "platform/NavigationController.h"
#include "platform/RunLoop.h"
#include "platform/SoundPlayer.h"
#include "platform/Timer.h"

namespace {
constexpr double kScorePanelDelay = 0.5;
}  // namespace

// The order matters: the panel that starts to slide in shows the labels as the later steps
// leave them, and the points are cleared only once they are stored.
void PlayController::finishGame() {
    board_.setCzyFnishGame(false);
    playGameOverSound();
    timeLabelGameScoreView->setText(secondsText(time_));
    points_ = pointsForTime(time_);
    pointsLabelGameScoreView->setText(std::to_string(points_) + " pts");

    const StringMap& settings = AppDelegate_All::shared().ustawienia;
    const auto flag = settings.find(category_);
    const bool unlocked = flag != settings.end() && intValue(flag->second) != 0;
    if (!unlocked) {
        unlockLevel();
        showUnlockLevelView();
    } else {
        showGameScoreView();
    }

    stopClock();
    storeBestResult();
    points_ = 0;
}

void PlayController::playGameOverSound() {
    muzykaFinish = SoundPlayer::create("Game_Over", "aif");
    if (muzykaFinish) {
        muzykaFinish->setNumberOfLoops(0);
        muzykaFinish->play();
    }
}

// A result is written only when no row exists (insert) or the stored one is beaten (update),
// and the new-best label shows only when that write succeeded. A look-up that failed tells
// nothing about the rows: inserting then could add a second row beside an existing one, which
// the category totals would count twice, so nothing is stored.
void PlayController::storeBestResult() {
    const std::string& login = AppDelegate_All::shared().login;
    ScoreLookup lookup = ScoreDatabase::checkScoreForThisGameExist(login, id_gun_);
    results = std::move(lookup.results);
    id_score = std::move(lookup.idScore);
    lastBestScoreForThisGame = std::move(lookup.lastBestScore);

    bool stored = false;
    if (lookup.succeeded && results.empty()) {
        stored = ScoreDatabase::insertNewScore(points_, login, category_, id_gun_);
    } else if (lookup.succeeded && points_ > intValue(lastBestScoreForThisGame)) {
        stored = ScoreDatabase::updateScoreForThisGame(points_, id_score);
    }
    highscoreLabelGameScoreView->setHidden(!stored);
}

void PlayController::unlockLevel() {
    SettingManagement().saveSetting(category_, "1");
}

void PlayController::showUnlockLevelView() {
    isHidenUnlockLevelView_ = false;
    const std::string picture = unlockPictureName(category_, profile().isTablet());
    if (!picture.empty()) {
        imageUnlockLevelView->setImage(picture);
    }
    slidePanel(*unlockLevelView, values_.unlockPanelSlide, true);
}

void PlayController::hideUnlockLevelView() {
    if (isHidenUnlockLevelView_) {
        return;
    }
    slidePanel(*unlockLevelView, -values_.unlockPanelSlide, true);
    scorePanelTimer_ =
        RunLoop::main().performAfterDelay(kScorePanelDelay, [this] { showGameScoreView(); });
    isHidenUnlockLevelView_ = true;
}

void PlayController::showGameScoreView() {
    isShowGameScoreView_ = true;
    isHidenUnlockLevelView_ = true;
    slidePanel(*gameScoreView, values_.scorePanelSlide, true);
}

void PlayController::hideGameScoreView() {
    isShowGameScoreView_ = false;
    slidePanel(*gameScoreView, -values_.scorePanelSlide, false);
}

void PlayController::tryAgainGameScoreView() {
    hideGameScoreView();
    resetGame();
}

void PlayController::cancelGameScoreView() {
    hideGameScoreView();
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewControllerAnimated(true);
    }
}
