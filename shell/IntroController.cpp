// The intro sequence.
#include "shell/IntroController.h"

#include "platform/ActivityIndicatorView.h"
#include "platform/Bundle.h"
#include "platform/NavigationController.h"
#include "platform/RunLoop.h"
#include "platform/ScreenRegistry.h"

namespace {

constexpr double kFallbackSeconds = 6.0;

}  // namespace

IntroController::IntroController(const DeviceProfile& profile)
    : ViewController(profile, "IntroController") {}

IntroController::~IntroController() {
    if (aTimer_) {
        aTimer_->invalidate();
    }
}

void IntroController::viewDidLoad() {
    if (auto* indicator = outlet<ActivityIndicatorView>("indicator")) {
        indicator->startAnimating();
    }
    aTimer_ = RunLoop::main().performAfterDelay(kFallbackSeconds, [this] { nextController(); });
    view().setBackgroundColor(Color::black());
    if (ScreenMovie::hasOnlyEmbeddedPlayer()) {
        iphoneStary();
    } else {
        iphoneNowy();
    }
}

std::string IntroController::moviePath() const {
    const bool tablet = profile().isTablet();
    return Bundle::main()
        .pathForResource(tablet ? "GUN_INTRO1" : "intro", tablet ? "mov" : "mp4")
        .value_or("");
}

void IntroController::iphoneNowy() {
    movie_.iphoneNowy(moviePath());
}

void IntroController::iphoneStary() {
    movie_.iphoneStary(moviePath());
}

void IntroController::movieFinishedCallback() {
    nextController();
}

void IntroController::nextController() {
    if (menuPushed_) {
        return;
    }
    menuPushed_ = true;
    // The menu covers the intro for good: a movie still loading must never be shown over it.
    movie_.stop();
    const std::string menu = "MenuController" + std::string(profile().layoutSuffix());
    std::unique_ptr<ViewController> screen = ScreenRegistry::shared().create(menu, profile(), {});
    if (screen && navigationController()) {
        navigationController()->pushViewController(std::move(screen), false);
    }
}

void IntroController::viewWillDisappear(bool animated) {
    if (aTimer_) {
        aTimer_->invalidate();
    }
    ViewController::viewWillDisappear(animated);
}
