// The simulator's gun table held against the game's design tables, copied below as they were
// written (gun, sounds, magazine and fire modes; the placement of gun, smoke and flash on both
// profiles; the menu entries), so that a wrong digit or a swapped row in the program's table
// fails here.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "range/SimulatorGunTable.h"

namespace {

const char* const kGunRows = R"(
| 2 | `gun17` | "handgun" | "2_pol6.png" | 1 | "Colt_1911" | "load_handgun" | 7 | single |
| 3 | `gun14` | "handgun" | "3_pol4.png" | 1 | "Cz_75" | "load_handgun" | 16 | single |
| 4 | `gun10` | "handgun" | "4_pol2.png" | 1 | "Desert_eagle" | "load_handgun" | 7 | single |
| 5 | `gun3` | "handgun" | "5_pol4.png" | 1 | "Glock_17c" | "load_handgun" (default) | 17 | single |
| 6 | `gun16` | "handgun" | "6_pol2.png" | 1 | "Makarov" | "load_handgun" | 8 | single |
| 7 | `gun13` | "handgun" | "7_pol5.png" | 1 | "p08_Parabellum" | "load_handgun" | 8 | single |
| 8 | `gun4` | "handgun" | "8_pol3.png" | 1 | "1" (default) | "load_handgun" | 15 | single |
| 10 | `gun12` | "handgun" | "10_pol2.png" | 1 | "Walther_P38" | "load_handgun" | 8 | single |
| 11 | `gun15` | "handgun" | "11_pol2.png" | 1 | "Walther_P38" | "load_handgun" | 16 | single |
| 12 | `gun6` | "submachine" | "12_pol2.png" | 2 | "P90" | "load_other" | 50 | single and automatic |
| 14 | `gun22` | "submachine" | "14_pol3.png" | 2 | "MP40" | "load_other" | 32 | single and automatic |
| 15 | `gun7` | "submachine" | "15_pol4.png" | 2 | "Mp5" | "load_other" | 30 | single and automatic |
| 18 | `gun1` | "rifles" | "ak47.png" | 2 | "Ak_47" | "load_other" | 30 | single and automatic |
| 20 | `gun2` | "rifles" | "m16.png" | 2 | "M16" | "load_other" | 30 | single and automatic |
| 21 | `gun5` | "rifles" | "21_pol4.png" | 2 | "Steyr_Aug" | "load_other" | 30 | single and automatic |
| 22 | `gun19` | "rifles" | "22_pol7.png" | 2 | "Stg_44" | "load_other" | 30 | single and automatic |
| 23 | `gun11` | "machineguns" | "23_pol3.png" | 2 | "BAR1918" | "load_other" | 20 | single and automatic |
| 24 | `gun18` | "machineguns" | "m249.png" | 2 | "M249" | "load_other" | 200 | single and automatic |
| 26 | `gun8` | "sniper" | "26_pol8.png" | 2 | "Svd_Dragunov" | "load_other" | 10 | single and automatic |
| 28 | `gun9` | "shotgun" | "mossberg.png" | 2 | "Mossberg_500" | "load_shotgun" | 5 (tablet 8) | single |
| 29 | `gun21` | "shotgun" | "saiga.png" | 2 | "Saiga" | "load_shotgun" | 10 | single |
| 30 | `gun20` | "shotgun" | "spas.png" | 2 | "Spas_12" | "load_shotgun" | 8 | single and automatic |
)";

