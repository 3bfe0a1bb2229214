// The values in which the simulator screen differs between phone and tablet: picture names,
// the sizes of the smoke and flash pictures, the smoke's frames, and whether loading the view
// also runs the smoke routine.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/DeviceProfile.h"
#include "platform/Geometry.h"

struct RifleRangeValues {
    bool tablet;
    Size smokeSize;
    Size flashSize;
    // Phone pictures run their own smoke routine when the view loads, after the opening smoke.
    bool smokeRoutineAtLoad;

    static RifleRangeValues forProfile(const DeviceProfile& profile) {
        if (profile.isTablet()) {
            return {true, {300, 484}, {500, 300}, false};
        }
        return {false, {150, 242}, {250, 150}, true};
    }

    // A simulator picture as the device names it: "@2x" before ".png" on the tablet.
    std::string pictureName(std::string_view phoneName) const;
    // The smoke that opens the screen: "01.png" to "25.png" on both profiles.
    static std::vector<std::string> openingSmokeFrames();
    // The smoke after a shot: "00a.png" eight times then "01z.png" to "35z.png" on the phone,
    // the opening smoke on the tablet.
    std::vector<std::string> smokeFrames() const;
    // Flash kind 1 (handgun) or any other (long gun), as the device names the frames.
    std::vector<std::string> flashFrames(int rodzajBlysku) const;
};
