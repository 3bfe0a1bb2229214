// The values in which the gun selection differs between phone and tablet: the names of its
// pictures and where the sniper page puts its total.
#pragma once

#include <string>

#include "platform/DeviceProfile.h"
#include "platform/Geometry.h"

struct GameInsideValues {
    std::string backgroundSuffix;   // before ".jpg" of the category picture
    std::string highlightedSuffix;  // before ".jpg" of a gun button's pressed picture
    // The first rifle's pressed picture, whose phone name carries ".jpg" twice.
    std::string firstRifleHighlighted;
    Rect sniperTotalFrame;

    static GameInsideValues forProfile(const DeviceProfile& profile) {
        if (profile.isTablet()) {
            return {"_ipad", "@2x", "g_rifle_01ak@2x.jpg", {780, 293, 87, 22}};
        }
        return {"", "", "g_rifle_01ak.jpg.jpg", {353, 107, 87, 21}};
    }
};
