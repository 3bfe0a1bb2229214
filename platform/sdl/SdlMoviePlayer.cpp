// Movie loading and playback on the run loop.
#include "platform/sdl/SdlMoviePlayer.h"

#include <utility>
#include <vector>

#include "platform/RunLoop.h"

SdlMoviePlayer::SdlMoviePlayer(std::shared_ptr<MoviePlayerList> players, std::string path)
    : players_(std::move(players)), path_(std::move(path)) {
    loadCall_ = RunLoop::main().performAfterDelay(0, [this] { load(); });
    players_->push_back(this);
}

SdlMoviePlayer::~SdlMoviePlayer() {
    for (const auto& timer : {loadCall_, frameTimer_, notification_}) {
        if (timer) {
            timer->invalidate();
        }
    }
    std::erase(*players_, this);
}

void SdlMoviePlayer::load() {
    if (!rewind()) {
        return;
    }
    playable_ = true;
    if (playWhenLoaded_) {
        startPlayback();
    }
}

bool SdlMoviePlayer::rewind() {
    hasPending_ = decoder_.open(path_) && decoder_.decodeNext(pending_, pendingTime_);
    return hasPending_;
}

void SdlMoviePlayer::play() {
    if (playing_) {
        return;
    }
    if (!playable_) {
        playWhenLoaded_ = true;
        return;
    }
    if (atEnd_ && !rewind()) {
        return;
    }
    startPlayback();
}

void SdlMoviePlayer::startPlayback() {
    playWhenLoaded_ = false;
    atEnd_ = false;
    playing_ = true;
    // Resume at the picture waiting to be shown (the first one after loading or rewinding).
    playbackStart_ = RunLoop::main().now() - (hasPending_ ? pendingTime_ : shownTime_);
    frameTimer_ =
        RunLoop::main().scheduleTimer(decoder_.frameInterval(), true, [this] { advance(); });
    advance();
}

void SdlMoviePlayer::stop() {
    playWhenLoaded_ = false;
    if (!playing_) {
        return;
    }
    playing_ = false;
    frameTimer_->invalidate();
}

void SdlMoviePlayer::presentFullScreen() {
    presented_ = true;
    play();
}

void SdlMoviePlayer::advance() {
    const double playbackTime = RunLoop::main().now() - playbackStart_;
    while (hasPending_ && pendingTime_ <= playbackTime) {
        std::swap(shown_, pending_);
        shown_.serial = ++serial_;
        shownTime_ = pendingTime_;
        hasPending_ = decoder_.decodeNext(pending_, pendingTime_);
    }
    // The last picture stays up for one frame interval.
    if (!hasPending_ && playbackTime >= shownTime_ + decoder_.frameInterval()) {
        finish();
    }
}

void SdlMoviePlayer::leaveFullScreen() {
    if (presented_ && playing_) {
        finish();
    }
}

void SdlMoviePlayer::finish() {
    playing_ = false;
    atEnd_ = true;
    presented_ = false;
    frameTimer_->invalidate();
    notification_ = RunLoop::main().performAfterDelay(0, [this] { notifyPlaybackDidFinish(); });
}
