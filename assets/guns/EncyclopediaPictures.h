// The gun encyclopedia's pictures: a page for each of its 29 guns ("guno_01.jpg" …
// "guno_29.jpg", tablet "_ipad" before ".jpg") with the gun drawn large as the assembly game
// shows it finished, its name and a few facts; the list face's background and its entry plates.
#pragma once

#include <vector>

#include "guns/DrawnPicture.h"

namespace guns {

std::vector<DrawnPicture> encyclopediaPictures();

}  // namespace guns
