// A sound player on SDL2_mixer: one chunk loaded from the sound file per player, played on a
// mixer channel of its own. Destroying the player halts its channel. Without an audio device
// there is no chunk and the player plays silently, keeping its state as if it played.
#pragma once

#include <SDL_mixer.h>

#include "platform/SoundPlayer.h"

class SdlSoundPlayer : public SoundPlayer {
public:
    // Takes ownership of `chunk`; null for a silent player.
    explicit SdlSoundPlayer(Mix_Chunk* chunk);
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    void play() override;
    void stop() override;
    bool isPlaying() const override;
    void setNumberOfLoops(int loops) override { loops_ = loops; }
    int numberOfLoops() const override { return loops_; }
    void setVolume(float volume) override;
    float volume() const override { return volume_; }

private:
    // The channel still plays (or last played) this player's chunk, not another player's.
    bool ownsChannel() const;

    Mix_Chunk* chunk_;
    int channel_ = -1;
    int loops_ = 0;
    float volume_ = 1;
    bool silentlyPlaying_ = false;
};
