// Sounds of the menus: the four trigger clicks of the menu entries, the looping menu tune and
// the jingle at the end of a game.
#include <cmath>

#include "sound/SoundCatalog.h"

namespace art {
namespace {

double noteHz(int midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

// A plucked synth note: a sawtooth built from its harmonics (none above `topHz`, so nothing
// folds back), whose upper harmonics die faster than the fundamental.
void addPluck(Sound& sound, double at, double duration, int midiNote, double amplitude,
              double topHz = 7000) {
    double frequency = noteHz(midiNote);
    int harmonics = std::max(1, int(std::min(topHz, sound.sampleRate * 0.45) / frequency));
    long start = std::lround(at * sound.sampleRate);
    long length = std::lround(duration * sound.sampleRate);
    for (long i = 0; i < length; ++i) {
        double t = double(i) / sound.sampleRate;
        double value = 0;
        for (int k = 1; k <= harmonics; ++k) {
            value += std::sin(2 * M_PI * frequency * k * t) / k * std::exp(-t * k * 6.0);
        }
        double envelope = std::min(1.0, t / 0.003) * std::exp(-t / (duration * 0.45));
        double release = std::min(1.0, double(length - i) / (0.01 * sound.sampleRate));
        sound.add(start + i, value * envelope * release * amplitude);
    }
}

// A soft sustained note (odd harmonics, slow swell) for chords under the tune.
void addPad(Sound& sound, double at, double duration, int midiNote, double amplitude) {
    double frequency = noteHz(midiNote);
    long start = std::lround(at * sound.sampleRate);
    long length = std::lround(duration * sound.sampleRate);
    for (long i = 0; i < length; ++i) {
        double t = double(i) / sound.sampleRate;
        double value = 0;
        for (double detune : {0.998, 1.002}) {
            for (int k = 1; k <= 5; k += 2) {
                value += std::sin(2 * M_PI * frequency * detune * k * t) / (k * k);
            }
        }
        double p = double(i) / length;
        double envelope = std::min(1.0, p / 0.25) * std::min(1.0, (1 - p) / 0.3);
        sound.add(start + i, value * envelope * amplitude * 0.5);
    }
}

// A round bass note: sine with a little of its second and third harmonic.
void addBass(Sound& sound, double at, double duration, int midiNote, double amplitude) {
    double frequency = noteHz(midiNote);
    long start = std::lround(at * sound.sampleRate);
    long length = std::lround(duration * sound.sampleRate);
    for (long i = 0; i < length; ++i) {
        double t = double(i) / sound.sampleRate;
        double w = 2 * M_PI * frequency * t;
        double value =
            std::sin(w) + 0.3 * std::sin(2 * w) * std::exp(-t * 8) + 0.12 * std::sin(3 * w);
        double envelope = std::min(1.0, t / 0.004) *
                          std::min(1.0, double(length - i) / (0.02 * sound.sampleRate));
        sound.add(start + i, value * envelope * amplitude);
    }
}

Sound trigger(double pitch, std::uint32_t seed) {
    Sound sound = Sound::silence(0.12);
    addClick(sound, 0.002, pitch, 1.0, seed);
    normalize(sound, 0.85);
    fadeOut(sound, 0.02);
    return sound;
}

// Pull and reset: two clicks, the second lighter.
Sound doubleTrigger() {
    Sound sound = Sound::silence(0.18);
    addClick(sound, 0.002, 1.15, 1.0, 21);
    addClick(sound, 0.068, 0.85, 0.6, 22);
    normalize(sound, 0.85);
    fadeOut(sound, 0.02);
    return sound;
}

// A heavier click with a short thud of the hammer.
Sound heavyTrigger() {
    Sound sound = Sound::silence(0.16);
    addClick(sound, 0.002, 0.7, 1.0, 31);
    addThump(sound, 0.002, 260, 120, 0.025, 0.5);
    normalize(sound, 0.85);
    fadeOut(sound, 0.03);
    return sound;
}

// The confirming click: a crisp trigger and a short bright ring after it.
Sound goodTrigger() {
    Sound sound = Sound::silence(0.45);
    addClick(sound, 0.002, 1.0, 1.0, 41);
    const Partial ring[] = {{1760, 0.6}, {2637, 0.35}, {4186, 0.2}};
    addRing(sound, 0.035, ring, 0.06, 0.35);
    normalize(sound, 0.85);
    fadeOut(sound, 0.05);
    return sound;
}

// Eight bars in A minor at about 126 beats a minute: pad, bass, a sixteenth-note arpeggio and
// soft drums. The length is a whole number of sixteenths and every tail wraps to the start,
// so the tune loops without a seam.
Sound menuLoop() {
    const int sampleRate = 22050;
    const long sixteenthSamples = 2625;
    const double sixteenth = double(sixteenthSamples) / sampleRate;
    const int bars = 8;
    Sound sound = Sound::silence(sixteenth * 16 * bars, sampleRate, true);
    sound.samples.resize(size_t(sixteenthSamples * 16 * bars));

    struct Chord {
        int root;
        int third;
        int fifth;
    };
    const Chord chords[bars] = {
        {57, 60, 64}, {53, 57, 60}, {60, 64, 67}, {55, 59, 62},  // Am F C G
        {57, 60, 64}, {53, 57, 60}, {55, 59, 62}, {52, 56, 59},  // Am F G E
    };
    const int arpeggio[16] = {0, 2, 1, 3, 2, 4, 3, 2, 0, 2, 1, 3, 2, 4, 3, 1};

    for (int bar = 0; bar < bars; ++bar) {
        const Chord& chord = chords[bar];
        double barStart = bar * 16 * sixteenth;
        for (int note : {chord.root, chord.third, chord.fifth}) {
            addPad(sound, barStart, 16 * sixteenth + 0.3, note, 0.06);
        }
        int bassRoot = 36 + (chord.root - 36) % 12;
        const int bassPattern[8] = {0, 0, 12, 0, 0, 12, 0, 7};
        for (int eighth = 0; eighth < 8; ++eighth) {
            addBass(sound, barStart + eighth * 2 * sixteenth, 2 * sixteenth * 0.9,
                    bassRoot + bassPattern[eighth], 0.16);
        }
        const int tones[5] = {chord.root + 12, chord.third + 12, chord.fifth + 12, chord.root + 24,
                              chord.third + 24};
        for (int step = 0; step < 16; ++step) {
            double accent = step % 4 == 0 ? 1.0 : 0.7;
            addPluck(sound, barStart + step * sixteenth, sixteenth * 2.5, tones[arpeggio[step]],
                     0.07 * accent, 5000);
        }
        // A bell on the first beat of every other bar carries the melody's outline.
        if (bar % 2 == 0) {
            const Partial bell[] = {{noteHz(chord.fifth + 12), 1.0},
                                    {noteHz(chord.fifth + 12) * 2.76, 0.3}};
            addRing(sound, barStart, bell, 0.35, 0.06);
        }
        for (int beat = 0; beat < 4; ++beat) {
            double beatStart = barStart + beat * 4 * sixteenth;
            if (beat % 2 == 0) {
                addThump(sound, beatStart, 140, 48, 0.07, 0.32);
            } else {
                addNoiseBurst(
                    sound, beatStart,
                    {0.15, 0.001, 0.04, 6000, 1200, 0.10, std::uint32_t(100 + bar * 4 + beat)});
                addThump(sound, beatStart, 230, 180, 0.03, 0.06);
            }
            addNoiseBurst(
                sound, beatStart + 2 * sixteenth,
                {0.04, 0.0005, 0.01, 10000, 6000, 0.05, std::uint32_t(200 + bar * 4 + beat)});
        }
    }
    normalize(sound, 0.8);
    return sound;
}

// The end of a game: a rising major arpeggio that lands on a ringing chord.
Sound gameOver() {
    Sound sound = Sound::silence(2.2, 22050);
    const int notes[] = {60, 64, 67, 72};
    for (int i = 0; i < 4; ++i) {
        addPluck(sound, 0.02 + i * 0.11, i == 3 ? 1.6 : 0.4, notes[i] + 12, 0.25);
    }
    const Partial chord[] = {
        {noteHz(72), 1.0}, {noteHz(76), 0.7}, {noteHz(79), 0.6}, {noteHz(84), 0.3}};
    addRing(sound, 0.35, chord, 0.4, 0.22);
    addBass(sound, 0.35, 1.4, 48, 0.3);
    addThump(sound, 0.35, 120, 50, 0.08, 0.4);
    normalize(sound, 0.85);
    fadeOut(sound, 0.4);
    return sound;
}

}  // namespace

std::vector<SoundSpec> menuSounds() {
    return {
        {"trigger", [] { return trigger(1.0, 11); }},
        {"trigger_2", doubleTrigger},
        {"trigger_3", heavyTrigger},
        {"trigger_4_GOOD", goodTrigger},
        {"Menu_loop", menuLoop},
        {"Game_Over", gameOver},
    };
}

}  // namespace art
