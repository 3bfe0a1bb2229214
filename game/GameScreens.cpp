// The assembly game's screens by class name.
#include "game/GameScreens.h"

#include <memory>
#include <optional>

#include "app/TextValue.h"
#include "game/GunListController.h"
#include "game/PlayController.h"
#include "platform/ScreenRegistry.h"

namespace {

template <class Screen>
ScreenFactory playScreen() {
    return [](const DeviceProfile&,
              const std::vector<std::string>& arguments) -> std::unique_ptr<ViewController> {
        if (arguments.size() != 2) {
            return nullptr;
        }
        const std::optional<int32_t> id = exactIntValue(arguments[1]);
        if (!id) {
            return nullptr;
        }
        return std::make_unique<Screen>(arguments[0], *id);
    };
}

template <class Screen>
ScreenFactory listScreen() {
    return [](const DeviceProfile&,
              const std::vector<std::string>& arguments) -> std::unique_ptr<ViewController> {
        return arguments.empty() ? std::make_unique<Screen>() : nullptr;
    };
}

}  // namespace

void registerGameScreens(ScreenRegistry& registry) {
    registry.add("PlayController", playScreen<PlayController>());
    registry.add("PlayController_ipad", playScreen<PlayController_ipad>());
    // The main menu's game entry opens the list of guns until the game hub takes its place.
    for (const char* className : {"GameMenuController", "GunListController"}) {
        registry.add(className, listScreen<GunListController>());
        registry.add(std::string(className) + "_ipad", listScreen<GunListController_ipad>());
    }
}
