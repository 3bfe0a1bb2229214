// Where the main menu's pictures are meant to sit, per profile. The menu background leaves room
// for the buttons at these places, and MANIFEST.md gives the same frames to the screen layouts.
#pragma once

#include "draw/Geometry.h"
#include "pictures/PictureCatalog.h"

namespace art {

struct MenuLayout {
    Rect firstButton;   // the top entry; the others follow below it
    double buttonStep;  // from one entry's top to the next
    Rect buttonColumn;  // the dark panel behind the entries
    Rect settingsButton;
    Rect title;  // "KALVORN" and its tagline
    Rect gun;    // the pistol under the title
};

inline MenuLayout menuLayout(Profile profile) {
    if (profile == Profile::Phone) {
        return {{264, 25, 200, 40}, 46, {252, 12, 224, 296}, {14, 264, 42, 42}, {20, 36, 224, 64},
                {30, 118, 200, 130}};
    }
    return {{576, 109, 400, 80}, 94, {552, 85, 448, 598}, {32, 652, 84, 84}, {48, 150, 480, 140},
            {70, 320, 440, 280}};
}

// The settings window: the panel and, inside it, the places of its contents.
struct SettingsLayout {
    double width;
    double height;
    double scale;  // text and stroke size factor
    double headerHeight;
    Rect row;          // the sunken row holding the "Music" label and the switch
    Rect okButton;     // settings_ok_button
    Rect closeButton;  // settings_close_button
};

inline SettingsLayout settingsLayout(Profile profile) {
    if (profile == Profile::Phone) {
        return {240, 160, 1, 34, {12, 44, 216, 46}, {72, 104, 96, 40}, {206, 4, 28, 28}};
    }
    return {400, 170, 1.6, 44, {16, 52, 368, 56}, {130, 116, 140, 44}, {350, 6, 40, 40}};
}

}  // namespace art