const char* const kPlacementRows = R"(
| 2 | (300, 190) × 0.7 | (40, -130) | (-89, 20) | (730, 470) × 0.7 | (110, -170) | (-160, 100) |
| 3 | (300, 190) × 0.7 | (40, -130) | (-89, 20) | (730, 450) × 0.7 | (110, -170) | (-160, 100) |
| 4 | (300, 190) × 0.9 | (40, -130) | (-89, 20) | (750, 450) × 0.7 | (125, -180) | (-140, 80) |
| 5 | (300, 160) × 0.9 | (40, -140) | (-85, -10) | (750, 450) × 0.7 | (125, -170) | (-140, 80) |
| 6 | (300, 180) × 0.7 | (40, -140) | (-85, 10) | (730, 460) × 0.7 | (110, -170) | (-160, 100) |
| 7 | (280, 180) × 0.7 | (25, -140) | (-110, 10) | (710, 460) × 0.7 | (110, -170) | (-160, 100) |
| 8 | (260, 150) × 0.8 | (45, -140) | (-85, 0) | (670, 410) × 0.7 | (120, -170) | (-150, 90) |
| 10 | (280, 180) × 0.8 | (25, -140) | (-110, 10) | (710, 465) × 0.7 | (110, -170) | (-160, 100) |
| 11 | (280, 180) × 0.7 | (25, -140) | (-110, 10) | (730, 460) × 0.6 | (110, -170) | (-160, 100) |
| 12 | (280, 200) × 0.8 | (20, -65) | (-63, 59) | (710, 500) × 0.7 | (95, -55) | (-60, 180) |
| 14 | (270, 210) × 0.9 | (10, -95) | (-73, 30) | (710, 540) × 0.7 | (110, -140) | (-80, 152) |
| 15 | (280, 210) × 0.9 | (20, -85) | (-63, 45) | (710, 520) × 0.7 | (95, -75) | (-60, 155) |
| 18 | (250, 230) × 1 | (2, -74) | (-90, 50) | (600, 524) × 1 | (0, -100) | (-200, 140) |
| 20 | (250, 220) × 1 | (2, -74) | (-90, 50) | (650, 500) × 1 | (35, -130) | (-140, 130) |
| 21 | (320, 220) × 1 | (60, -75) | (-23, 55) | (690, 540) × 1 | (90, -60) | (-80, 195) |
| 22 | (250, 220) × 1 | (-10, -75) | (-93, 47) | (720, 520) × 0.8 | (110, -140) | (-80, 152) |
| 23 | (290, 200) × 1 | (36, -94) | (-50, 29) | (690, 500) × 0.8 | (75, -124) | (-60, 139) |
| 24 | (290, 190) × 1 | (36, -84) | (-50, 42) | (710, 480) × 1 | (110, -140) | (-80, 152) |
| 26 | (250, 230) × 1 | (-8, -59) | (-100, 65) | (650, 560) × 1 | (50, -49) | (-120, 210) |
| 28 | (250, 240) × 1 | (-8, -79) | (-100, 45) | (650, 580) × 1 | (70, -140) | (-120, 162) |
| 29 | (250, 240) × 1.2 | (-8, -60) | (-100, 60) | (720, 580) × 1.2 | (110, -100) | (-80, 192) |
| 30 | (250, 237) × 1.2 | (-8, -49) | (-95, 70) | (720, 580) × 1.2 | (110, -90) | (-80, 212) |
)";

const char* const kMenuRows = R"(
| `gun1` | 18 | "rifles" | "Ak_47" |
| `gun2` | 20 | "rifles" | "M16" |
| `gun3` | 5 | "handgun" | "Glock_17c" |
| `gun4` | 8 | "handgun" | "1" |
| `gun5` | 21 | "rifles" | "Steyr_Aug" |
| `gun6` | 12 | "submachine" | "P90" |
| `gun7` | 15 | "submachine" | "Mp5" |
| `gun8` | 26 | "sniper" | "Svd_Dragunov" |
| `gun9` | 28 | "shotgun" | "Mossberg_500" |
| `gun10` | 4 | "handgun" | "Desert_eagle" |
| `gun11` | 23 | "machineguns" | "BAR1918" |
| `gun12` | 10 | "handgun" | "Walther_P38" |
| `gun13` | 7 | "handgun" | "p08_Parabellum" |
| `gun14` | 3 | "handgun" | "Cz_75" |
| `gun15` | 11 | "handgun" | "Walther_P38" |
| `gun16` | 6 | "handgun" | "Makarov" |
| `gun17` | 2 | "handgun" | "Colt_1911" |
| `gun18` | 24 | "machineguns" | "M249" |
| `gun19` | 22 | "rifles" | "Stg_44" |
| `gun20` | 30 | "shotgun" | "Spas_12" |
| `gun21` | 29 | "shotgun" | "Saiga" |
| `gun22` | 14 | "submachine" | "MP40" |
)";

