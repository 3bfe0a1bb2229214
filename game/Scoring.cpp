// Points of a finished game and the unlock pictures.
#include "game/Scoring.h"

#include <cstdio>
#include <utility>

std::string secondsText(float seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f sec.", static_cast<double>(seconds));
    return text;
}

int32_t pointsForTime(float time) {
    // Kept in float on purpose: 10.000134 s gives 2299, not 2300.
    const float points = 3000.0f - 70.0f * time;
    // Checked before the conversion, which is undefined for values an int32_t cannot hold.
    return points > 0 ? static_cast<int32_t>(points) : 0;
}

std::string unlockPictureName(std::string_view category, bool tablet) {
    static const std::pair<std::string_view, std::string_view> pictures[] = {
        {"handgun", "con_handguns"}, {"rifles", "con_rifles"}, {"machineguns", "con_machine"},
        {"shotgun", "con_shotguns"}, {"sniper", "con_sniper"}, {"submachine", "con_sub"},
    };
    for (const auto& [name, picture] : pictures) {
        if (name == category) {
            return std::string(picture) + (tablet ? "@2x.png" : ".png");
        }
    }
    return {};
}
