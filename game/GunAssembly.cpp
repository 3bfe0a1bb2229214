// Look-ups into the assembly tables and the device forms of their picture names.
#include "game/GunAssembly.h"

#include <algorithm>
#include <stdexcept>

namespace {

// The tablet places two parts of gun 13 away from the general rule.
struct TabletOrigin {
    int idGun;
    int slot;
    SlotOrigin origin;
};
constexpr TabletOrigin kTabletExceptions[] = {
    {13, 6, {505, 174}},
    {13, 7, {329, 164}},
};

}  // namespace

const JoinRule& GunAssembly::finalRule() const {
    auto found =
        std::find_if(rules.begin(), rules.end(), [](const JoinRule& r) { return r.isFinal; });
    if (found == rules.end()) {
        throw std::logic_error("gun without a final rule");
    }
    return *found;
}

SlotOrigin GunAssembly::startOrigin(int slot, bool onTablet) const {
    const SlotOrigin phone = phoneOrigins.at(static_cast<size_t>(slot - 1));
    if (!onTablet) {
        return phone;
    }
    for (const TabletOrigin& exception : kTabletExceptions) {
        if (exception.idGun == id_gun && exception.slot == slot) {
            return exception.origin;
        }
    }
    // The tablet doubles the phone's layout and moves it into its larger screen.
    return {2 * phone.x + 29, 2 * phone.y + 64};
}

const GunAssembly* findGunAssembly(int idGun) {
    const std::vector<GunAssembly>& guns = allGunAssemblies();
    auto found = std::find_if(guns.begin(), guns.end(),
                              [idGun](const GunAssembly& gun) { return gun.id_gun == idGun; });
    return found == guns.end() ? nullptr : &*found;
}

std::string partPictureName(int idGun, int slot, bool onTablet) {
    return devicePictureName(std::to_string(idGun) + "_cz" + std::to_string(slot) + ".png",
                             onTablet);
}

std::string devicePictureName(std::string_view phoneName, bool onTablet) {
    std::string name(phoneName);
    if (onTablet) {
        const size_t extension = name.rfind('.');
        name.insert(extension == std::string::npos ? name.size() : extension, "@2x");
    }
    return name;
}
