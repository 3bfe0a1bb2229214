// Sounds of the range: one shot per gun (a sharp crack, the body of the blast and the hall's
// tail, each gun with its own balance), the three reloads, the hub's six magazine clicks and the
// tinkle of a spent casing.
#include <cmath>

#include "sound/SoundCatalog.h"

namespace art {
namespace {

struct ShotRecipe {
    const char* name;
    double length;      // seconds; automatic guns stay under 0.8 s, the time a sound slot lives
    double crackDecay;  // how fast the initial crack dies, seconds
    double brightness;  // low-pass of the crack, Hz
    double boomHz;      // pitch of the blast's body
    double boom;        // loudness of the body against the crack
    double tail;        // time constant of the hall's echo, seconds
    bool action;        // an audible slide or bolt cycling just after the shot
    std::uint32_t seed;
};

// Handguns, then submachine guns, rifles, machine guns, the sniper rifle and shotguns.
constexpr ShotRecipe kShots[] = {
    {"1", 0.6, 0.010, 7000, 95, 0.8, 0.10, true, 1},
    {"Colt_1911", 0.6, 0.012, 6000, 80, 1.0, 0.11, true, 2},
    {"Cz_75", 0.55, 0.009, 7500, 100, 0.7, 0.10, true, 3},
    {"Desert_eagle", 0.75, 0.016, 5500, 65, 1.3, 0.15, true, 4},
    {"Glock_17c", 0.55, 0.008, 8000, 105, 0.7, 0.09, true, 5},
    {"Makarov", 0.5, 0.008, 7000, 110, 0.6, 0.09, true, 6},
    {"p08_Parabellum", 0.55, 0.009, 6500, 100, 0.7, 0.10, true, 7},
    {"Walther_P38", 0.55, 0.010, 6800, 95, 0.75, 0.10, true, 8},
    {"P90", 0.45, 0.006, 9000, 120, 0.5, 0.08, false, 9},
    {"MP40", 0.5, 0.008, 6000, 100, 0.7, 0.09, false, 10},
    {"Mp5", 0.45, 0.007, 7500, 110, 0.6, 0.08, false, 11},
    {"Ak_47", 0.7, 0.012, 6500, 75, 1.0, 0.14, false, 12},
    {"M16", 0.65, 0.010, 8500, 85, 0.8, 0.13, false, 13},
    {"Steyr_Aug", 0.65, 0.010, 8000, 85, 0.85, 0.13, false, 14},
    {"Stg_44", 0.7, 0.012, 6000, 78, 1.0, 0.14, false, 15},
    {"BAR1918", 0.75, 0.014, 5500, 70, 1.2, 0.16, false, 16},
    {"M249", 0.7, 0.011, 7000, 80, 1.0, 0.15, false, 17},
    {"Svd_Dragunov", 0.78, 0.016, 7500, 60, 1.3, 0.22, false, 18},
    {"Mossberg_500", 1.0, 0.020, 4500, 55, 1.6, 0.24, false, 19},
    {"Saiga", 0.9, 0.018, 5000, 60, 1.4, 0.20, true, 20},
    {"Spas_12", 0.78, 0.018, 4800, 58, 1.5, 0.20, false, 21},
};

Sound shot(const ShotRecipe& recipe) {
    Sound sound = Sound::silence(recipe.length);
    const std::uint32_t seed = recipe.seed * 1000;
    // The crack: broadband noise with an instant attack.
    addNoiseBurst(sound, 0, {0.08, 0.0004, recipe.crackDecay, recipe.brightness, 200, 1.0, seed});
    // The blast's body: a falling low tone and dark noise.
    addThump(sound, 0, recipe.boomHz * 2.2, recipe.boomHz, 0.035, 0.5 * recipe.boom);
    addNoiseBurst(sound, 0, {0.25, 0.001, 0.04, 900, 40, 1.2 * recipe.boom, seed + 1});
    // The hall answering: a long, darker tail.
    addNoiseBurst(sound, 0.004, {recipe.length, 0.015, recipe.tail, 1500, 80, 0.35, seed + 2});
    if (recipe.action) {
        addClick(sound, 0.055, 0.8, 0.12, seed + 3);
        addClick(sound, 0.085, 0.7, 0.10, seed + 4);
    }
    softClip(sound, 2.2);
    normalize(sound, 0.9);
    fadeOut(sound, recipe.length * 0.3);
    return sound;
}

// Magazine in, then the slide pulled back and let go.
Sound reloadHandgun() {
    Sound sound = Sound::silence(0.95);
    addSlide(sound, 0.0, 0.09, 0.25, 501);
    addClick(sound, 0.09, 0.75, 0.8, 502);
    addClick(sound, 0.115, 0.6, 0.9, 503);
    addSlide(sound, 0.45, 0.11, 0.35, 504);
    addClick(sound, 0.56, 0.9, 0.6, 505);
    addClick(sound, 0.66, 0.55, 1.0, 506);
    const Partial ring[] = {{2300, 0.5}, {3900, 0.3}};
    addRing(sound, 0.66, ring, 0.03, 0.2);
    normalize(sound, 0.85);
    fadeOut(sound, 0.15);
    return sound;
}

// Empty magazine out, fresh one in, the bolt drawn back and slammed home.
Sound reloadOther() {
    Sound sound = Sound::silence(1.35);
    addClick(sound, 0.0, 0.8, 0.7, 601);
    addSlide(sound, 0.01, 0.12, 0.3, 602);
    addSlide(sound, 0.35, 0.1, 0.3, 603);
    addClick(sound, 0.45, 0.65, 1.0, 604);
    addClick(sound, 0.47, 0.5, 0.8, 605);
    addSlide(sound, 0.8, 0.1, 0.4, 606);
    addClick(sound, 0.9, 0.85, 0.6, 607);
    addClick(sound, 1.02, 0.45, 1.0, 608);
    addThump(sound, 1.02, 200, 90, 0.03, 0.4);
    normalize(sound, 0.85);
    fadeOut(sound, 0.2);
    return sound;
}

// Two shells pushed into the tube, then the pump racked back and forward.
Sound reloadShotgun() {
    Sound sound = Sound::silence(1.2);
    for (int shell = 0; shell < 2; ++shell) {
        double at = shell * 0.24;
        addSlide(sound, at, 0.06, 0.25, std::uint32_t(701 + shell * 2));
        addClick(sound, at + 0.06, 0.9, 0.55, std::uint32_t(702 + shell * 2));
    }
    addSlide(sound, 0.6, 0.12, 0.45, 711);
    addClick(sound, 0.72, 0.55, 0.9, 712);
    addSlide(sound, 0.8, 0.1, 0.45, 713);
    addClick(sound, 0.9, 0.45, 1.0, 714);
    addThump(sound, 0.9, 180, 80, 0.03, 0.45);
    normalize(sound, 0.85);
    fadeOut(sound, 0.2);
    return sound;
}

// A brass casing hitting the floor and bouncing a few times, each bounce softer.
Sound casing() {
    Sound sound = Sound::silence(0.7);
    const double bounces[] = {0.0, 0.11, 0.19, 0.245, 0.285, 0.31};
    Noise wobble(801);
    double loudness = 1.0;
    for (double at : bounces) {
        double shift = 1 + 0.03 * wobble.next();
        const Partial partials[] = {
            {3150 * shift, 0.8}, {5230 * shift, 0.6}, {7100 * shift, 0.35}, {8900 * shift, 0.2}};
        addRing(sound, at, partials, 0.05, loudness);
        addNoiseBurst(sound, at, {0.003, 0.0002, 0.0008, 9000, 2000, loudness * 0.5, 802});
        loudness *= 0.62;
    }
    normalize(sound, 0.7);
    fadeOut(sound, 0.1);
    return sound;
}

// A magazine pushed home in the gun hub, one per category: a short scrape up the well and the
// latch catching. Bigger guns have a lower, heavier latch and a longer scrape.
Sound magazineIn(int category) {
    const double heavy = category / 5.0;  // 0 for handguns … 1 for shotguns
    Sound sound = Sound::silence(0.45 + 0.1 * heavy);
    const std::uint32_t seed = std::uint32_t(901 + category * 10);
    addSlide(sound, 0.0, 0.07 + 0.05 * heavy, 0.3, seed);
    addClick(sound, 0.09 + 0.05 * heavy, 0.95 - 0.4 * heavy, 1.0, seed + 1);
    addClick(sound, 0.105 + 0.05 * heavy, 0.6 - 0.2 * heavy, 0.5, seed + 2);
    addThump(sound, 0.09 + 0.05 * heavy, 240 - 80 * heavy, 110 - 30 * heavy, 0.03, 0.35);
    normalize(sound, 0.8);
    fadeOut(sound, 0.15);
    return sound;
}

}  // namespace

std::vector<SoundSpec> gunSounds() {
    std::vector<SoundSpec> sounds;
    for (const ShotRecipe& recipe : kShots) {
        sounds.push_back({recipe.name, [&recipe] { return shot(recipe); }});
    }
    sounds.push_back({"load_handgun", reloadHandgun});
    sounds.push_back({"load_other", reloadOther});
    sounds.push_back({"load_shotgun", reloadShotgun});
    sounds.push_back({"luska_1", casing});
    for (int category = 0; category < 6; ++category) {
        sounds.push_back(
            {"load_" + std::to_string(category + 1), [category] { return magazineIn(category); }});
    }
    return sounds;
}

}  // namespace art
