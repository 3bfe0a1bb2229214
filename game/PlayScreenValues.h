// The values in which the play screen differs between phone and tablet: how far each of its
// panels slides in and out.
#pragma once

#include "platform/DeviceProfile.h"

struct PlayScreenValues {
    double startPanelSlide;
    double resetPanelSlide;
    double scorePanelSlide;
    double unlockPanelSlide;

    static PlayScreenValues forProfile(const DeviceProfile& profile) {
        if (profile.isTablet()) {
            return {470, 452, 540, 531};
        }
        return {200, 200, 200, 200};
    }
};
