// The tutorial movie screen.
#include "shell/TutorialInsideController.h"

#include <optional>

#include "platform/Bundle.h"
#include "platform/NavigationController.h"
#include "platform/RunLoop.h"

namespace {

// A movie that has not become playable this long after the screen loaded never will (the
// player knows no "failed" state): the screen closes as if it had ended.
constexpr double kLoadGiveUpSeconds = 3.0;

}  // namespace

std::unique_ptr<TutorialInsideController> TutorialInsideController::initWithMP4(
    const DeviceProfile& profile, const std::string& movie) {
    if (profile.isTablet()) {
        return std::make_unique<TutorialInsideController_ipad>(movie);
    }
    return std::make_unique<TutorialInsideController>(movie);
}

TutorialInsideController::TutorialInsideController(std::string movie, const DeviceProfile& profile)
    : ViewController(profile, ""), movie_(std::move(movie)) {}

TutorialInsideController::~TutorialInsideController() {
    if (closeCall_) {
        closeCall_->invalidate();
    }
}

void TutorialInsideController::viewDidLoad() {
    view().setBackgroundColor(Color::black());
    std::optional<std::string> path = Bundle::main().pathForResource(movie_, "mp4");
    if (!path) {
        // Nothing to play and no control to leave by: go back to the tutorial menu. Not from
        // here, though: the view is loading inside the push that shows this screen.
        closeCall_ = RunLoop::main().performAfterDelay(0, [this] { close(); });
        return;
    }
    moviePath_ = *path;
    if (ScreenMovie::hasOnlyEmbeddedPlayer()) {
        iphoneStary();
    } else {
        iphoneNowy();
    }
    moviePlayerView_.giveUpUnlessLoadedWithin(kLoadGiveUpSeconds);
}

void TutorialInsideController::iphoneNowy() {
    moviePlayerView_.iphoneNowy(moviePath_);
}

void TutorialInsideController::iphoneStary() {
    moviePlayerView_.iphoneStary(moviePath_);
}

void TutorialInsideController::movieFinishedCallback() {
    close();
}

void TutorialInsideController::close() {
    moviePlayerView_.stop();
    // Only while this screen is on top: never pop a screen that covers it.
    if (closed_ || !navigationController() || navigationController()->topViewController() != this) {
        return;
    }
    closed_ = true;
    navigationController()->popViewControllerAnimated(false);
}
