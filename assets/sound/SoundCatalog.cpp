// The list of all sounds.
#include "sound/SoundCatalog.h"

namespace art {

std::vector<SoundSpec> allSounds() {
    std::vector<SoundSpec> sounds = menuSounds();
    for (SoundSpec& spec : gunSounds()) {
        sounds.push_back(std::move(spec));
    }
    return sounds;
}

}  // namespace art
