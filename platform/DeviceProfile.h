// The device profile, phone or tablet, chosen once at start. Both run the same screen logic;
// the profile gives the screen size and where each screen's layout resource lives, and screen
// classes take their other per-profile values from it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Geometry.h"

class DeviceProfile {
public:
    enum class Kind { Phone, Tablet };

    static DeviceProfile phone() { return DeviceProfile(Kind::Phone); }
    static DeviceProfile tablet() { return DeviceProfile(Kind::Tablet); }
    // "phone" or "tablet"; empty for anything else.
    static std::optional<DeviceProfile> named(std::string_view name);

    Kind kind() const { return kind_; }
    bool isTablet() const { return kind_ == Kind::Tablet; }
    std::string_view name() const { return isTablet() ? "tablet" : "phone"; }
    // Landscape: 480×320 on the phone, 1024×768 on the tablet.
    Size screenSize() const { return isTablet() ? Size{1024, 768} : Size{480, 320}; }
    // The resources folder of the layouts: "iPhone" or "iPad".
    std::string_view layoutFolder() const { return isTablet() ? "iPad" : "iPhone"; }
    // Appended to layout names on the tablet: "" or "_ipad".
    std::string_view layoutSuffix() const { return isTablet() ? "_ipad" : ""; }
    // The layout resource of the screen whose phone layout is `screenName`, relative to the
    // resources directory: "iPhone/NAME.json" or "iPad/NAME_ipad.json".
    std::string layoutResource(std::string_view screenName) const;

    friend bool operator==(const DeviceProfile&, const DeviceProfile&) = default;

private:
    explicit DeviceProfile(Kind kind) : kind_(kind) {}

    Kind kind_;
};
