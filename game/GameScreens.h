// The assembly game's screens by class name, for scripts and the program's options:
// "PlayController" and "PlayController_ipad" take CATEGORY ID ("handgun" "3");
// "GameInsideController" and its tablet twin take CATEGORY, or "handgun" TOTAL for the second
// handgun page; "GameMenuController" and its tablet twin take nothing.
#pragma once

class ScreenRegistry;

void registerGameScreens(ScreenRegistry& registry);
