// The gun selection of a category.
#include "game/GameInsideController.h"

#include <cstdint>
#include <vector>

#include "app/AppDelegate_All.h"
#include "app/ScoreDatabase.h"
#include "app/TextValue.h"
#include "game/GunSelectionPages.h"
#include "game/PlayController.h"
#include "platform/Button.h"
#include "platform/ImageView.h"
#include "platform/Label.h"
#include "platform/NavigationController.h"

namespace {

constexpr int kPagePositions = kSelectionPagePositions;
constexpr int kLabelPositions = 11;
// The screen the second handgun page returns to: the hub, above the intro and the main menu.
constexpr size_t kHubIndex = 2;

// The label position of a stored gun id, or 0 for an id no page shows.
int labelPositionOf(int idGun) {
    if (idGun >= 1 && idGun <= 11) {
        return idGun;
    }
    if (idGun >= 12 && idGun <= 16) {
        return idGun - 11;
    }
    if (idGun >= 18 && idGun <= 22) {
        return idGun - 17;
    }
    if (idGun >= 23 && idGun <= 25) {
        return idGun - 22;
    }
    switch (idGun) {
        case 26:
            return 2;
        case 27:
            return 1;
        case 28:
            return 3;
        case 29:
            return 1;
        case 30:
            return 2;
        default:
            return 0;
    }
}

std::unique_ptr<PlayController> playScreen(const DeviceProfile& profile, std::string category,
                                           int idGun) {
    if (profile.isTablet()) {
        return std::make_unique<PlayController_ipad>(std::move(category), idGun);
    }
    return std::make_unique<PlayController>(std::move(category), idGun);
}

}  // namespace

GameInsideController::GameInsideController(std::string category, const DeviceProfile& profile)
    : GameInsideController(std::move(category), "", false, profile) {}

GameInsideController::GameInsideController(std::string category, std::string totalPoints,
                                           const DeviceProfile& profile)
    : GameInsideController(std::move(category), std::move(totalPoints), true, profile) {}

GameInsideController::GameInsideController(std::string category, std::string totalPoints,
                                           bool secondPage, const DeviceProfile& profile)
    : ViewController(profile, secondPage ? "GameInsideController1" : "GameInsideController"),
      category_(std::move(category)),
      totalPoints_(std::move(totalPoints)),
      isGameInsideController1_(secondPage),
      values_(GameInsideValues::forProfile(profile)) {
    for (int position = 1; position <= kLabelPositions; ++position) {
        addAction("gun" + std::to_string(position), [this, position] { gun(position); });
    }
    addAction("nextButton:", [this] { nextButton(); });
    addAction("backButton", [this] { backButton(); });
    addAction("backButtonHandGun", [this] { backButtonHandGun(); });
}

std::unique_ptr<GameInsideController> GameInsideController::forCategory(
    const DeviceProfile& profile, std::string category) {
    if (profile.isTablet()) {
        return std::make_unique<GameInsideController_ipad>(std::move(category));
    }
    return std::make_unique<GameInsideController>(std::move(category));
}

int GameInsideController::idGunAt(const std::string& category, int position) {
    // The second page's buttons are handguns 7 to 11, whatever the page's category.
    if (position > kPagePositions) {
        return position <= kLabelPositions ? position : 0;
    }
    const GunSelectionPage* page = findGunSelectionPage(category);
    if (!page || position < 1) {
        return 0;
    }
    return page->idGuns[static_cast<size_t>(position - 1)];
}

Label* GameInsideController::gunLabel(int position) const {
    return outlet<Label>("gun" + std::to_string(position) + "Label");
}

void GameInsideController::setLabelText(Label* label, const std::string& text) {
    if (label) {
        label->setText(text);
    }
}

void GameInsideController::viewWillAppear(bool animated) {
    for (int position = 1; position <= kLabelPositions; ++position) {
        setLabelText(gunLabel(position), "0");
    }
    getScoresForCategory(category_);
    showTotal();
    applyCategoryLook();
    ViewController::viewWillAppear(animated);
}