// The cells of each "| a | b | … |" line, trimmed.
std::vector<std::vector<std::string>> cells(const char* table) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(table);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty()) {
            continue;
        }
        std::vector<std::string> row;
        std::istringstream parts(line.substr(1));
        for (std::string cell; std::getline(parts, cell, '|');) {
            const size_t first = cell.find_first_not_of(' ');
            const size_t last = cell.find_last_not_of(' ');
            row.push_back(first == std::string::npos ? "" : cell.substr(first, last - first + 1));
        }
        rows.push_back(row);
    }
    return rows;
}

// The first text in double quotes of a cell ("\"Colt_1911\"" gives "Colt_1911").
std::string quoted(const std::string& cell) {
    const size_t open = cell.find('"');
    return cell.substr(open + 1, cell.find('"', open + 1) - open - 1);
}

struct Placed {
    double x, y, scale;
};

// "(300, 190) × 0.7" or "(40, -130)".
Placed placed(const std::string& cell) {
    static const std::regex pattern(R"(\((-?[\d.]+), (-?[\d.]+)\)(?: × ([\d.]+))?)");
    std::smatch match;
    EXPECT_TRUE(std::regex_match(cell, match, pattern)) << cell;
    return {std::stod(match[1]), std::stod(match[2]), match[3].matched ? std::stod(match[3]) : 1};
}

void expectPoint(const SimulatorPoint& point, const Placed& pinned, const std::string& what) {
    EXPECT_DOUBLE_EQ(point.x, pinned.x) << what;
    EXPECT_DOUBLE_EQ(point.y, pinned.y) << what;
}

TEST(SimulatorGunTable, EveryGunCarriesItsPictureSoundsMagazineAndModes) {
    const auto rows = cells(kGunRows);
    ASSERT_EQ(rows.size(), 22u);
    ASSERT_EQ(simulatorGuns().size(), 22u);
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        const int id = std::stoi(row[0]);
        SCOPED_TRACE("gun " + row[0]);
        const SimulatorGunConfig* gun = findSimulatorGun(id);
        ASSERT_NE(gun, nullptr);
        EXPECT_EQ(simulatorGuns()[i].id_gun, id) << "rows run by ascending id";
        EXPECT_EQ("`gun" + std::to_string(gun->menuEntry) + "`", row[1]);
        EXPECT_EQ(gun->category, quoted(row[2]));
        EXPECT_EQ(gun->image, quoted(row[3]));
        EXPECT_EQ(gun->rodzajBlysku, std::stoi(row[4]));
        // A "(default)" sound is not the gun's own: the screen keeps its default for it.
        const bool defaultShot = row[5].find("(default)") != std::string::npos;
        const bool defaultReload = row[6].find("(default)") != std::string::npos;
        EXPECT_EQ(gun->rodzajStrzalu ? std::string(gun->rodzajStrzalu) : std::string("<none>"),
                  defaultShot ? "<none>" : quoted(row[5]));
        EXPECT_EQ(gun->rodzajReload ? std::string(gun->rodzajReload) : std::string("<none>"),
                  defaultReload ? "<none>" : quoted(row[6]));
        std::smatch magazine;
        ASSERT_TRUE(
            std::regex_match(row[7], magazine, std::regex(R"((\d+)(?: \(tablet (\d+)\))?)")));
        EXPECT_EQ(gun->phone.gunAmmo, std::stoi(magazine[1]));
        EXPECT_EQ(gun->tablet.gunAmmo,
                  std::stoi(magazine[2].matched ? magazine[2].str() : magazine[1].str()));
        EXPECT_EQ(
            gun->fireModes == FireModes::SingleAndAutomatic ? "single and automatic" : "single",
            row[8]);
    }
}

