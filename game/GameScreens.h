// The assembly game's screens by class name, for scripts and the program's options:
// "PlayController" and "PlayController_ipad" take CATEGORY ID ("handgun" "3").
#pragma once

class ScreenRegistry;

void registerGameScreens(ScreenRegistry& registry);
