// Registers the screens of the application shell (intro, main menu, and the stand-ins for the
// screens still to come) with the screen registry. The game entry's screen is the game's.
#pragma once

class ScreenRegistry;

void registerShellScreens(ScreenRegistry& registry);
