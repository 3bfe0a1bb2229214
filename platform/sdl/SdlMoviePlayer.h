// A movie player that decodes with FFmpeg on the run loop's clock. The file is opened on the
// next turn of the run loop after creation; the load state becomes playable once the first
// picture is decoded, and a file that cannot be decoded never becomes playable (nor finishes).
// While playing, a repeating timer at the movie's frame rate moves to the picture due now; at
// the end the player stops, closes its full-screen presentation and posts the playback-finished
// notification through the run loop.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/MoviePlayer.h"
#include "platform/Timer.h"
#include "platform/sdl/MovieDecoder.h"

class SdlMoviePlayer;

// The live players, oldest first. Shared by the services and the players, so that a player
// that outlives the services still leaves the list safely.
using MoviePlayerList = std::vector<SdlMoviePlayer*>;

class SdlMoviePlayer : public MoviePlayer {
public:
    SdlMoviePlayer(std::shared_ptr<MoviePlayerList> players, std::string path);
    ~SdlMoviePlayer() override;

    int loadState() const override { return playable_ ? LoadStatePlayable : LoadStateUnknown; }
    // Before the movie is loaded, playing starts as soon as it is.
    void play() override;
    void stop() override;
    bool isPlaying() const override { return playing_; }
    void presentFullScreen() override;
    bool isPresentedFullScreen() const override { return presented_; }
    void leaveFullScreen() override;

    // The picture shown now; empty (width 0) before the first one is decoded.
    const MovieFrame& currentFrame() const { return shown_; }

private:
    void load();
    // Decodes the first picture from the start of the file into pending_.
    bool rewind();
    void startPlayback();
    // Moves to the picture due at the playback time now; finishes after the last one.
    void advance();
    void finish();

    std::shared_ptr<MoviePlayerList> players_;
    std::string path_;
    MovieDecoder decoder_;
    MovieFrame shown_;
    MovieFrame pending_;
    double pendingTime_ = 0;
    bool hasPending_ = false;
    double shownTime_ = 0;
    double playbackStart_ = 0;  // run loop time of the movie's first picture
    uint64_t serial_ = 0;
    bool playable_ = false;
    bool playing_ = false;
    bool playWhenLoaded_ = false;
    bool presented_ = false;
    bool atEnd_ = false;
    std::shared_ptr<Timer> loadCall_;
    std::shared_ptr<Timer> frameTimer_;
    std::shared_ptr<Timer> notification_;
};
