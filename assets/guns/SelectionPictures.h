// The gun selection's pictures: each category's page with its finished guns on cards at their
// buttons' places, each button's pressed picture cut from the same page with that card lit, and
// the second handgun page's picture of guns 7 to 11 that lies over the first page's.
#pragma once

#include <vector>

#include "guns/DrawnPicture.h"

namespace guns {

std::vector<DrawnPicture> selectionPictures();

}  // namespace guns
