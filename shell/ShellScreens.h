// Registers the screens of the application shell (intro, main menu, tutorials, encyclopedia and
// about page) with the screen registry. The game entry's screen is the game's.
#pragma once

class ScreenRegistry;

void registerShellScreens(ScreenRegistry& registry);
