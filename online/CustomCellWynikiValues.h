// The values in which a ranking row differs between phone and tablet: the font size and the
// x offset and width of each column, from the content view's left edge.
#pragma once

#include "platform/DeviceProfile.h"

struct CustomCellWynikiValues {
    struct Column {
        double x;
        double width;
    };

    double fontSize;
    Column miejsce;
    Column nazwa_usera;
    Column punkty;
    Column panstwo;

    static CustomCellWynikiValues forProfile(const DeviceProfile& profile) {
        if (profile.isTablet()) {
            return {18, {0, 50}, {50, 230}, {280, 160}, {440, 330}};
        }
        return {14, {0, 50}, {50, 130}, {180, 60}, {240, 160}};
    }
};
