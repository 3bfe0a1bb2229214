// The shell's screens by class name.
#include "shell/ShellScreens.h"

#include <memory>

#include "platform/ScreenRegistry.h"
#include "shell/AboutController.h"
#include "shell/IntroController.h"
#include "shell/MenuController.h"
#include "shell/RavuravovController.h"
#include "shell/TutorialGameController.h"
#include "shell/TutorialInsideController.h"

namespace {

// CLASS is the phone screen, CLASS_ipad its tablet twin.
template <class Phone, class Tablet>
void addScreen(ScreenRegistry& registry, const std::string& className) {
    registry.add(className, screenWithoutArguments<Phone>());
    registry.add(className + "_ipad", screenWithoutArguments<Tablet>());
}

}  // namespace

void registerShellScreens(ScreenRegistry& registry) {
    addScreen<IntroController, IntroController_ipad>(registry, "IntroController");
    addScreen<MenuController, MenuController_ipad>(registry, "MenuController");
    addScreen<TutorialGameController, TutorialGameController_ipad>(registry,
                                                                   "TutorialGameController");
    addScreen<AboutController, AboutController_ipad>(registry, "AboutController");
    addScreen<RavuravovController, RavuravovController_ipad>(registry, "RavuravovController");
    // The tutorial movie screen takes the base name of its movie.
    for (const DeviceProfile& profile : {DeviceProfile::phone(), DeviceProfile::tablet()}) {
        registry.add(
            "TutorialInsideController" + std::string(profile.layoutSuffix()),
            [profile](const DeviceProfile&,
                      const std::vector<std::string>& args) -> std::unique_ptr<ViewController> {
                return args.size() == 1 ? TutorialInsideController::initWithMP4(profile, args[0])
                                        : nullptr;
            });
    }
}
