// The window's services and the audio device.
#include "platform/sdl/SdlServices.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "platform/Platform.h"
#include "platform/sdl/SdlSoundPlayer.h"

namespace {
constexpr int kSampleRate = 44100;
constexpr int kChannels = 16;
}  // namespace

SdlServices::SdlServices() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        audioOpen_ = Mix_OpenAudio(kSampleRate, MIX_DEFAULT_FORMAT, 2, 1024) == 0;
        if (audioOpen_) {
            Mix_AllocateChannels(kChannels);
        } else {
            SDL_Log("no sound: %s", Mix_GetError());
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
    }
}

SdlServices::~SdlServices() {
    if (audioOpen_) {
        Mix_HaltChannel(-1);
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

SdlServices& SdlServices::install() {
    auto services = std::make_unique<SdlServices>();
    SdlServices& result = *services;
    Platform::install(
        std::make_unique<Platform>(std::make_unique<RealClock>(), std::move(services)));
    return result;
}

std::unique_ptr<SoundPlayer> SdlServices::createSoundPlayer(
    const std::string&, const std::string&, const std::optional<std::string>& path) {
    if (!path) {
        return nullptr;
    }
    if (!audioOpen_) {
        return std::make_unique<SdlSoundPlayer>(nullptr);
    }
    // The file is closed here rather than by the mixer, which leaks it when it cannot read it.
    SDL_RWops* file = SDL_RWFromFile(path->c_str(), "rb");
    if (!file) {
        return nullptr;
    }
    Mix_Chunk* chunk = Mix_LoadWAV_RW(file, 0);
    SDL_RWclose(file);
    if (!chunk) {
        return nullptr;
    }
    return std::make_unique<SdlSoundPlayer>(chunk);
}

std::unique_ptr<MoviePlayer> SdlServices::createMoviePlayer(const std::string& path) {
    return std::make_unique<SdlMoviePlayer>(movies_, path);
}

std::unique_ptr<UrlConnection> SdlServices::createUrlConnection(UrlRequest request,
                                                                UrlConnectionDelegate& delegate) {
    return urlAndLeaderboard_.createUrlConnection(std::move(request), delegate);
}

MoviePlayer* SdlServices::fullScreenMovie() {
    return showingMovie();
}

SdlMoviePlayer* SdlServices::showingMovie() const {
    for (auto it = movies_->rbegin(); it != movies_->rend(); ++it) {
        if ((*it)->isPresentedFullScreen() &&
            (*it)->loadState() == MoviePlayer::LoadStatePlayable) {
            return *it;
        }
    }
    return nullptr;
}

const MovieFrame* SdlServices::fullScreenMovieFrame() const {
    const SdlMoviePlayer* movie = showingMovie();
    return movie ? &movie->currentFrame() : nullptr;
}
