// The value in which the gun selection's logic differs between phone and tablet: where the
// sniper page puts its total. Picture names come from the pages' table.
#pragma once

#include "platform/DeviceProfile.h"
#include "platform/Geometry.h"

struct GameInsideValues {
    Rect sniperTotalFrame;

    static GameInsideValues forProfile(const DeviceProfile& profile) {
        if (profile.isTablet()) {
            return {{780, 293, 87, 22}};
        }
        return {{353, 107, 87, 21}};
    }
};
