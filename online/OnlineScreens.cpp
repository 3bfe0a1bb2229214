// The online screens by class name.
#include "online/OnlineScreens.h"

#include <memory>

#include "online/RankingController.h"
#include "platform/ScreenRegistry.h"

void registerOnlineScreens(ScreenRegistry& registry) {
    registry.add("RankingController", screenWithoutArguments<RankingController>());
    registry.add("RankingController_ipad", screenWithoutArguments<RankingController_ipad>());
}
