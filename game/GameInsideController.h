// The gun selection of one category: the category's guns as buttons over the category picture,
// each with the player's best score, and the category's total. A gun button opens its play
// screen. The eleven handguns take two pages; the second one is made from its own layout and
// starts from the total the first page showed. The tablet twin only selects the tablet profile.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "game/GameInsideValues.h"
#include "platform/ViewController.h"

class Label;

class GameInsideController : public ViewController {
public:
    // initWithCategory:
    explicit GameInsideController(std::string category,
                                  const DeviceProfile& profile = DeviceProfile::phone());
    // initWithCategory:andTotalPoints: — the second handgun page.
    GameInsideController(std::string category, std::string totalPoints,
                         const DeviceProfile& profile = DeviceProfile::phone());

    // The first page of CATEGORY as the class of PROFILE.
    static std::unique_ptr<GameInsideController> forCategory(const DeviceProfile& profile,
                                                             std::string category);

    void viewWillAppear(bool animated) override;

    void getScoresForCategory(const std::string& category);
    // The action of gun button POSITION (1 to 11).
    void gun(int position);
    void nextButton();
    void backButton();
    void backButtonHandGun();

    const std::string& category() const { return category_; }
    const std::string& totalPoints() const { return totalPoints_; }
    bool isGameInsideController1() const { return isGameInsideController1_; }
    // The gun that button POSITION opens on CATEGORY's page, or 0 when there is none.
    static int idGunAt(const std::string& category, int position);

private:
    GameInsideController(std::string category, std::string totalPoints, bool secondPage,
                         const DeviceProfile& profile);

    Label* gunLabel(int position) const;
    void showTotal();
    void applyCategoryLook();
    void setLabelText(Label* label, const std::string& text);

    std::string category_;
    std::string totalPoints_;
    bool isGameInsideController1_;
    GameInsideValues values_;
};

class GameInsideController_ipad : public GameInsideController {
public:
    explicit GameInsideController_ipad(std::string category)
        : GameInsideController(std::move(category), DeviceProfile::tablet()) {}
    GameInsideController_ipad(std::string category, std::string totalPoints)
        : GameInsideController(std::move(category), std::move(totalPoints),
                               DeviceProfile::tablet()) {}
};
