// The firing simulator's guns: for each of its 22 guns the simulator menu entry and category
// that guard it, the gun picture, the flash kind, the shot and reload sounds, the fire modes,
// and per profile where the gun, its smoke and its flash go and how many rounds it holds.
// Plain data with no dependency, so the screens, the tests and the art generators share it.
#pragma once

#include <span>

struct SimulatorPoint {
    double x = 0;
    double y = 0;
};

enum class FireModes { Single, SingleAndAutomatic };

// What the mode control does for a gun id (it covers ids the table has no row for).
enum class ModeControl { SingleOnly, SelectFire, Inactive };

// Where one profile shows the gun: `gunOrigin` with the picture's natural size × `scale`,
// and the origins of the smoke and flash pictures.
struct SimulatorPlacement {
    SimulatorPoint gunOrigin;
    double scale = 1;
    SimulatorPoint smokeOrigin;
    SimulatorPoint flashOrigin;
    int gunAmmo = 0;
};

struct SimulatorGunConfig {
    int id_gun = 0;
    int menuEntry = 0;                    // the simulator menu's action gun1 … gun22
    const char* category = "";            // the settings key of its unlock flag
    const char* image = "";               // the phone picture; the tablet inserts "@2x"
    int rodzajBlysku = 1;                 // 1: handgun flash, 2: long-gun flash
    const char* rodzajStrzalu = nullptr;  // null: the screen keeps its default shot sound
    const char* rodzajReload = nullptr;   // null: the screen keeps its default reload sound
    FireModes fireModes = FireModes::Single;
    SimulatorPlacement phone;
    SimulatorPlacement tablet;

    const SimulatorPlacement& placement(bool onTablet) const { return onTablet ? tablet : phone; }
};

// Every gun, by ascending id.
std::span<const SimulatorGunConfig> simulatorGuns();
// The gun with that id, or null.
const SimulatorGunConfig* findSimulatorGun(int idGun);
// The gun that simulator menu entry `gunN` opens, or null.
const SimulatorGunConfig* simulatorGunForEntry(int menuEntry);
ModeControl modeControlFor(int idGun);
