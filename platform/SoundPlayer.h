// A player for one sound resource of the bundle, as the screens use it: one player object per
// sound, released (which ends its sound) when replaced.
#pragma once

#include <memory>
#include <string_view>

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;

    // A player for the bundle resource `name` of type `type` ("click", "aif") made by the active
    // platform, or null when the resource cannot be found or opened.
    static std::unique_ptr<SoundPlayer> create(std::string_view name, std::string_view type);

    virtual void play() = 0;
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
    // Repetitions after the first play; -1 repeats without end.
    virtual void setNumberOfLoops(int loops) = 0;
    virtual int numberOfLoops() const = 0;
    // 0 (silent) to 1 (full).
    virtual void setVolume(float volume) = 0;
    virtual float volume() const = 0;
};
