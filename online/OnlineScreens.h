// The online screens by class name, for scripts and the program's options:
// "RankingController" and its tablet twin "RankingController_ipad" take nothing.
#pragma once

class ScreenRegistry;

void registerOnlineScreens(ScreenRegistry& registry);
