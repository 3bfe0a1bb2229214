// The range's screens by class name.
#include "range/RangeScreens.h"

#include <memory>
#include <optional>

#include "app/TextValue.h"
#include "platform/ScreenRegistry.h"
#include "range/MenuFirearmsController.h"
#include "range/RifleMenuController.h"
#include "range/RifleRangeGameController.h"

namespace {

template <class Screen>
ScreenFactory simulatorScreen() {
    return [](const DeviceProfile&,
              const std::vector<std::string>& arguments) -> std::unique_ptr<ViewController> {
        if (arguments.size() != 1) {
            return nullptr;
        }
        const std::optional<int32_t> id = exactIntValue(arguments[0]);
        if (!id) {
            return nullptr;
        }
        return std::make_unique<Screen>(*id);
    };
}

}  // namespace

void registerRangeScreens(ScreenRegistry& registry) {
    registry.add("RifleRangeGameController", simulatorScreen<RifleRangeGameController>());
    registry.add("RifleRangeGameController_ipad", simulatorScreen<RifleRangeGameController_ipad>());
    registry.add("RifleMenuController", screenWithoutArguments<RifleMenuController>());
    registry.add("RifleMenuController_ipad", screenWithoutArguments<RifleMenuController_ipad>());
    registry.add("MenuFirearmsController", screenWithoutArguments<MenuFirearmsController>());
    registry.add("MenuFirearmsController_ipad",
                 screenWithoutArguments<MenuFirearmsController_ipad>());
}
