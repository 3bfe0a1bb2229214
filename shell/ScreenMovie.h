// The movie of a screen that plays one full-screen movie and then moves on: the intro and the
// tutorials. It plays one of two ways, chosen by the screen: `iphoneNowy` makes a movie screen
// and presents it (cross-dissolve, no animation) as soon as its player knows the movie, asking
// every 0.1 s; `iphoneStary` plays the older embedded player at once. When the movie ends the
// screen hears `finished`, after the player has stopped being observed; the player itself is
// let go of on the next turn, since the notification comes from inside it.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/MoviePlayer.h"
#include "platform/Timer.h"

class ScreenMovie {
public:
    explicit ScreenMovie(std::function<void()> finished);
    // True on the first phone model ("iPhone1,1"), which has only the embedded player.
    static bool hasOnlyEmbeddedPlayer();
    ~ScreenMovie();
    ScreenMovie(const ScreenMovie&) = delete;
    ScreenMovie& operator=(const ScreenMovie&) = delete;

    // `path` is the movie file; empty gives a player that never loads.
    void iphoneNowy(const std::string& path);
    void iphoneStary(const std::string& path);
    // Presents the movie screen once its player has loaded; until then asks again in 0.1 s.
    void checkIt();
    // A movie still not loaded `seconds` from now is given up: handled as if it had ended.
    void giveUpUnlessLoadedWithin(double seconds);
    // Stops asking and waiting, stops observing and lets go of the player; nothing is heard
    // afterwards.
    void stop();

    const MoviePlayer* moviePlayer() const { return moviePlayer_.get(); }
    bool isPolling() const;

private:
    void start(const std::string& path);
    void movieFinishedCallback();

    std::function<void()> finished_;
    std::unique_ptr<MoviePlayer> moviePlayer_;
    std::shared_ptr<Timer> checkTimer_;
    std::shared_ptr<Timer> giveUpTimer_;
};