void GameInsideController::getScoresForCategory(const std::string& category) {
    // Whatever name `login` holds, the empty one included: the play screen stores results under
    // it and the hub counts them, so the page must show them too.
    const std::string& login = AppDelegate_All::shared().login;
    for (const GunScore& score : ScoreDatabase::getScoresForCategory(login, category)) {
        if (const int position = labelPositionOf(score.idGun); position != 0) {
            setLabelText(gunLabel(position), score.score);
        }
    }
}

void GameInsideController::showTotal() {
    auto valueOf = [this](int position) -> int64_t {
        const Label* label = gunLabel(position);
        return label ? intValue(label->text()) : 0;
    };
    // Eleven values of at most 2^31 - 1 fit in 64 bits; the labels show the total as a 32-bit
    // number, clamped, like every other integer the game shows.
    int64_t total = 0;
    if (isGameInsideController1_) {
        total = intValue(totalPoints_);
        for (int position = 7; position <= kLabelPositions; ++position) {
            total += valueOf(position);
        }
    } else {
        for (int position = 1; position <= kPagePositions; ++position) {
            total += valueOf(position);
        }
    }
    const std::string text = std::to_string(clampToInt32(total));
    setLabelText(outlet<Label>("totalPointsLabel"), text);
    setLabelText(outlet<Label>("totalPointsLabel2"), text);
}

void GameInsideController::applyCategoryLook() {
    const GunSelectionPage* page = findGunSelectionPage(category_);
    if (!page) {
        return;
    }
    const bool onTablet = profile().isTablet();
    if (auto* background = outlet<ImageView>("background")) {
        background->setImage(selectionBackgroundName(*page, onTablet));
    }
    for (int position = 1; position <= kPagePositions; ++position) {
        auto* button = outlet<Button>("gun" + std::to_string(position));
        const std::string pressed = selectionHighlightedName(*page, position, onTablet);
        if (button && !pressed.empty()) {
            button->setHighlightedImage(pressed);
        }
    }
    for (int position : page->hiddenLabels) {
        if (Label* label = gunLabel(position)) {
            label->setHidden(true);
        }
    }
    // Only the handguns go on to a second page; elsewhere the button would do nothing.
    if (View* next = outletView("nextButton")) {
        next->setHidden(category_ != "handgun");
    }
    Label* total = outlet<Label>("totalPointsLabel");
    if (total && category_ == "handgun") {
        total->setHidden(true);
    } else if (total && category_ == "sniper") {
        total->setFrame(values_.sniperTotalFrame);
    }
}

void GameInsideController::gun(int position) {
    if (position == 6 && category_ != "handgun") {
        return;
    }
    const int idGun = idGunAt(category_, position);
    if (idGun == 0 || !navigationController()) {
        return;
    }
    const std::string category = position > kPagePositions ? "handgun" : category_;
    navigationController()->pushViewController(playScreen(profile(), category, idGun), true);
}

void GameInsideController::nextButton() {
    if (category_ != "handgun" || !navigationController()) {
        return;
    }
    std::string total;
    if (const Label* label = outlet<Label>("totalPointsLabel")) {
        total = label->text();
    }
    std::unique_ptr<GameInsideController> next;
    if (profile().isTablet()) {
        next = std::make_unique<GameInsideController_ipad>("handgun", std::move(total));
    } else {
        next = std::make_unique<GameInsideController>("handgun", std::move(total));
    }
    navigationController()->pushViewController(std::move(next), true);
}

void GameInsideController::backButton() {
    if (navigationController()) {
        navigationController()->popViewControllerAnimated(true);
    }
}

void GameInsideController::backButtonHandGun() {
    NavigationController* navigation = navigationController();
    if (!navigation) {
        return;
    }
    const std::vector<ViewController*> stack = navigation->viewControllers();
    // With no screen below at that place (a page opened on its own) only this page goes.
    if (stack.size() > kHubIndex && stack[kHubIndex] != this) {
        navigation->popToViewController(*stack[kHubIndex], true);
    } else {
        navigation->popViewControllerAnimated(true);
    }
}
