// The assembly game's screens by class name.
#include "game/GameScreens.h"

#include <memory>
#include <optional>

#include "app/TextValue.h"
#include "game/GameInsideController.h"
#include "game/GameMenuController.h"
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

// CATEGORY for a first page, CATEGORY TOTAL for the second handgun page.
template <class Screen>
ScreenFactory selectionScreen() {
    return [](const DeviceProfile&,
              const std::vector<std::string>& arguments) -> std::unique_ptr<ViewController> {
        if (arguments.size() == 1) {
            return std::make_unique<Screen>(arguments[0]);
        }
        if (arguments.size() == 2) {
            return std::make_unique<Screen>(arguments[0], arguments[1]);
        }
        return nullptr;
    };
}

}  // namespace

void registerGameScreens(ScreenRegistry& registry) {
    registry.add("PlayController", playScreen<PlayController>());
    registry.add("PlayController_ipad", playScreen<PlayController_ipad>());
    registry.add("GameInsideController", selectionScreen<GameInsideController>());
    registry.add("GameInsideController_ipad", selectionScreen<GameInsideController_ipad>());
    registry.add("GameMenuController", screenWithoutArguments<GameMenuController>());
    registry.add("GameMenuController_ipad", screenWithoutArguments<GameMenuController_ipad>());
}