TEST(SimulatorGunTable, EveryGunIsPlacedWithItsSmokeAndFlashOnBothProfiles) {
    const auto rows = cells(kPlacementRows);
    ASSERT_EQ(rows.size(), 22u);
    for (const auto& row : rows) {
        SCOPED_TRACE("gun " + row[0]);
        const SimulatorGunConfig* gun = findSimulatorGun(std::stoi(row[0]));
        ASSERT_NE(gun, nullptr);
        const Placed phoneGun = placed(row[1]);
        expectPoint(gun->phone.gunOrigin, phoneGun, "phone gun view");
        EXPECT_DOUBLE_EQ(gun->phone.scale, phoneGun.scale);
        expectPoint(gun->phone.smokeOrigin, placed(row[2]), "phone smoke");
        expectPoint(gun->phone.flashOrigin, placed(row[3]), "phone flash");
        const Placed tabletGun = placed(row[4]);
        expectPoint(gun->tablet.gunOrigin, tabletGun, "tablet gun view");
        EXPECT_DOUBLE_EQ(gun->tablet.scale, tabletGun.scale);
        expectPoint(gun->tablet.smokeOrigin, placed(row[5]), "tablet smoke");
        expectPoint(gun->tablet.flashOrigin, placed(row[6]), "tablet flash");
    }
}

TEST(SimulatorGunTable, MenuEntriesOpenTheirGunsUnderTheirCategories) {
    const auto rows = cells(kMenuRows);
    ASSERT_EQ(rows.size(), 22u);
    std::map<std::string, int> perCategory;
    for (const auto& row : rows) {
        SCOPED_TRACE(row[0]);
        const int entry = std::stoi(row[0].substr(4));  // "`gun17`"
        const SimulatorGunConfig* gun = simulatorGunForEntry(entry);
        ASSERT_NE(gun, nullptr);
        EXPECT_EQ(gun->id_gun, std::stoi(row[1]));
        EXPECT_EQ(gun->category, quoted(row[2]));
        EXPECT_EQ(gun->rodzajStrzalu ? gun->rodzajStrzalu : "1", quoted(row[3]));
        ++perCategory[gun->category];
    }
    EXPECT_EQ(simulatorGunForEntry(0), nullptr);
    EXPECT_EQ(simulatorGunForEntry(23), nullptr);
    const std::map<std::string, int> expected{{"handgun", 9}, {"rifles", 4},      {"submachine", 3},
                                              {"shotgun", 3}, {"machineguns", 2}, {"sniper", 1}};
    EXPECT_EQ(perCategory, expected);
}

TEST(SimulatorGunTable, IdsWithoutARowFindNothing) {
    for (int id : {-1, 0, 1, 9, 13, 16, 17, 19, 25, 27, 31, 99}) {
        EXPECT_EQ(findSimulatorGun(id), nullptr) << id;
    }
}

TEST(SimulatorGunTable, ModeControlCoversTheWholeIdRange) {
    std::set<int> single{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 27, 28, 29};
    std::set<int> select{12, 13, 14, 15, 16, 18, 19, 20, 21, 22, 23, 24, 25, 26, 30};
    for (int id = -2; id <= 33; ++id) {
        const ModeControl expected = single.contains(id)   ? ModeControl::SingleOnly
                                     : select.contains(id) ? ModeControl::SelectFire
                                                           : ModeControl::Inactive;
        EXPECT_EQ(modeControlFor(id), expected) << id;
    }
    // The table's own fire modes agree with the mode control for every gun it has.
    for (const SimulatorGunConfig& gun : simulatorGuns()) {
        EXPECT_EQ(gun.fireModes == FireModes::SingleAndAutomatic,
                  modeControlFor(gun.id_gun) == ModeControl::SelectFire)
            << gun.id_gun;
    }
}

}  // namespace
