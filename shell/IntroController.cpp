// The intro sequence.
#include "shell/IntroController.h"

#include "platform/ActivityIndicatorView.h"
#include "platform/Bundle.h"
#include "platform/NavigationController.h"
#include "platform/Platform.h"
#include "platform/RunLoop.h"
#include "platform/ScreenRegistry.h"

namespace {

constexpr double kFallbackSeconds = 6.0;
constexpr double kLoadPollSeconds = 0.1;
// The first phone model, which has only the older embedded movie player.
constexpr const char* kFirstPhoneModel = "iPhone1,1";

}  // namespace

IntroController::IntroController(const DeviceProfile& profile)
    : ViewController(profile, "IntroController") {}

IntroController::~IntroController() {
    for (const std::shared_ptr<Timer>& timer : {aTimer_, checkTimer_}) {
        if (timer) {
            timer->invalidate();
        }
    }
}

void IntroController::viewDidLoad() {
    if (auto* indicator = outlet<ActivityIndicatorView>("indicator")) {
        indicator->startAnimating();
    }
    aTimer_ = RunLoop::main().performAfterDelay(kFallbackSeconds, [this] { nextController(); });
    view().setBackgroundColor(Color::black());
    if (Platform::current().deviceModel() == kFirstPhoneModel) {
        iphoneStary();
    } else {
        iphoneNowy();
    }
}

std::unique_ptr<MoviePlayer> IntroController::makeMoviePlayer() {
    const bool tablet = profile().isTablet();
    std::optional<std::string> path =
        Bundle::main().pathForResource(tablet ? "GUN_INTRO1" : "intro", tablet ? "mov" : "mp4");
    std::unique_ptr<MoviePlayer> player = MoviePlayer::create(path.value_or(""));
    player->setPlaybackDidFinish(
        [this](MoviePlayer& finished) { movieFinishedCallback(finished); });
    return player;
}

void IntroController::iphoneNowy() {
    moviePlayer_ = makeMoviePlayer();
    checkIt();
}

void IntroController::checkIt() {
    if (!moviePlayer_) {
        return;
    }
    if (moviePlayer_->loadState() == MoviePlayer::LoadStateUnknown) {
        checkTimer_ = RunLoop::main().performAfterDelay(kLoadPollSeconds, [this] { checkIt(); });
        return;
    }
    moviePlayer_->presentFullScreen();
}

void IntroController::iphoneStary() {
    moviePlayer_ = makeMoviePlayer();
    moviePlayer_->play();
}

void IntroController::movieFinishedCallback(MoviePlayer& player) {
    player.setPlaybackDidFinish({});
    // Let go of the player on the next turn: we are inside its own notification.
    RunLoop::main().post([finished = std::shared_ptr<MoviePlayer>(std::move(moviePlayer_))] {});
    nextController();
}

void IntroController::nextController() {
    if (menuPushed_) {
        return;
    }
    menuPushed_ = true;
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
