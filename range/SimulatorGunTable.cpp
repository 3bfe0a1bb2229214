// The simulator's gun table.
#include "range/SimulatorGunTable.h"

#include <array>

namespace {

constexpr FireModes kSingle = FireModes::Single;
constexpr FireModes kSelect = FireModes::SingleAndAutomatic;

// clang-format off
constexpr std::array<SimulatorGunConfig, 22> kGuns{{
    {.id_gun = 2, .menuEntry = 17, .category = "handgun", .image = "2_pol6.png", .rodzajBlysku = 1,
     .rodzajStrzalu = "Colt_1911", .rodzajReload = "load_handgun", .fireModes = kSingle,
     .phone = {{300, 190}, 0.7, {40, -130}, {-89, 20}, 7},
     .tablet = {{730, 470}, 0.7, {110, -170}, {-160, 100}, 7}},
    {.id_gun = 3, .menuEntry = 14, .category = "handgun", .image = "3_pol4.png", .rodzajBlysku = 1,
     .rodzajStrzalu = "Cz_75", .rodzajReload = "load_handgun", .fireModes = kSingle,
     .phone = {{300, 190}, 0.7, {40, -130}, {-89, 20}, 16},
     .tablet = {{730, 450}, 0.7, {110, -170}, {-160, 100}, 16}},
    {.id_gun = 4, .menuEntry = 10, .category = "handgun", .image = "4_pol2.png", .rodzajBlysku = 1,
     .rodzajStrzalu = "Desert_eagle", .rodzajReload = "load_handgun", .fireModes = kSingle,
     .phone = {{300, 190}, 0.9, {40, -130}, {-89, 20}, 7},
     .tablet = {{750, 450}, 0.7, {125, -180}, {-140, 80}, 7}},
    {.id_gun = 5, .menuEntry = 3, .category = "handgun", .image = "5_pol4.png", .rodzajBlysku = 1,
     .rodzajStrzalu = "Glock_17c", .rodzajReload = nullptr, .fireModes = kSingle,
     .phone = {{300, 160}, 0.9, {40, -140}, {-85, -10}, 17},
     .tablet = {{750, 450}, 0.7, {125, -170}, {-140, 80}, 17}},
    {.id_gun = 6, .menuEntry = 16, .category = "handgun", .image = "6_pol2.png", .rodzajBlysku = 1,
     .rodzajStrzalu = "Makarov", .rodzajReload = "load_handgun", .fireModes = kSingle,
     .phone = {{300, 180}, 0.7, {40, -140}, {-85, 10}, 8},
     .tablet = {{730, 460}, 0.7, {110, -170}, {-160, 100}, 8}},
    {.id_gun = 7, .menuEntry = 13, .category = "handgun", .image = "7_pol5.png", .rodzajBlysku = 1,
     .rodzajStrzalu = "p08_Parabellum", .rodzajReload = "load_handgun", .fireModes = kSingle,
     .phone = {{280, 180}, 0.7, {25, -140}, {-110, 10}, 8},
     .tablet = {{710, 460}, 0.7, {110, -170}, {-160, 100}, 8}},
    {.id_gun = 8, .menuEntry = 4, .category = "handgun", .image = "8_pol3.png", .rodzajBlysku = 1,
     .rodzajStrzalu = nullptr, .rodzajReload = "load_handgun", .fireModes = kSingle,
     .phone = {{260, 150}, 0.8, {45, -140}, {-85, 0}, 15},
     .tablet = {{670, 410}, 0.7, {120, -170}, {-150, 90}, 15}},
    {.id_gun = 10, .menuEntry = 12, .category = "handgun", .image = "10_pol2.png", .rodzajBlysku = 1,
     .rodzajStrzalu = "Walther_P38", .rodzajReload = "load_handgun", .fireModes = kSingle,
     .phone = {{280, 180}, 0.8, {25, -140}, {-110, 10}, 8},
     .tablet = {{710, 465}, 0.7, {110, -170}, {-160, 100}, 8}},
    {.id_gun = 11, .menuEntry = 15, .category = "handgun", .image = "11_pol2.png", .rodzajBlysku = 1,
     .rodzajStrzalu = "Walther_P38", .rodzajReload = "load_handgun", .fireModes = kSingle,
     .phone = {{280, 180}, 0.7, {25, -140}, {-110, 10}, 16},
     .tablet = {{730, 460}, 0.6, {110, -170}, {-160, 100}, 16}},
    {.id_gun = 12, .menuEntry = 6, .category = "submachine", .image = "12_pol2.png", .rodzajBlysku = 2,
     .rodzajStrzalu = "P90", .rodzajReload = "load_other", .fireModes = kSelect,
     .phone = {{280, 200}, 0.8, {20, -65}, {-63, 59}, 50},
     .tablet = {{710, 500}, 0.7, {95, -55}, {-60, 180}, 50}},
    {.id_gun = 14, .menuEntry = 22, .category = "submachine", .image = "14_pol3.png", .rodzajBlysku = 2,
     .rodzajStrzalu = "MP40", .rodzajReload = "load_other", .fireModes = kSelect,
     .phone = {{270, 210}, 0.9, {10, -95}, {-73, 30}, 32},
     .tablet = {{710, 540}, 0.7, {110, -140}, {-80, 152}, 32}},
    {.id_gun = 15, .menuEntry = 7, .category = "submachine", .image = "15_pol4.png", .rodzajBlysku = 2,
     .rodzajStrzalu = "Mp5", .rodzajReload = "load_other", .fireModes = kSelect,
     .phone = {{280, 210}, 0.9, {20, -85}, {-63, 45}, 30},
     .tablet = {{710, 520}, 0.7, {95, -75}, {-60, 155}, 30}},
    {.id_gun = 18, .menuEntry = 1, .category = "rifles", .image = "ak47.png", .rodzajBlysku = 2,
     .rodzajStrzalu = "Ak_47", .rodzajReload = "load_other", .fireModes = kSelect,
     .phone = {{250, 230}, 1, {2, -74}, {-90, 50}, 30},
     .tablet = {{600, 524}, 1, {0, -100}, {-200, 140}, 30}},
    {.id_gun = 20, .menuEntry = 2, .category = "rifles", .image = "m16.png", .rodzajBlysku = 2,
     .rodzajStrzalu = "M16", .rodzajReload = "load_other", .fireModes = kSelect,
     .phone = {{250, 220}, 1, {2, -74}, {-90, 50}, 30},
     .tablet = {{650, 500}, 1, {35, -130}, {-140, 130}, 30}},
    {.id_gun = 21, .menuEntry = 5, .category = "rifles", .image = "21_pol4.png", .rodzajBlysku = 2,
     .rodzajStrzalu = "Steyr_Aug", .rodzajReload = "load_other", .fireModes = kSelect,
     .phone = {{320, 220}, 1, {60, -75}, {-23, 55}, 30},
     .tablet = {{690, 540}, 1, {90, -60}, {-80, 195}, 30}},
    {.id_gun = 22, .menuEntry = 19, .category = "rifles", .image = "22_pol7.png", .rodzajBlysku = 2,
     .rodzajStrzalu = "Stg_44", .rodzajReload = "load_other", .fireModes = kSelect,
     .phone = {{250, 220}, 1, {-10, -75}, {-93, 47}, 30},
     .tablet = {{720, 520}, 0.8, {110, -140}, {-80, 152}, 30}},
    {.id_gun = 23, .menuEntry = 11, .category = "machineguns", .image = "23_pol3.png", .rodzajBlysku = 2,
     .rodzajStrzalu = "BAR1918", .rodzajReload = "load_other", .fireModes = kSelect,
     .phone = {{290, 200}, 1, {36, -94}, {-50, 29}, 20},
     .tablet = {{690, 500}, 0.8, {75, -124}, {-60, 139}, 20}},
    {.id_gun = 24, .menuEntry = 18, .category = "machineguns", .image = "m249.png", .rodzajBlysku = 2,
     .rodzajStrzalu = "M249", .rodzajReload = "load_other", .fireModes = kSelect,
     .phone = {{290, 190}, 1, {36, -84}, {-50, 42}, 200},
     .tablet = {{710, 480}, 1, {110, -140}, {-80, 152}, 200}},
    {.id_gun = 26, .menuEntry = 8, .category = "sniper", .image = "26_pol8.png", .rodzajBlysku = 2,
     .rodzajStrzalu = "Svd_Dragunov", .rodzajReload = "load_other", .fireModes = kSelect,
     .phone = {{250, 230}, 1, {-8, -59}, {-100, 65}, 10},
     .tablet = {{650, 560}, 1, {50, -49}, {-120, 210}, 10}},
    {.id_gun = 28, .menuEntry = 9, .category = "shotgun", .image = "mossberg.png", .rodzajBlysku = 2,
     .rodzajStrzalu = "Mossberg_500", .rodzajReload = "load_shotgun", .fireModes = kSingle,
     .phone = {{250, 240}, 1, {-8, -79}, {-100, 45}, 5},
     .tablet = {{650, 580}, 1, {70, -140}, {-120, 162}, 8}},
    {.id_gun = 29, .menuEntry = 21, .category = "shotgun", .image = "saiga.png", .rodzajBlysku = 2,
     .rodzajStrzalu = "Saiga", .rodzajReload = "load_shotgun", .fireModes = kSingle,
     .phone = {{250, 240}, 1.2, {-8, -60}, {-100, 60}, 10},
     .tablet = {{720, 580}, 1.2, {110, -100}, {-80, 192}, 10}},
    {.id_gun = 30, .menuEntry = 20, .category = "shotgun", .image = "spas.png", .rodzajBlysku = 2,
     .rodzajStrzalu = "Spas_12", .rodzajReload = "load_shotgun", .fireModes = kSelect,
     .phone = {{250, 237}, 1.2, {-8, -49}, {-95, 70}, 8},
     .tablet = {{720, 580}, 1.2, {110, -90}, {-80, 212}, 8}},
}};
// clang-format on

}  // namespace

std::span<const SimulatorGunConfig> simulatorGuns() {
    return kGuns;
}

const SimulatorGunConfig* findSimulatorGun(int idGun) {
    for (const SimulatorGunConfig& gun : kGuns) {
        if (gun.id_gun == idGun) {
            return &gun;
        }
    }
    return nullptr;
}

const SimulatorGunConfig* simulatorGunForEntry(int menuEntry) {
    for (const SimulatorGunConfig& gun : kGuns) {
        if (gun.menuEntry == menuEntry) {
            return &gun;
        }
    }
    return nullptr;
}

// The mode control is keyed by id over the whole range 1 to 30, rows or not.
ModeControl modeControlFor(int idGun) {
    if ((idGun >= 1 && idGun <= 11) || (idGun >= 27 && idGun <= 29)) {
        return ModeControl::SingleOnly;
    }
    if ((idGun >= 12 && idGun <= 16) || (idGun >= 18 && idGun <= 26) || idGun == 30) {
        return ModeControl::SelectFire;
    }
    return ModeControl::Inactive;
}
