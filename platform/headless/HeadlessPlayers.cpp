// Headless sound and movie players and URL connection: they keep their records up to date and
// deliver notifications and replies through the run loop.
#include "platform/headless/HeadlessPlayers.h"

#include <utility>

#include "platform/RunLoop.h"

HeadlessSoundPlayer::HeadlessSoundPlayer(std::shared_ptr<SoundRecord> record)
    : record_(std::move(record)) {}

HeadlessSoundPlayer::~HeadlessSoundPlayer() {
    record_->playing = false;
    record_->released = true;
}

void HeadlessSoundPlayer::play() {
    ++record_->playCount;
    record_->playing = true;
}

void HeadlessSoundPlayer::stop() {
    ++record_->stopCount;
    record_->playing = false;
}

HeadlessMoviePlayer::HeadlessMoviePlayer(HeadlessServices& services,
                                         std::shared_ptr<MovieRecord> record)
    : services_(services), record_(std::move(record)) {
    const double loadDelay = services_.movieLoadDelay();
    if (record_->loadable && loadDelay > 0) {
        record_->loadable = false;
        loadTimer_ = RunLoop::main().performAfterDelay(loadDelay, [this] {
            record_->loadable = true;
            if (playWhenLoaded_) {
                play();
            }
        });
    }
}

HeadlessMoviePlayer::~HeadlessMoviePlayer() {
    if (loadTimer_) {
        loadTimer_->invalidate();
    }
    if (endTimer_) {
        endTimer_->invalidate();
    }
    if (notification_) {
        notification_->invalidate();
    }
    record_->playing = false;
    record_->presentedFullScreen = false;
    record_->released = true;
    services_.forgetMovie(this);
}

int HeadlessMoviePlayer::loadState() const {
    return record_->loadable ? LoadStatePlayable : LoadStateUnknown;
}

void HeadlessMoviePlayer::play() {
    if (!record_->loadable) {
        // As a real player: asked while loading, it plays once loaded.
        playWhenLoaded_ = loadTimer_ && loadTimer_->isValid();
        return;
    }
    playWhenLoaded_ = false;
    if (record_->playing) {
        return;
    }
    ++record_->playCount;
    record_->playing = true;
    record_->finished = false;
    if (std::optional<double> duration = services_.movieDurationOf(record_->path)) {
        endTimer_ = RunLoop::main().performAfterDelay(*duration, [this] { finish(); });
    }
}

void HeadlessMoviePlayer::stop() {
    playWhenLoaded_ = false;
    if (endTimer_) {
        endTimer_->invalidate();
    }
    record_->playing = false;
}

void HeadlessMoviePlayer::presentFullScreen() {
    record_->presentedFullScreen = true;
    play();
}

void HeadlessMoviePlayer::leaveFullScreen() {
    if (record_->presentedFullScreen && record_->playing) {
        ++record_->leftEarlyCount;
        finish();
    }
}

void HeadlessMoviePlayer::finish() {
    if (endTimer_) {
        endTimer_->invalidate();
    }
    record_->playing = false;
    record_->finished = true;
    // A full-screen presentation closes itself when its movie ends.
    record_->presentedFullScreen = false;
    notification_ = RunLoop::main().performAfterDelay(0, [this] { notifyPlaybackDidFinish(); });
}

HeadlessUrlConnection::HeadlessUrlConnection(HeadlessServices& services, UrlRequest request,
                                             UrlConnectionDelegate& delegate)
    : services_(services), request_(std::move(request)), delegate_(delegate) {}

HeadlessUrlConnection::~HeadlessUrlConnection() {
    cancel();
}

void HeadlessUrlConnection::start() {
    if (started_) {
        return;
    }
    started_ = true;
    UrlReply reply = services_.replyFor(request_);
    const double delay = reply.delay;
    delivery_ = RunLoop::main().performAfterDelay(
        delay, [this, reply = std::move(reply)] { deliver(reply); });
}

void HeadlessUrlConnection::cancel() {
    *active_ = false;
    if (delivery_) {
        delivery_->invalidate();
    }
}

void HeadlessUrlConnection::deliver(const UrlReply& reply) {
    // The delegate may cancel or destroy this connection from any of its calls; the shared
    // flag outlives it and tells whether to go on.
    std::shared_ptr<bool> active = active_;
    if (reply.status != 0) {
        delegate_.connectionDidReceiveResponse(*this, reply.status);
        if (!*active) {
            return;
        }
    }
    for (const std::string& chunk : reply.chunks) {
        delegate_.connectionDidReceiveData(*this, chunk);
        if (!*active) {
            return;
        }
    }
    if (reply.error.empty()) {
        delegate_.connectionDidFinishLoading(*this);
    } else {
        delegate_.connectionDidFail(*this, reply.error);
    }
}
