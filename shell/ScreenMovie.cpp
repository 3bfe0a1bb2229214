// Playing a screen's full-screen movie.
#include "shell/ScreenMovie.h"

#include "platform/Platform.h"
#include "platform/RunLoop.h"

namespace {

constexpr double kLoadPollSeconds = 0.1;

void cancel(const std::shared_ptr<Timer>& timer) {
    if (timer) {
        timer->invalidate();
    }
}

}  // namespace

ScreenMovie::ScreenMovie(std::function<void()> finished) : finished_(std::move(finished)) {}

bool ScreenMovie::hasOnlyEmbeddedPlayer() {
    return Platform::current().deviceModel() == "iPhone1,1";
}

ScreenMovie::~ScreenMovie() {
    cancel(checkTimer_);
    cancel(giveUpTimer_);
}

void ScreenMovie::start(const std::string& path) {
    moviePlayer_ = MoviePlayer::create(path);
    moviePlayer_->setPlaybackDidFinish([this](MoviePlayer&) { movieFinishedCallback(); });
}

void ScreenMovie::iphoneNowy(const std::string& path) {
    start(path);
    checkIt();
}

void ScreenMovie::iphoneStary(const std::string& path) {
    start(path);
    moviePlayer_->play();
}

void ScreenMovie::checkIt() {
    if (!moviePlayer_) {
        return;
    }
    if (moviePlayer_->loadState() == MoviePlayer::LoadStateUnknown) {
        checkTimer_ = RunLoop::main().performAfterDelay(kLoadPollSeconds, [this] { checkIt(); });
        return;
    }
    moviePlayer_->presentFullScreen();
}

bool ScreenMovie::isPolling() const {
    return checkTimer_ && checkTimer_->isValid();
}

void ScreenMovie::giveUpUnlessLoadedWithin(double seconds) {
    cancel(giveUpTimer_);
    giveUpTimer_ = RunLoop::main().performAfterDelay(seconds, [this] {
        if (moviePlayer_ && moviePlayer_->loadState() == MoviePlayer::LoadStateUnknown) {
            movieFinishedCallback();
        }
    });
}

void ScreenMovie::stop() {
    cancel(checkTimer_);
    cancel(giveUpTimer_);
    if (!moviePlayer_) {
        return;
    }
    moviePlayer_->setPlaybackDidFinish({});
    // Let go on the next turn: this may run inside the player's own notification.
    RunLoop::main().post([finished = std::shared_ptr<MoviePlayer>(std::move(moviePlayer_))] {});
}

void ScreenMovie::movieFinishedCallback() {
    stop();
    if (finished_) {
        finished_();
    }
}
