// A mono sound being synthesized: samples in [-1, 1] at a sample rate, and the layers that
// build the game's sounds (noise bursts, metallic rings, thumps, mechanical clicks, notes).
// Every layer is deterministic: noise comes from seeded generators, never from the clock.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/Noise.h"

namespace art {

struct Sound {
    int sampleRate = 44100;
    std::vector<float> samples;
    // A looping sound wraps whatever runs past its end round to its start, so the loop joins
    // without a seam.
    bool loops = false;

    static Sound silence(double seconds, int sampleRate = 44100, bool loops = false);
    // Adds `value` at sample `index` (wrapped for loops, dropped past the end otherwise).
    void add(long index, double value);
};

// A one-pole low-pass filter; high-pass is the input minus its low-passed part.
class LowPass {
public:
    LowPass(double cutoffHz, int sampleRate);
    double process(double x);

private:
    double coefficient_;
    double state_ = 0;
};

struct NoiseBurst {
    double duration;    // seconds
    double attack;      // seconds of linear rise
    double decay;       // time constant of the exponential fall, seconds
    double lowpassHz;   // brightness: the noise is low-passed here…
    double highpassHz;  // …and high-passed here (0: not at all)
    double amplitude;
    std::uint32_t seed;
};
void addNoiseBurst(Sound& sound, double at, const NoiseBurst& burst);

struct Partial {
    double frequency;
    double amplitude;
};
// Sine partials starting together and dying away with time constant `decay`: bells, pings,
// ringing steel.
void addRing(Sound& sound, double at, std::span<const Partial> partials, double decay,
             double amplitude);

// A low sine whose pitch falls from `startHz` to `endHz`: the body of a shot, a kick drum.
void addThump(Sound& sound, double at, double startHz, double endHz, double decay,
              double amplitude);

// A mechanical click: a very short noise tick and the ring of the part that was struck.
// `pitch` scales the ring's frequencies (1 is a light trigger; lower is heavier steel).
void addClick(Sound& sound, double at, double pitch, double amplitude, std::uint32_t seed);

// Metal sliding on metal: band-limited noise that swells and fades over `duration`.
void addSlide(Sound& sound, double at, double duration, double amplitude, std::uint32_t seed);

// Rounds off peaks (tanh) so loud layers saturate instead of clipping.
void softClip(Sound& sound, double drive);
// Scales the sound so its largest sample is `peak`.
void normalize(Sound& sound, double peak);
// Fades the last `seconds` to silence, so a sound never ends on a click.
void fadeOut(Sound& sound, double seconds);

}  // namespace art
