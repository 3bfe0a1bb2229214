// The list of guns.
#include "game/GunListController.h"

#include <memory>
#include <string>

#include "game/GunAssembly.h"
#include "platform/Button.h"
#include "platform/Label.h"
#include "platform/NavigationController.h"
#include "platform/ScreenRegistry.h"

namespace {

// Where the rows and buttons go on each profile.
struct ListGeometry {
    double firstRowY;
    double rowHeight;
    Rect categoryLabel;  // of the first row
    double firstButtonX;
    double buttonSize;
    double buttonStep;
    double fontSize;
};

ListGeometry geometryFor(const DeviceProfile& profile) {
    if (profile.isTablet()) {
        return {130, 96, {40, 0, 220, 64}, 270, 64, 68, 24};
    }
    return {52, 44, {10, 0, 100, 32}, 115, 32, 33, 13};
}

constexpr Color kAmber{0.95, 0.63, 0.19, 1};
constexpr Color kButtonFace{0.16, 0.19, 0.23, 0.92};

}  // namespace

GunListController::GunListController(const DeviceProfile& profile)
    : ViewController(profile, "GunListController") {
    addAction("backButton", [this] { backButton(); });
    for (const GunAssembly& gun : allGunAssemblies()) {
        addAction("gun" + std::to_string(gun.id_gun), [this, id = gun.id_gun] { openGun(id); });
    }
}

void GunListController::viewDidLoad() {
    const ListGeometry geometry = geometryFor(profile());
    std::string category;
    double rowY = geometry.firstRowY - geometry.rowHeight;
    int column = 0;
    for (const GunAssembly& gun : allGunAssemblies()) {
        if (gun.category != category) {
            category = gun.category;
            rowY += geometry.rowHeight;
            column = 0;
            auto label = std::make_unique<Label>();
            Rect frame = geometry.categoryLabel;
            frame.y = rowY;
            label->setFrame(frame);
            label->setText(category);
            label->setFont("DejaVuSans-Bold", geometry.fontSize + 2);
            label->setTextColor(kAmber);
            view().addSubview(std::move(label));
        }
        const std::string name = "gun" + std::to_string(gun.id_gun);
        auto button = std::make_unique<Button>();
        button->setFrame({geometry.firstButtonX + column * geometry.buttonStep, rowY,
                          geometry.buttonSize, geometry.buttonSize});
        button->setTitle(std::to_string(gun.id_gun));
        button->setFont("DejaVuSans-Bold", geometry.fontSize);
        button->setBackgroundColor(kButtonFace);
        button->setAction(this, name);
        button->setName(name);
        setOutlet(name, &view().addSubview(std::move(button)));
        ++column;
    }
}

void GunListController::openGun(int idGun) {
    const GunAssembly* gun = findGunAssembly(idGun);
    if (!gun || !navigationController()) {
        return;
    }
    const std::string play = "PlayController" + std::string(profile().layoutSuffix());
    if (std::unique_ptr<ViewController> screen = ScreenRegistry::shared().create(
            play, profile(), {gun->category, std::to_string(idGun)})) {
        navigationController()->pushViewController(std::move(screen), true);
    }
}

void GunListController::backButton() {
    if (navigationController()) {
        navigationController()->popViewControllerAnimated(true);
    }
}
