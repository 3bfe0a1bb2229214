// The gallery's categories.
#include "range/FirearmsGalleryTable.h"

#include <array>
#include <cstdio>

namespace {

constexpr std::array<FirearmsCategory, 4> kCategories{{
    {"handgun", 0, 5, "f_handgun_"},
    {"autogun", 1, 5, "f_auto_"},
    {"backgun", 2, 6, "f_background_"},
    {"longgun", 3, 4, "f_long_"},
}};

}  // namespace

std::span<const FirearmsCategory> firearmsCategories() {
    return kCategories;
}

const FirearmsCategory* findFirearmsCategory(int ktoreMenuFirearms) {
    for (const FirearmsCategory& category : kCategories) {
        if (category.ktoreMenuFirearms == ktoreMenuFirearms) {
            return &category;
        }
    }
    return nullptr;
}

std::string firearmsPagePicture(const FirearmsCategory& category, int page, bool tablet) {
    char number[16];
    std::snprintf(number, sizeof number, "%02d", page + 1);
    return std::string(category.picturePrefix) + number + (tablet ? "_ipad.jpg" : ".jpg");
}
