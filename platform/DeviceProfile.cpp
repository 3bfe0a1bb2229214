// Device profiles and their layout resource names.
#include "platform/DeviceProfile.h"

std::optional<DeviceProfile> DeviceProfile::named(std::string_view name) {
    if (name == "phone") {
        return phone();
    }
    if (name == "tablet") {
        return tablet();
    }
    return std::nullopt;
}

std::string DeviceProfile::layoutResource(std::string_view screenName) const {
    std::string resource(layoutFolder());
    resource += '/';
    resource += screenName;
    // A name that already carries the tablet suffix is not suffixed twice.
    if (!screenName.ends_with(layoutSuffix())) {
        resource += layoutSuffix();
    }
    return resource + ".json";
}
