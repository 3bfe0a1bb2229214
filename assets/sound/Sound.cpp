// The synthesis layers.
#include "sound/Sound.h"

#include <algorithm>
#include <cmath>

namespace art {

Sound Sound::silence(double seconds, int sampleRate, bool loops) {
    Sound sound;
    sound.sampleRate = sampleRate;
    sound.samples.assign(size_t(std::lround(seconds * sampleRate)), 0.0f);
    sound.loops = loops;
    return sound;
}

void Sound::add(long index, double value) {
    long size = long(samples.size());
    if (size == 0) {
        return;
    }
    if (loops) {
        index = ((index % size) + size) % size;
    } else if (index < 0 || index >= size) {
        return;
    }
    samples[size_t(index)] += float(value);
}

LowPass::LowPass(double cutoffHz, int sampleRate)
    : coefficient_(1.0 - std::exp(-2.0 * M_PI * cutoffHz / sampleRate)) {}

double LowPass::process(double x) {
    state_ += coefficient_ * (x - state_);
    return state_;
}

void addNoiseBurst(Sound& sound, double at, const NoiseBurst& burst) {
    Noise noise(burst.seed);
    LowPass bright(burst.lowpassHz, sound.sampleRate);
    LowPass brighter(burst.lowpassHz, sound.sampleRate);  // two poles for a softer top
    LowPass rumble(std::max(1.0, burst.highpassHz), sound.sampleRate);
    long start = std::lround(at * sound.sampleRate);
    long length = std::lround(burst.duration * sound.sampleRate);
    for (long i = 0; i < length; ++i) {
        double t = double(i) / sound.sampleRate;
        double envelope =
            t < burst.attack ? t / burst.attack : std::exp(-(t - burst.attack) / burst.decay);
        double x = brighter.process(bright.process(noise.next()));
        if (burst.highpassHz > 0) {
            x -= rumble.process(x);
        }
        sound.add(start + i, x * envelope * burst.amplitude);
    }
}

void addRing(Sound& sound, double at, std::span<const Partial> partials, double decay,
             double amplitude) {
    long start = std::lround(at * sound.sampleRate);
    long length = std::lround(decay * 7 * sound.sampleRate);
    for (long i = 0; i < length; ++i) {
        double t = double(i) / sound.sampleRate;
        double value = 0;
        for (const Partial& partial : partials) {
            // Higher partials die sooner, as they do in struck metal.
            double partialDecay = decay * std::min(1.0, 2000.0 / partial.frequency + 0.3);
            value += partial.amplitude * std::sin(2 * M_PI * partial.frequency * t) *
                     std::exp(-t / partialDecay);
        }
        double attack = std::min(1.0, t / 0.0005);
        sound.add(start + i, value * attack * amplitude);
    }
}

void addThump(Sound& sound, double at, double startHz, double endHz, double decay,
              double amplitude) {
    long start = std::lround(at * sound.sampleRate);
    long length = std::lround(decay * 7 * sound.sampleRate);
    double phase = 0;
    for (long i = 0; i < length; ++i) {
        double t = double(i) / sound.sampleRate;
        double frequency = endHz + (startHz - endHz) * std::exp(-t / (decay * 0.4));
        phase += 2 * M_PI * frequency / sound.sampleRate;
        double attack = std::min(1.0, t / 0.001);
        sound.add(start + i, std::sin(phase) * std::exp(-t / decay) * attack * amplitude);
    }
}

void addClick(Sound& sound, double at, double pitch, double amplitude, std::uint32_t seed) {
    addNoiseBurst(sound, at, {0.004, 0.0002, 0.0009, 9000, 1500, amplitude, seed});
    Noise detune(seed * 2654435761u);
    const Partial partials[] = {
        {1850 * pitch * (1 + 0.04 * detune.next()), 0.6},
        {3300 * pitch * (1 + 0.04 * detune.next()), 0.45},
        {5200 * pitch * (1 + 0.04 * detune.next()), 0.3},
    };
    addRing(sound, at, partials, 0.012 / std::sqrt(pitch), amplitude * 0.7);
    addThump(sound, at, 400 * pitch, 160 * pitch, 0.01, amplitude * 0.35);
}

void addSlide(Sound& sound, double at, double duration, double amplitude, std::uint32_t seed) {
    Noise noise(seed);
    LowPass low(3800, sound.sampleRate);
    LowPass rumble(900, sound.sampleRate);
    long start = std::lround(at * sound.sampleRate);
    long length = std::lround(duration * sound.sampleRate);
    for (long i = 0; i < length; ++i) {
        double p = double(i) / length;
        double envelope = std::sin(M_PI * p) * (0.7 + 0.3 * std::sin(2 * M_PI * 23 * p));
        double x = low.process(noise.next());
        x -= rumble.process(x);
        sound.add(start + i, x * envelope * amplitude);
    }
}

void softClip(Sound& sound, double drive) {
    double scale = 1.0 / std::tanh(drive);
    for (float& sample : sound.samples) {
        sample = float(std::tanh(sample * drive) * scale);
    }
}

void normalize(Sound& sound, double peak) {
    float largest = 0;
    for (float sample : sound.samples) {
        largest = std::max(largest, std::abs(sample));
    }
    if (largest > 0) {
        for (float& sample : sound.samples) {
            sample = float(sample * peak / largest);
        }
    }
}

void fadeOut(Sound& sound, double seconds) {
    long length = std::min(long(sound.samples.size()), std::lround(seconds * sound.sampleRate));
    long first = long(sound.samples.size()) - length;
    for (long i = 0; i < length; ++i) {
        sound.samples[size_t(first + i)] *= float(1.0 - double(i + 1) / length);
    }
}

}  // namespace art
