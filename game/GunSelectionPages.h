// The pages of the gun selection: for each category the gun at each of its six buttons, its
// category picture, the pressed picture of each button and the score labels it hides. Plain
// data like the assembly tables, so the art generator draws exactly the pictures named here.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

constexpr int kSelectionPagePositions = 6;

struct GunSelectionPage {
    const char* category;
    const char* background;                           // the phone name of the category picture
    std::array<int, kSelectionPagePositions> idGuns;  // the gun of each button (0: none)
    // The phone names of the pressed pictures of gun1 … gun6 (null: none).
    std::array<const char*, kSelectionPagePositions> highlighted;
    std::vector<int> hiddenLabels;  // positions whose score labels the page hides
};

// The six categories, in the hub's order.
const std::vector<GunSelectionPage>& gunSelectionPages();
// The page of CATEGORY, or null.
const GunSelectionPage* findGunSelectionPage(std::string_view category);

// The category picture: the tablet inserts "_ipad" before ".jpg".
std::string selectionBackgroundName(const GunSelectionPage& page, bool onTablet);
// The pressed picture of button POSITION (1 to 6), or "" when it has none: the tablet inserts
// "@2x" before ".jpg".
std::string selectionHighlightedName(const GunSelectionPage& page, int position, bool onTablet);
