// The firearms gallery's four categories: the menu action that opens each, its number of
// pages and the pictures of its pages. Plain data, shared with the art generators.
#pragma once

#include <span>
#include <string>

struct FirearmsCategory {
    const char* action;     // the gallery menu's action
    int ktoreMenuFirearms;  // the value the application state keeps for it
    int pages;
    const char* picturePrefix;  // page n shows PREFIX + two-digit (n + 1) + ".jpg"
};

// By ktoreMenuFirearms: handgun, autogun, backgun, longgun.
std::span<const FirearmsCategory> firearmsCategories();
// The category that ktoreMenuFirearms stands for, or null.
const FirearmsCategory* findFirearmsCategory(int ktoreMenuFirearms);
// The picture of page `page` (from 0): "f_long_04.jpg", on the tablet "f_long_04_ipad.jpg".
std::string firearmsPagePicture(const FirearmsCategory& category, int page, bool tablet);
