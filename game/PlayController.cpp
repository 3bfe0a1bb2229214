// The play screen: layout of the board, the start and reset questions, the clock and the
// dragging of parts. The finish and its result panels are in PlayControllerFinish.cpp.
#include "game/PlayController.h"

#include "app/MoveField.h"
#include "game/Scoring.h"
#include "platform/ImageView.h"
#include "platform/Label.h"
#include "platform/NavigationController.h"
#include "platform/RunLoop.h"
#include "platform/SoundPlayer.h"
#include "platform/Timer.h"
#include "platform/Touch.h"

namespace {

constexpr double kClockInterval = 0.01;

}  // namespace

PlayController::PlayController(std::string category, int idGun, const DeviceProfile& profile)
    : ViewController(profile, "PlayController"),
      id_gun_(idGun),
      category_(std::move(category)),
      values_(PlayScreenValues::forProfile(profile)),
      board_(idGun, profile, *this, [this] { finishGame(); }) {
    // Registered before the layout loads, which connects the buttons to them by name.
    addAction("startGame", [this] { startGame(); });
    addAction("startGameNo", [this] { startGameNo(); });
    addAction("showResetGameView", [this] { showResetGameView(); });
    addAction("yesResetGame", [this] { yesResetGame(); });
    addAction("noResetGame", [this] { noResetGame(); });
    addAction("backClick", [this] { backClick(); });
    addAction("hideUnlockLevelView", [this] { hideUnlockLevelView(); });
    addAction("tryAgainGameScoreView", [this] { tryAgainGameScoreView(); });
    addAction("cancelGameScoreView", [this] { cancelGameScoreView(); });
}

// The clock and the panel timer call back into this screen: they must not outlive it.
PlayController::~PlayController() {
    stopTimers();
}

void PlayController::viewDidLoad() {
    connectOutlets();
    time_ = 0;
    points_ = 0;
    pointsLabel->setText("0 sec.");
    pointsLabelGameScoreView->setText("0 pts");
    timeLabelGameScoreView->setText("0 sec.");
    highscoreLabelGameScoreView->setHidden(true);
    categoryLabel->setText(category_);
    isStartedGame_ = false;
    isHidenUnlockLevelView_ = true;
    showStartGameView();
}

void PlayController::viewWillAppear(bool) {
    showCover(true);
    board_.setCzyFnishGame(true);
    board_.layOut();
}

// Nothing needs the clock once the screen has left, and it would keep ticking otherwise.
void PlayController::viewWillDisappear(bool) {
    stopTimers();
}

// Panels.

void PlayController::slidePanel(View& panel, double distance, bool animated) {
    if (animated) {
        moveField(panel, distance);
        return;
    }
    Rect frame = panel.frame();
    frame.y += distance;
    panel.setFrame(frame);
}

void PlayController::showCover(bool shown) {
    zakryjEkran->setHidden(!shown);
}

void PlayController::showStartGameView() {
    if (isShowStartGameView_) {
        return;
    }
    showCover(true);
    slidePanel(*startGameView, values_.startPanelSlide, true);
    isShowStartGameView_ = true;
}

void PlayController::hideStartGameView() {
    slidePanel(*startGameView, -values_.startPanelSlide, false);
    isShowStartGameView_ = false;
    showCover(false);
}

void PlayController::startGame() {
    hideStartGameView();
    isStartedGame_ = true;
    startClock();
    showCover(false);
}

void PlayController::startGameNo() {
    hideStartGameView();
    showCover(false);
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewControllerAnimated(true);
    }
}

void PlayController::showResetGameView() {
    if (isShowResetGameView_ || !isHidenUnlockLevelView_ || isShowStartGameView_ ||
        !isStartedGame_ || isShowGameScoreView_) {
        return;
    }
    slidePanel(*resetGameView, values_.resetPanelSlide, true);
    isShowResetGameView_ = true;
    showCover(true);
}

void PlayController::hideResetGameView() {
    slidePanel(*resetGameView, -values_.resetPanelSlide, false);
    isShowResetGameView_ = false;
    showCover(false);
}

void PlayController::yesResetGame() {
    hideResetGameView();
    resetGame();
}

void PlayController::noResetGame() {
    hideResetGameView();
}

void PlayController::backClick() {
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewControllerAnimated(true);
    }
}

void PlayController::resetGame() {
    board_.restore();
    stopClock();
    time_ = 0;
    points_ = 0;
    pointsLabel->setText("0 sec.");
    pointsLabelGameScoreView->setText("0 pts");
    timeLabelGameScoreView->setText("0 sec.");
    startClock();
}

