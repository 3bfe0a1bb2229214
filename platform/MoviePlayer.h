// A movie player for one movie file: played embedded or presented full screen over the window.
// Its playback-finished notification arrives through the run loop.
#pragma once

#include <functional>
#include <memory>
#include <string>

class MoviePlayer {
public:
    // Nothing loaded yet is 0; once the player knows the movie it can be played.
    enum LoadState { LoadStateUnknown = 0, LoadStatePlayable = 1 };

    virtual ~MoviePlayer() = default;

    // A player for the movie file at `path` made by the active platform. A missing or unreadable
    // file gives a player whose load state stays unknown and which never plays.
    static std::unique_ptr<MoviePlayer> create(const std::string& path);

    virtual int loadState() const = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
    // Shows the movie full screen over the window and plays it; the presentation closes itself
    // when the movie ends.
    virtual void presentFullScreen() = 0;
    virtual bool isPresentedFullScreen() const = 0;
    // The presentation's Done control (a tap on the movie, or Escape): a movie showing full
    // screen stops there, its presentation closes and the playback-finished notification
    // follows, as at its end. Does nothing for a movie that is not showing full screen.
    virtual void leaveFullScreen() = 0;

    // Called (on the run loop) when playback ends; an empty function stops observing.
    void setPlaybackDidFinish(std::function<void(MoviePlayer&)> handler) {
        playbackDidFinish_ = std::move(handler);
    }

protected:
    // For implementations: delivers the playback-finished notification to the observer.
    void notifyPlaybackDidFinish();

private:
    std::function<void(MoviePlayer&)> playbackDidFinish_;
};
