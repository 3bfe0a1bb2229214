// The values in which the game hub differs between phone and tablet: how far each of its
// panels slides in and out.
#pragma once

#include "platform/DeviceProfile.h"

struct GameMenuValues {
    double settingsOffset;
    double afterLoginOffset;
    double userDetailsOffset;

    static GameMenuValues forProfile(const DeviceProfile& profile) {
        if (profile.isTablet()) {
            return {301, 300, 588};
        }
        return {144, 150, 300};
    }
};
