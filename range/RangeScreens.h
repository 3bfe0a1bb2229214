// The firing simulator's and the firearms gallery's screens by class name, for scripts and the
// main menu: "RifleRangeGameController" and "RifleRangeGameController_ipad" take a gun ID.
#pragma once

class ScreenRegistry;

void registerRangeScreens(ScreenRegistry& registry);
