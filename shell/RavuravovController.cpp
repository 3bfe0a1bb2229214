// The gun encyclopedia.
#include "shell/RavuravovController.h"

#include <memory>

#include "platform/ImageView.h"
#include "platform/NavigationController.h"
#include "shell/FlipView.h"

namespace {

struct Page {
    const char* action;
    const char* picture;  // the phone name; the tablet's has "_ipad" before ".jpg"
};

// Each action is the name of its gun's button in the list.
constexpr Page kPages[] = {
    {"MG42", "guno_29.jpg"},      {"M249", "guno_28.jpg"},          {"BAR", "guno_27.jpg"},
    {"PM84", "guno_26.jpg"},      {"MP5", "guno_25.jpg"},           {"MP40", "guno_24.jpg"},
    {"KP31", "guno_23.jpg"},      {"FNP90", "guno_22.jpg"},         {"SWDDragunov", "guno_21.jpg"},
    {"SteyrSSG", "guno_20.jpg"},  {"Mossberg500", "guno_19.jpg"},   {"SPAS15", "guno_18.jpg"},
    {"Saga12", "guno_17.jpg"},    {"SG44", "guno_16.jpg"},          {"SteyerAUG77", "guno_15.jpg"},
    {"M16", "guno_14.jpg"},       {"L85", "guno_13.jpg"},           {"AK47", "guno_12.jpg"},
    {"Walther99", "guno_11.jpg"}, {"Walther38", "guno_10.jpg"},     {"VisWZ", "guno_09.jpg"},
    {"HKUSP", "guno_08.jpg"},     {"PO8Parabellum", "guno_07.jpg"}, {"Makoarov", "guno_06.jpg"},
    {"Glock", "guno_05.jpg"},     {"DesertEagle", "guno_04.jpg"},   {"CZ", "guno_03.jpg"},
    {"Colt1911", "guno_02.jpg"},  {"Beretta92", "guno_01.jpg"},
};

}  // namespace

RavuravovController::RavuravovController(const DeviceProfile& profile)
    : ViewController(profile, "RavuravovController") {
    if (profile.isTablet()) {
        registerViewClass("flip_ipad", [] { return std::make_unique<flip_ipad>(); });
    } else {
        registerViewClass("flip", [] { return std::make_unique<flip>(); });
    }
    for (const Page& page : kPages) {
        addAction(page.action, [this, picture = page.picture] { showPage(picture); });
    }
    addAction("backButton", [this] { backButton(); });
}

void RavuravovController::viewDidLoad() {
    obrot_ = requireOutlet<flip>(*this, view(), "obrot");
    zmienBronView_ = requireOutlet<ImageView>(*this, view(), "zmienBronView");
}

void RavuravovController::showPage(std::string_view phonePicture) {
    std::string picture(phonePicture);
    if (profile().isTablet()) {
        picture.insert(picture.rfind(".jpg"), "_ipad");
    }
    changeView(picture);
    obrot_->go();
}

void RavuravovController::changeView(const std::string& picture) {
    view();
    zmienBronView_->setImage(picture);
}

void RavuravovController::backButton() {
    if (navigationController()) {
        navigationController()->popViewControllerAnimated(true);
    }
}