// The clock.

// A clock already running is replaced, never left ticking beside the new one.
void PlayController::startClock() {
    stopClock();
    aTimer = RunLoop::main().scheduleTimer(kClockInterval, true, [this] { updatePoints(); });
}

void PlayController::stopClock() {
    if (aTimer) {
        aTimer->invalidate();
        aTimer.reset();
    }
}

void PlayController::stopTimers() {
    stopClock();
    if (scorePanelTimer_) {
        scorePanelTimer_->invalidate();
        scorePanelTimer_.reset();
    }
}

bool PlayController::isClockRunning() const {
    return aTimer && aTimer->isValid();
}

// The sum is taken in double precision and stored back in single precision, so the rounding
// of every tick accumulates (100 ticks give 0.99999934). Ticks the run loop could not deliver
// on time are dropped, so the clock counts delivered ticks.
void PlayController::updatePoints() {
    time_ = static_cast<float>(static_cast<double>(time_) + kClockInterval);
    pointsLabel->setText(secondsText(time_));
}

// Touches. A finger that lands on a loose part is delivered to that part's view and reaches
// the screen through the responder chain; while the cover is up it never gets that far.

void PlayController::touchesMoved(const TouchSet& touches, const TouchEvent& event) {
    for (Touch* touch : touches) {
        board_.resetujCzyPrzesuwana();
        for (int slot = 2; slot <= kSlotCount; ++slot) {
            const TouchSet onSlot = event.touchesForView(&czescView(slot));
            if (!onSlot.empty() && onSlot.front() == touch) {
                board_.setCzyPrzesuwanaCzesc(slot);
                czescView(slot).setCenter(touch->locationInView(&view()));
            }
        }
    }
}

void PlayController::touchesEnded(const TouchSet& touches, const TouchEvent&) {
    for (Touch* touch : touches) {
        board_.dropAt(touch->locationInView(&view()));
    }
}

// A cancelled finger counts as released where it was last seen.
void PlayController::touchesCancelled(const TouchSet& touches, const TouchEvent& event) {
    for (size_t i = 0; i < touches.size(); ++i) {
        touchesEnded(touches, event);
    }
}

// The slot views, as the board sees them. The picture fills its slot.

Rect PlayController::slotFrame(int slot) const {
    return czescView(slot).frame();
}

void PlayController::setSlotFrame(int slot, Rect frame) {
    czescView(slot).setFrame(frame);
    czescImage(slot).setFrame({0, 0, frame.width, frame.height});
}

void PlayController::setSlotHidden(int slot, bool hidden) {
    czescView(slot).setHidden(hidden);
}

void PlayController::setSlotPicture(int slot, const std::string& picture) {
    czescImage(slot).setImage(picture);
}

Size PlayController::slotPictureSize(int slot) const {
    return czescImage(slot).imageSize();
}

// Outlets. A layout that lacks one is reported, and an empty hidden stand-in keeps the screen
// working without it.

void PlayController::connectOutlets() {
    View& root = view();
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::string number = std::to_string(slot);
        View* slotView = requireOutlet<View>(*this, root, "czesc" + number + "View");
        czescView_[static_cast<size_t>(slot)] = slotView;
        czescImage_[static_cast<size_t>(slot)] =
            requireOutlet<ImageView>(*this, *slotView, "czesc" + number + "Image");
    }
    pointsLabel = requireOutlet<Label>(*this, root, "pointsLabel");
    categoryLabel = requireOutlet<Label>(*this, root, "categoryLabel");
    zakryjEkran = requireOutlet<View>(*this, root, "zakryjEkran");
    startGameView = requireOutlet<View>(*this, root, "startGameView");
    resetGameView = requireOutlet<View>(*this, root, "resetGameView");
    gameScoreView = requireOutlet<View>(*this, root, "gameScoreView");
    unlockLevelView = requireOutlet<View>(*this, root, "unlockLevelView");
    pointsLabelGameScoreView =
        requireOutlet<Label>(*this, *gameScoreView, "pointsLabelGameScoreView");
    timeLabelGameScoreView = requireOutlet<Label>(*this, *gameScoreView, "timeLabelGameScoreView");
    highscoreLabelGameScoreView =
        requireOutlet<Label>(*this, *gameScoreView, "highscoreLabelGameScoreView");
    imageUnlockLevelView =
        requireOutlet<ImageView>(*this, *unlockLevelView, "imageUnlockLevelView");
}
