// SDL2_mixer opened on the dummy audio driver, as the game's sound players open it, so tests
// can load sound files exactly the way the game will.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class MixerAudio {
public:
    // Output format the mixer converts every loaded sound to.
    static constexpr int kFrequency = 44100;

    MixerAudio();
    ~MixerAudio();
    MixerAudio(const MixerAudio&) = delete;
    MixerAudio& operator=(const MixerAudio&) = delete;

    bool isOpen() const { return open_; }

    // The 16-bit mono samples SDL2_mixer decodes from a sound file's bytes or from a file, at
    // kFrequency; nothing when the mixer cannot load it.
    std::optional<std::vector<std::int16_t>> decode(const std::vector<std::uint8_t>& bytes) const;
    std::optional<std::vector<std::int16_t>> decodeFile(const std::string& path) const;

    // Whether SDL2_mixer opens the file as streamed music too (the way looping music may be
    // played).
    bool loadsAsMusic(const std::string& path) const;

private:
    bool open_ = false;
};
