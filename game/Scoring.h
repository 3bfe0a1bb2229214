// Turning a game's time into points and into the text the labels show, and the category
// pictures of the unlock panel.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// "%.2f sec." of the time: "1.00 sec." for 0.99999934.
std::string secondsText(float seconds);

// 3000 − 70 × time, both operations in single precision, truncated toward zero, never below 0.
int32_t pointsForTime(float time);

// The picture the unlock panel shows for a category ("con_handguns.png"), in the device's
// form; empty for a name that is not a category.
std::string unlockPictureName(std::string_view category, bool tablet);
