// Every sound the generator can make, by resource name; the file is NAME.aif.
//
// To add sounds: write a function returning their SoundSpecs (see MenuSounds.cpp), add it to
// allSounds() and list the names in assets/CMakeLists.txt.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "sound/Sound.h"

namespace art {

struct SoundSpec {
    std::string name;  // resource name, without the ".aif"
    std::function<Sound()> make;
};

std::vector<SoundSpec> menuSounds();  // trigger clicks, the menu tune, the game-over jingle
std::vector<SoundSpec> gunSounds();   // shots, reloads and the casing
std::vector<SoundSpec> allSounds();

}  // namespace art
