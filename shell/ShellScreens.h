// Registers the screens of the application shell (intro, main menu, and the stand-ins for the
// screens still to come) with the screen registry.
#pragma once

class ScreenRegistry;

void registerShellScreens(ScreenRegistry& registry);
