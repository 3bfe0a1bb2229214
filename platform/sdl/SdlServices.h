// The window's platform services: sound players on SDL2_mixer, movie players on FFmpeg, and
// for now the headless URL connections and leaderboard. The audio device is opened when the
// services are made; without one (no sound card, a headless machine) sound players still work,
// silently.
#pragma once

#include <memory>

#include "platform/PlatformServices.h"
#include "platform/headless/HeadlessServices.h"
#include "platform/sdl/MovieFrame.h"
#include "platform/sdl/SdlMoviePlayer.h"

class Platform;

class SdlServices : public PlatformServices {
public:
    SdlServices();
    ~SdlServices() override;
    SdlServices(const SdlServices&) = delete;
    SdlServices& operator=(const SdlServices&) = delete;

    // Installs a platform on the real clock with these services and returns the services.
    static SdlServices& install();

    std::unique_ptr<SoundPlayer> createSoundPlayer(const std::string& name, const std::string& type,
                                                   const std::optional<std::string>& path) override;
    std::unique_ptr<MoviePlayer> createMoviePlayer(const std::string& path) override;
    std::unique_ptr<UrlConnection> createUrlConnection(UrlRequest request,
                                                       UrlConnectionDelegate& delegate) override;
    void forgetCookies() override { urlAndLeaderboard_.forgetCookies(); }
    Leaderboard& leaderboard() override { return urlAndLeaderboard_.leaderboard(); }
    // The stand-in services of the URL connections and leaderboard, for canned replies.
    HeadlessServices& urlAndLeaderboard() { return urlAndLeaderboard_; }

    bool hasAudioDevice() const { return audioOpen_; }

    // The picture of the newest movie presented full screen, or null when none is.
    const MovieFrame* fullScreenMovieFrame() const;
    MoviePlayer* fullScreenMovie() override;

private:
    SdlMoviePlayer* showingMovie() const;

    bool audioOpen_ = false;
    std::shared_ptr<MoviePlayerList> movies_ = std::make_shared<MoviePlayerList>();
    HeadlessServices urlAndLeaderboard_;
};
