// Laying gun pictures out for the firing range.
#include "range/GunOnRange.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace range {
namespace {

// Where the flash bursts, in the gun view, relative to the row's flash origin: just right of
// the leftmost flash origin of the kind and profile, so that every muzzle can sit on its
// picture's left edge or right of it, and at the height that keeps the most of the guns of the
// kind on the screen at their own size. The range's layouts put the flash frame in a view at
// `kFlashAreaOffset` inside the gun view, so that the burst points lie near the middle of the
// frames' pictures, with room for the flash's glow.
constexpr art::Point kHandgunBurst[] = {{116, 36}, {168, -28}};
constexpr art::Point kLongGunBurst[] = {{106, -2}, {208, -94}};
constexpr art::Point kFlashAreaOffset[] = {{0, -58}, {0, -211}};

art::Point burstInGunView(int rodzajBlysku, bool onTablet) {
    return (rodzajBlysku == 1 ? kHandgunBurst : kLongGunBurst)[onTablet];
}

constexpr double kScreenWidth[] = {480, 1024};
constexpr double kScreenHeight[] = {320, 768};

// Sizes are tried from 1 down in these steps, to this smallest one.
constexpr double kSizeStep = 0.98;
constexpr double kSmallestSize = 0.3;

}  // namespace

art::Point flashSource(int rodzajBlysku, bool onTablet) {
    const art::Point burst = burstInGunView(rodzajBlysku, onTablet);
    return {burst.x - kFlashAreaOffset[onTablet].x, burst.y - kFlashAreaOffset[onTablet].y};
}

RangeLayout layoutOnRange(const SimulatorGunConfig& gun, bool onTablet, double partOnScreen,
                          const std::function<DrawnGun(double size)>& drawnAt) {
    const SimulatorPlacement& placed = gun.placement(onTablet);
    const art::Point source = burstInGunView(gun.rodzajBlysku, onTablet);
    // In the picture's pixels: where the flash bursts and how much of the picture the screen
    // can show right of and below the gun view's origin.
    const art::Point burst{(placed.flashOrigin.x + source.x) / placed.scale,
                           (placed.flashOrigin.y + source.y) / placed.scale};
    const double roomWidth = (kScreenWidth[onTablet] - placed.gunOrigin.x) / placed.scale;
    const double roomHeight = (kScreenHeight[onTablet] - placed.gunOrigin.y) / placed.scale;
    for (double size = 1; size >= kSmallestSize; size *= kSizeStep) {
        const DrawnGun drawn = drawnAt(size);
        const art::Point offset{burst.x - drawn.muzzle.x, burst.y - drawn.muzzle.y};
        // The picture ends on whole pixels right of and below the gun.
        const int width = static_cast<int>(std::ceil(offset.x + drawn.width));
        const int height = static_cast<int>(std::ceil(offset.y + drawn.height));
        const double shownWidth = std::min(roomWidth, double(width)) - offset.x;
        const double shownHeight = std::min(roomHeight, double(height)) - offset.y;
        if (offset.x >= 0 && offset.y >= 0 && shownWidth > 0 && shownHeight > 0 &&
            shownWidth * shownHeight >= partOnScreen * (width - offset.x) * (height - offset.y)) {
            return {size, offset, width, height, burst};
        }
    }
    throw std::runtime_error("gun " + std::to_string(gun.id_gun) +
                             " does not fit the range with its muzzle under the flash");
}

}  // namespace range
