// The gun selection's pages and the device names of their pictures.
#include "game/GunSelectionPages.h"

namespace {

constexpr std::string_view kJpeg = ".jpg";

std::string withBeforeJpeg(std::string_view phoneName, std::string_view insert) {
    std::string stem(phoneName.substr(0, phoneName.size() - kJpeg.size()));
    // The first rifle's phone picture carries its extension twice; its tablet name once.
    if (stem.ends_with(kJpeg)) {
        stem.resize(stem.size() - kJpeg.size());
    }
    return stem + std::string(insert) + std::string(kJpeg);
}

}  // namespace

const std::vector<GunSelectionPage>& gunSelectionPages() {
    static const std::vector<GunSelectionPage> pages = {
        {.category = "handgun",
         .background = "g_hand_select_01.jpg",
         .idGuns = {1, 2, 3, 4, 5, 6},
         .highlighted = {"g_hand_01ak.jpg", "g_hand_02ak.jpg", "g_hand_03ak.jpg", "g_hand_04ak.jpg",
                         "g_hand_05ak.jpg", "g_hand_06ak.jpg"},
         .hiddenLabels = {}},
        {.category = "submachine",
         .background = "g_sub_select.jpg",
         .idGuns = {12, 13, 14, 15, 16, 0},
         .highlighted = {"g_sub_01ak.jpg", "g_sub_02ak.jpg", "g_sub_03ak.jpg", "g_sub_04ak.jpg",
                         "g_sub_05ak.jpg", nullptr},
         .hiddenLabels = {6}},
        {.category = "rifles",
         .background = "g_rifle_select.jpg",
         .idGuns = {18, 19, 20, 21, 22, 0},
         .highlighted = {"g_rifle_01ak.jpg.jpg", "g_rifle_02ak.jpg", "g_rifle_03ak.jpg",
                         "g_rifle04ak.jpg", "g_rifle_05ak.jpg", nullptr},
         .hiddenLabels = {6}},
        {.category = "machineguns",
         .background = "g_machine_select.jpg",
         .idGuns = {23, 24, 25, 0, 0, 0},
         .highlighted = {"g_machine_01ak.jpg", "g_machine_02ak.jpg", "g_machine_03ak.jpg",
                         "g_machine_04ak.jpg", "g_machine_05ak.jpg", "g_machine_06ak.jpg"},
         .hiddenLabels = {4, 5, 6}},
        {.category = "sniper",
         .background = "g_sniper_select.jpg",
         .idGuns = {27, 26, 0, 0, 0, 0},
         .highlighted = {"g_sniper_01ak.jpg", "g_sniper_02ak.jpg", "g_sniper_03ak.jpg",
                         "g_sniper_04ak.jpg", "g_sniper_05ak.jpg", "g_sniper_06ak.jpg"},
         .hiddenLabels = {3, 4, 5, 6}},
        {.category = "shotgun",
         .background = "g_shot_select.jpg",
         .idGuns = {29, 30, 28, 0, 0, 0},
         .highlighted = {"g_shot_01ak.jpg", "g_shot_02ak.jpg", "g_shot_03ak.jpg", nullptr, nullptr,
                         nullptr},
         .hiddenLabels = {4, 5, 6}},
    };
    return pages;
}

const GunSelectionPage* findGunSelectionPage(std::string_view category) {
    for (const GunSelectionPage& page : gunSelectionPages()) {
        if (category == page.category) {
            return &page;
        }
    }
    return nullptr;
}

std::string selectionBackgroundName(const GunSelectionPage& page, bool onTablet) {
    return onTablet ? withBeforeJpeg(page.background, "_ipad") : page.background;
}

std::string selectionHighlightedName(const GunSelectionPage& page, int position, bool onTablet) {
    if (position < 1 || position > kSelectionPagePositions) {
        return "";
    }
    const char* name = page.highlighted[static_cast<size_t>(position - 1)];
    if (!name) {
        return "";
    }
    return onTablet ? withBeforeJpeg(name, "@2x") : name;
}
