// The dummy-driver mixer for the asset tests.
#include "MixerAudio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <cstring>

MixerAudio::MixerAudio() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_AUDIO) != 0) {
        return;
    }
    open_ = Mix_OpenAudio(kFrequency, AUDIO_S16SYS, 1, 1024) == 0;
}

MixerAudio::~MixerAudio() {
    if (open_) {
        Mix_CloseAudio();
    }
    SDL_Quit();
}

namespace {

std::optional<std::vector<std::int16_t>> samplesOf(Mix_Chunk* chunk) {
    if (!chunk) {
        return std::nullopt;
    }
    std::vector<std::int16_t> samples(chunk->alen / sizeof(std::int16_t));
    std::memcpy(samples.data(), chunk->abuf, samples.size() * sizeof(std::int16_t));
    Mix_FreeChunk(chunk);
    return samples;
}

}  // namespace

std::optional<std::vector<std::int16_t>> MixerAudio::decode(
    const std::vector<std::uint8_t>& bytes) const {
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), int(bytes.size()));
    return samplesOf(Mix_LoadWAV_RW(stream, 1));
}

std::optional<std::vector<std::int16_t>> MixerAudio::decodeFile(const std::string& path) const {
    return samplesOf(Mix_LoadWAV(path.c_str()));
}

bool MixerAudio::loadsAsMusic(const std::string& path) const {
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (!music) {
        return false;
    }
    Mix_FreeMusic(music);
    return true;
}
