// What a backend (headless or the real window) provides to the platform layer: the device's
// players, connections and leaderboard. The platform looks up resources before asking, so every
// backend sees the same paths.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/Leaderboard.h"
#include "platform/MoviePlayer.h"
#include "platform/SoundPlayer.h"
#include "platform/UrlConnection.h"

class PlatformServices {
public:
    virtual ~PlatformServices() = default;

    // `path` is the resource's file, or empty when the bundle has no such resource; the result
    // is null when no player can be made.
    virtual std::unique_ptr<SoundPlayer> createSoundPlayer(
        const std::string& name, const std::string& type,
        const std::optional<std::string>& path) = 0;
    virtual std::unique_ptr<MoviePlayer> createMoviePlayer(const std::string& path) = 0;
    virtual std::unique_ptr<UrlConnection> createUrlConnection(UrlRequest request,
                                                               UrlConnectionDelegate& delegate) = 0;
    // Drops every cookie the connections were given, in memory and in the file they are kept in.
    virtual void forgetCookies() = 0;
    virtual Leaderboard& leaderboard() = 0;
    // The newest movie showing full screen (presented and loaded), which covers the window and
    // takes its touches; null when none is.
    virtual MoviePlayer* fullScreenMovie() = 0;
};
