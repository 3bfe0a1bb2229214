// The play screen: one assembly game of one gun. It lays out the gun's parts, asks whether to
// start, runs a clock of 0.01 s ticks while the player drags parts together, hands every
// released finger to the board's join rules, and on the final join scores the game, unlocks
// the category, keeps the best result and shows the result panels. The tablet twin only
// selects the tablet profile.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/AssemblyBoard.h"
#include "game/PlayScreenValues.h"
#include "platform/ViewController.h"

class ImageView;
class Label;
class SoundPlayer;
class Timer;

class PlayController : public ViewController, private PartSlots {
public:
    // initWithCategory:IdGun:
    PlayController(std::string category, int idGun,
                   const DeviceProfile& profile = DeviceProfile::phone());
    ~PlayController() override;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    void touchesMoved(const TouchSet& touches, const TouchEvent& event) override;
    void touchesEnded(const TouchSet& touches, const TouchEvent& event) override;
    void touchesCancelled(const TouchSet& touches, const TouchEvent& event) override;

    // Actions of the start, reset and result panels and the board's buttons.
    void startGame();
    void startGameNo();
    void showResetGameView();
    void yesResetGame();
    void noResetGame();
    void backClick();
    void hideUnlockLevelView();
    void tryAgainGameScoreView();
    void cancelGameScoreView();

    // State that tests and the result panels read.
    int32_t id_gun() const { return id_gun_; }
    const std::string& category() const { return category_; }
    float time() const { return time_; }
    int32_t points() const { return points_; }
    bool isClockRunning() const;
    bool isStartedGame() const { return isStartedGame_; }
    bool isShowStartGameView() const { return isShowStartGameView_; }
    bool isShowResetGameView() const { return isShowResetGameView_; }
    bool isShowGameScoreView() const { return isShowGameScoreView_; }
    bool isHidenUnlockLevelView() const { return isHidenUnlockLevelView_; }
    const AssemblyBoard& board() const { return board_; }

private:
    // Panels and clock.
    void showStartGameView();
    void hideStartGameView();
    void hideResetGameView();
    void resetGame();
    void updatePoints();
    void startClock();
    void stopClock();
    void stopTimers();
    void slidePanel(View& panel, double distance, bool animated);
    void showCover(bool shown);

    // The finish and its result panels.
    void finishGame();
    void unlockLevel();
    void showUnlockLevelView();
    void showGameScoreView();
    void hideGameScoreView();
    void storeBestResult();
    void playGameOverSound();

    // PartSlots: the nine slot views.
    Rect slotFrame(int slot) const override;
    void setSlotFrame(int slot, Rect frame) override;
    void setSlotHidden(int slot, bool hidden) override;
    void setSlotPicture(int slot, const std::string& picture) override;
    Size slotPictureSize(int slot) const override;

    void connectOutlets();
    View& czescView(int slot) const { return *czescView_.at(static_cast<size_t>(slot)); }
    ImageView& czescImage(int slot) const { return *czescImage_.at(static_cast<size_t>(slot)); }

    int32_t id_gun_;
    std::string category_;
    PlayScreenValues values_;
    AssemblyBoard board_;

    std::shared_ptr<Timer> aTimer;
    std::shared_ptr<Timer> scorePanelTimer_;  // the score panel after the unlock panel
    float time_ = 0;
    int32_t points_ = 0;

    // Best result look-up.
    std::vector<std::string> results;
    std::string id_score;
    std::string lastBestScoreForThisGame;
    std::unique_ptr<SoundPlayer> muzykaFinish;

    bool isShowStartGameView_ = false;
    bool isShowResetGameView_ = false;
    bool isShowGameScoreView_ = false;
    bool isHidenUnlockLevelView_ = true;
    bool isStartedGame_ = false;

    // Outlets, connected after the layout has loaded (index 0 of the slot arrays is unused).
    std::array<View*, kSlotCount + 1> czescView_{};
    std::array<ImageView*, kSlotCount + 1> czescImage_{};
    Label* pointsLabel = nullptr;
    Label* categoryLabel = nullptr;
    Label* pointsLabelGameScoreView = nullptr;
    Label* timeLabelGameScoreView = nullptr;
    Label* highscoreLabelGameScoreView = nullptr;
    View* startGameView = nullptr;
    View* resetGameView = nullptr;
    View* gameScoreView = nullptr;
    View* unlockLevelView = nullptr;
    ImageView* imageUnlockLevelView = nullptr;
    View* zakryjEkran = nullptr;
};

class PlayController_ipad : public PlayController {
public:
    PlayController_ipad(std::string category, int idGun)
        : PlayController(std::move(category), idGun, DeviceProfile::tablet()) {}
};
