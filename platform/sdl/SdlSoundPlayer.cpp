// Sound players on mixer channels.
#include "platform/sdl/SdlSoundPlayer.h"

#include <algorithm>
#include <cmath>

namespace {
// Channels added whenever every channel is busy.
constexpr int kChannelStep = 16;
}  // namespace

SdlSoundPlayer::SdlSoundPlayer(Mix_Chunk* chunk) : chunk_(chunk) {}

SdlSoundPlayer::~SdlSoundPlayer() {
    stop();
    if (chunk_) {
        Mix_FreeChunk(chunk_);
    }
}

bool SdlSoundPlayer::ownsChannel() const {
    return chunk_ && channel_ >= 0 && Mix_GetChunk(channel_) == chunk_;
}

void SdlSoundPlayer::play() {
    if (isPlaying()) {
        return;
    }
    if (!chunk_) {
        silentlyPlaying_ = true;
        return;
    }
    channel_ = Mix_PlayChannel(-1, chunk_, loops_);
    if (channel_ < 0) {
        Mix_AllocateChannels(Mix_AllocateChannels(-1) + kChannelStep);
        channel_ = Mix_PlayChannel(-1, chunk_, loops_);
    }
}

void SdlSoundPlayer::stop() {
    if (ownsChannel()) {
        Mix_HaltChannel(channel_);
    }
    channel_ = -1;
    silentlyPlaying_ = false;
}

bool SdlSoundPlayer::isPlaying() const {
    if (!chunk_) {
        return silentlyPlaying_;
    }
    return ownsChannel() && Mix_Playing(channel_) != 0;
}

void SdlSoundPlayer::setVolume(float volume) {
    volume_ = std::clamp(volume, 0.0f, 1.0f);
    if (chunk_) {
        Mix_VolumeChunk(chunk_, static_cast<int>(std::lround(volume_ * MIX_MAX_VOLUME)));
    }
}
