// The assembly tables held against fixed data: every gun's category, button position, part
// count, picture scale and phone start origins, and every join rule in evaluation order with
// all of its fields. The data below is written out by hand from the game's design tables, not
// taken from the program's own table, so a swapped rule, a wrong shift or a lost exclusion fails
// here even where a game played through the program's own rules would still finish.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/GunAssembly.h"

namespace {

struct PinnedGun {
    int id;
    const char* category;
    int position;
    int parts;
    double scale;
    std::vector<SlotOrigin> phoneOrigins;
};

struct PinnedRule {
    int gun;
    int number;  // 1-based, in evaluation order
    JoinRule::Dragged dragged;
    int onto;
    int needs;
    int excludes;
    const char* picture;  // null: the target keeps its picture and frame
    JoinRule::Shift shift;
    int sets;
    bool isFinal;
};

// clang-format off
const std::vector<PinnedGun> kGuns = {
    {1, "handgun", 1, 6, 0.6, {{134, 72}, {294, 36}, {304, 234}, {77, 53}, {39, 220}, {20, 89}}},
    {2, "handgun", 2, 8, 0.6, {{128, 131}, {315, 181}, {333, 131}, {100, 199}, {45, 158}, {49, 226}, {130, 60}, {45, 43}}},
    {3, "handgun", 3, 6, 0.6, {{242, 79}, {210, 163}, {304, 234}, {112, 122}, {57, 195}, {23, 57}}},
    {4, "handgun", 4, 5, 0.6, {{163, 84}, {148, 253}, {324, 216}, {92, 191}, {64, 48}}},
    {5, "handgun", 5, 6, 0.6, {{105, 128}, {148, 255}, {324, 216}, {92, 191}, {64, 48}, {344, 84}}},
    {6, "handgun", 6, 4, 0.6, {{44, 63}, {266, 102}, {324, 196}, {50, 160}}},
    {7, "handgun", 7, 6, 0.6, {{150, 91}, {315, 158}, {380, 219}, {392, 70}, {17, 53}, {42, 120}}},
    {8, "handgun", 8, 6, 0.6, {{100, 130}, {334, 163}, {81, 60}, {91, 251}, {254, 51}, {2, 110}}},
    {9, "handgun", 9, 6, 0.6, {{141, 101}, {325, 238}, {76, 79}, {346, 147}, {254, 47}, {34, 103}}},
    {10, "handgun", 10, 4, 0.6, {{145, 70}, {316, 147}, {56, 60}, {91, 220}}},
    {11, "handgun", 11, 6, 0.6, {{109, 92}, {348, 158}, {81, 57}, {18, 218}, {20, 120}, {320, 73}}},
    {12, "submachine", 1, 6, 0.6, {{131, 85}, {336, 185}, {405, 90}, {27, 60}, {35, 147}, {162, 216}}},
    {13, "submachine", 2, 8, 1, {{53, 115}, {241, 196}, {367, 171}, {115, 236}, {30, 79}, {188, 55}, {100, 50}, {25, 144}}},
    {14, "submachine", 3, 5, 1, {{60, 115}, {335, 185}, {435, 52}, {88, 66}, {11, 169}}},
    {15, "submachine", 4, 6, 1, {{135, 114}, {126, 44}, {295, 131}, {175, 246}, {50, 226}, {23, 61}}},
    {16, "submachine", 5, 7, 0.6, {{220, 150}, {320, 42}, {12, 147}, {188, 77}, {35, 206}, {51, 60}, {300, 136}}},
    {18, "rifles", 1, 9, 1, {{80, 120}, {20, 166}, {260, 70}, {100, 100}, {310, 210}, {110, 230}, {90, 70}, {338, 185}, {30, 110}}},
    {19, "rifles", 2, 6, 1, {{55, 120}, {30, 176}, {60, 60}, {236, 30}, {90, 210}, {290, 186}}},
    {20, "rifles", 3, 7, 1, {{80, 120}, {20, 166}, {244, 204}, {90, 50}, {310, 200}, {110, 230}, {350, 60}}},
    {21, "rifles", 4, 6, 1, {{100, 120}, {20, 166}, {50, 50}, {215, 50}, {310, 200}, {110, 230}}},
    {22, "rifles", 5, 9, 1, {{80, 120}, {30, 188}, {260, 55}, {38, 100}, {25, 25}, {38, 66}, {90, 58}, {160, 100}, {409, 148}}},
    {23, "machineguns", 1, 6, 1, {{20, 120}, {315, 208}, {222, 55}, {88, 100}, {25, 44}, {38, 66}}},
    {24, "machineguns", 2, 9, 1, {{110, 120}, {40, 148}, {310, 184}, {35, 100}, {366, 80}, {50, 50}, {210, 20}, {160, 100}, {140, 190}}},
    {25, "machineguns", 3, 8, 1, {{110, 120}, {140, 188}, {290, 194}, {33, 90}, {295, 89}, {55, 222}, {90, 44}, {140, 77}}},
    {26, "sniper", 2, 9, 1, {{25, 120}, {140, 188}, {290, 194}, {33, 90}, {295, 89}, {55, 222}, {90, 44}, {260, 77}, {330, 210}}},
    {27, "sniper", 1, 6, 1, {{59, 120}, {140, 188}, {266, 219}, {50, 66}, {195, 89}, {55, 235}}},
    {28, "shotgun", 3, 6, 1, {{50, 120}, {129, 188}, {330, 240}, {70, 80}, {308, 89}, {55, 222}}},
    {29, "shotgun", 1, 5, 1, {{34, 120}, {140, 230}, {290, 194}, {33, 90}, {350, 36}}},
    {30, "shotgun", 2, 6, 1, {{110, 120}, {40, 188}, {240, 194}, {33, 90}, {350, 48}, {205, 50}}},
};
const std::vector<PinnedRule> kRules = {
    {1, 1, {2, 0}, 5, 0, 0, "1_pol1.png", {0, 0}, 1, false},
    {1, 2, {3, 0}, 4, 1, 0, "1_pol2.png", {0, 0}, 2, false},
    {1, 3, {4, 0}, 3, 1, 0, "1_pol2.png", {0, 0}, 2, false},
    {1, 4, {4, 3}, 5, 2, 0, "1_pol1.png", {0, 0}, 3, false},
    {1, 5, {5, 0}, 1, 3, 0, "1_pol3.png", {0, 0}, 4, false},
    {1, 6, {6, 0}, 1, 4, 0, "1_pol3.png", {0, 0}, 5, true},
    {2, 1, {2, 0}, 7, 0, 0, "2_pol1.png", {0, 0}, 1, false},
    {2, 2, {3, 0}, 4, 1, 0, "2_pol2.png", {0, 0}, 2, false},
    {2, 3, {4, 0}, 3, 1, 0, "2_pol2.png", {0, 0}, 2, false},
    {2, 4, {4, 3}, 7, 2, 0, "2_pol3.png", {0, 0}, 3, false},
    {2, 5, {6, 0}, 7, 3, 0, "2_pol4.png", {0, 0}, 4, false},
    {2, 6, {7, 0}, 1, 4, 5, "2_pol5.png", {0, -35}, 5, false},
    {2, 7, {5, 0}, 1, 5, 6, "2_pol6.png", {0, 0}, 6, false},
    {2, 8, {8, 0}, 1, 6, 0, "2_pol6.png", {0, 0}, 7, true},
    {3, 1, {2, 0}, 5, 0, 0, "3_pol1.png", {0, 0}, 1, false},
    {3, 2, {4, 0}, 3, 1, 0, "3_pol2.png", {0, 0}, 2, false},
    {3, 3, {3, 0}, 4, 1, 0, "3_pol2.png", {0, 0}, 2, false},
    {3, 4, {3, 4}, 5, 2, 0, "3_pol3.png", {0, 0}, 3, false},
    {3, 5, {5, 0}, 1, 3, 0, "3_pol4.png", {-100, +5}, 4, false},
    {3, 6, {6, 0}, 1, 4, 0, "3_pol4.png", {0, 0}, 5, true},
    {4, 1, {2, 0}, 4, 0, 0, nullptr, {0, 0}, 1, false},
    {4, 2, {4, 0}, 1, 1, 0, "4_pol1.png", {0, 0}, 2, false},
    {4, 3, {3, 0}, 1, 2, 0, "4_pol2.png", {0, 0}, 3, false},
    {4, 4, {5, 0}, 1, 3, 0, "4_pol2.png", {0, 0}, 4, true},
    {5, 1, {2, 0}, 5, 0, 0, "5_pol1.png", {0, 0}, 1, false},
    {5, 2, {3, 0}, 4, 1, 0, "5_pol2.png", {0, 0}, 2, false},
    {5, 3, {4, 0}, 3, 1, 0, "5_pol2.png", {0, 0}, 2, false},
    {5, 4, {4, 3}, 5, 2, 0, "5_pol3.png", {0, 0}, 3, false},
    {5, 5, {5, 0}, 1, 3, 0, "5_pol4.png", {0, -30}, 4, false},
    {5, 6, {6, 0}, 1, 4, 0, "5_pol4.png", {0, 0}, 5, true},
    {6, 1, {3, 0}, 1, 0, 0, "6_pol1.png", {0, 0}, 1, false},
    {6, 2, {2, 0}, 1, 1, 0, "6_pol2.png", {+80, 0}, 2, false},
    {6, 3, {4, 0}, 1, 2, 0, "6_pol2.png", {0, 0}, 3, true},
    {7, 1, {2, 0}, 5, 0, 0, "7_pol1.png", {0, 0}, 1, false},
    {7, 2, {3, 0}, 5, 1, 0, "7_pol2.png", {0, 0}, 2, false},
    {7, 3, {5, 0}, 1, 2, 0, "7_pol3.png", {-40, 0}, 3, false},
    {7, 4, {6, 0}, 1, 3, 0, "7_pol4.png", {0, 0}, 4, false},
    {7, 5, {4, 0}, 1, 4, 0, "7_pol5.png", {0, 0}, 5, true},
    {8, 1, {2, 0}, 5, 0, 0, nullptr, {0, 0}, 1, false},
    {8, 2, {4, 0}, 5, 1, 0, "8_pol1.png", {0, 0}, 2, false},
    {8, 3, {5, 0}, 1, 2, 0, "8_pol2.png", {0, -40}, 3, false},
    {8, 4, {3, 0}, 1, 3, 0, "8_pol3.png", {0, 0}, 4, false},
    {8, 5, {6, 0}, 1, 4, 0, "8_pol3.png", {0, 0}, 5, true},
    {9, 1, {2, 0}, 5, 0, 0, "9_pol1.png", {0, 0}, 1, false},
    {9, 2, {3, 0}, 4, 1, 0, "9_pol2.png", {0, 0}, 2, false},
    {9, 3, {4, 0}, 3, 1, 0, "9_pol2.png", {0, 0}, 2, false},
    {9, 4, {4, 3}, 5, 2, 0, "9_pol3.png", {0, 0}, 3, false},
    {9, 5, {5, 0}, 1, 3, 0, "9_pol4.png", {-40, -35}, 4, false},
    {9, 6, {6, 0}, 1, 4, 0, "9_pol4.png", {0, 0}, 5, true},
    {10, 1, {2, 0}, 4, 0, 0, "10_pol1.png", {0, 0}, 1, false},
    {10, 2, {4, 0}, 1, 1, 0, "10_pol2.png", {0, 0}, 2, false},
    {10, 3, {3, 0}, 1, 2, 0, "10_pol2.png", {0, 0}, 3, true},
    {11, 1, {3, 0}, 4, 0, 0, "11_cz4.png", {0, 0}, 1, false},
    {11, 2, {6, 0}, 2, 1, 0, "11_pol1.png", {0, 0}, 2, false},
    {11, 3, {2, 0}, 6, 1, 0, "11_pol1.png", {0, 0}, 2, false},
    {11, 4, {2, 6}, 4, 2, 0, "11_cz4.png", {0, 0}, 3, false},
    {11, 5, {4, 0}, 1, 3, 0, "11_pol2.png", {0, 0}, 4, false},
    {11, 6, {5, 0}, 1, 4, 0, "11_pol2.png", {0, 0}, 5, true},
    {12, 1, {2, 0}, 1, 0, 0, "12_cz1.png", {0, 0}, 1, false},
    {12, 2, {3, 0}, 1, 1, 0, "12_cz1.png", {0, 0}, 2, false},
    {12, 3, {4, 0}, 1, 2, 0, "12_cz1.png", {0, 0}, 3, false},
    {12, 4, {5, 0}, 1, 3, 0, "12_pol1.png", {0, 0}, 4, false},
    {12, 5, {6, 0}, 1, 4, 0, "12_pol2.png", {0, 0}, 5, true},
    {13, 1, {3, 0}, 1, 0, 0, "13_pol1.png", {0, 0}, 1, false},
    {13, 2, {2, 0}, 1, 1, 0, "13_pol2.png", {0, 0}, 2, false},
    {13, 3, {5, 0}, 1, 2, 0, "13_pol3.png", {0, 0}, 3, false},
    {13, 4, {6, 0}, 4, 3, 0, "13_pol4.png", {0, 0}, 4, false},
    {13, 5, {4, 0}, 6, 3, 0, "13_pol4.png", {0, 0}, 4, false},
    {13, 6, {4, 6}, 1, 4, 0, "13_pol5.png", {0, 0}, 5, false},
    {13, 7, {7, 0}, 1, 5, 0, "13_pol6.png", {0, 0}, 6, false},
    {13, 8, {8, 0}, 1, 6, 0, "13_pol7.png", {-28, 0}, 7, true},
    {14, 1, {2, 0}, 1, 0, 0, "14_pol1.png", {0, 0}, 1, false},
    {14, 2, {4, 0}, 1, 1, 0, "14_pol1.png", {0, 0}, 2, false},
    {14, 3, {5, 0}, 1, 2, 0, "14_pol2.png", {-30, -30}, 3, false},
    {14, 4, {3, 0}, 1, 3, 0, "14_pol3.png", {0, 0}, 4, true},
    {15, 1, {5, 0}, 2, 0, 0, "15_pol1.png", {0, 0}, 1, false},
    {15, 2, {4, 0}, 2, 1, 0, "15_pol1.png", {0, 0}, 2, false},
    {15, 3, {2, 0}, 1, 2, 0, "15_pol2.png", {-54, 0}, 3, false},
    {15, 4, {3, 0}, 1, 3, 0, "15_pol3.png", {0, 0}, 4, false},
    {15, 5, {6, 0}, 1, 4, 0, "15_pol4.png", {-53, -40}, 5, true},
    {16, 1, {2, 0}, 1, 0, 0, "16_pol1.png", {0, 0}, 1, false},
    {16, 2, {7, 0}, 1, 1, 0, "16_pol2.png", {-30, -28}, 2, false},
    {16, 3, {5, 0}, 1, 2, 0, "16_pol2.png", {0, 0}, 3, false},
    {16, 4, {4, 0}, 1, 3, 0, "16_pol2.png", {0, 0}, 4, false},
    {16, 5, {3, 0}, 1, 4, 0, "16_pol3.png", {-50, 0}, 5, false},
    {16, 6, {6, 0}, 1, 5, 0, "16_pol4.png", {0, 0}, 6, true},
    {18, 1, {3, 0}, 1, 0, 0, "18_pol1.png", {0, 0}, 1, false},
    {18, 2, {5, 0}, 1, 1, 0, "18_pol2.png", {0, 0}, 2, false},
    {18, 3, {7, 0}, 6, 2, 0, "18_pol3.png", {0, 0}, 3, false},
    {18, 4, {6, 0}, 7, 2, 0, "18_pol3.png", {0, 0}, 3, false},
    {18, 5, {6, 7}, 1, 3, 0, "18_pol4.png", {0, 0}, 4, false},
    {18, 6, {8, 0}, 1, 4, 0, "18_pol5.png", {0, 0}, 5, false},
    {18, 7, {9, 0}, 1, 5, 0, "18_pol6.png", {0, 0}, 6, false},
    {18, 8, {4, 0}, 1, 6, 0, "18_pol7.png", {0, 0}, 7, false},
    {18, 9, {2, 0}, 1, 7, 0, "18_pol8.png", {-30, 0}, 8, true},
    {19, 1, {5, 0}, 4, 0, 0, "19_cz4.png", {0, 0}, 1, false},
    {19, 2, {2, 0}, 1, 1, 0, "19_pol1.png", {0, 0}, 2, false},
    {19, 3, {4, 0}, 1, 2, 0, "19_pol2.png", {0, 0}, 3, false},
    {19, 4, {3, 0}, 1, 3, 0, "19_pol3.png", {0, -30}, 4, false},
    {19, 5, {6, 0}, 1, 4, 0, "19_pol4.png", {0, 0}, 5, true},
    {20, 1, {7, 0}, 1, 0, 0, "20_pol1.png", {0, 0}, 1, false},
    {20, 2, {6, 0}, 1, 1, 0, "20_pol2.png", {0, 0}, 2, false},
    {20, 3, {5, 0}, 4, 2, 0, "20_pol3.png", {0, 0}, 3, false},
    {20, 4, {2, 0}, 4, 3, 0, "20_cz4.png", {0, 0}, 4, false},
    {20, 5, {4, 0}, 1, 4, 0, "20_pol4.png", {-40, 0}, 5, false},
    {20, 6, {3, 0}, 1, 5, 0, "20_pol5.png", {0, 0}, 6, true},
    {21, 1, {2, 0}, 1, 0, 0, "21_cz1.png", {0, 0}, 1, false},
    {21, 2, {6, 0}, 1, 1, 0, "21_pol1.png", {0, 0}, 2, false},
    {21, 3, {5, 0}, 1, 2, 0, "21_pol2.png", {0, 0}, 3, false},
    {21, 4, {4, 0}, 1, 3, 0, "21_pol3.png", {-40, -30}, 4, false},
    {21, 5, {3, 0}, 1, 4, 0, "21_pol4.png", {0, 0}, 5, true},
    {22, 1, {4, 0}, 3, 0, 0, "22_pol1.png", {0, 0}, 1, false},
    {22, 2, {3, 0}, 4, 0, 0, "22_pol1.png", {0, 0}, 1, false},
    {22, 3, {3, 4}, 1, 1, 0, "22_cz1.png", {0, 0}, 2, false},
    {22, 4, {7, 0}, 1, 2, 0, "22_pol2.png", {0, 0}, 3, false},
    {22, 5, {6, 0}, 1, 3, 0, "22_pol3.png", {0, 0}, 4, false},
    {22, 6, {8, 0}, 1, 4, 0, "22_pol5.png", {-45, 0}, 5, false},
    {22, 7, {2, 0}, 1, 5, 0, "22_pol6.png", {0, 0}, 6, false},
    {22, 8, {9, 0}, 1, 6, 0, "22_pol7.png", {0, 0}, 7, true},
    {23, 1, {3, 0}, 1, 0, 0, "23_cz1.png", {0, 0}, 1, false},
    {23, 2, {4, 0}, 5, 1, 0, "23_pol1.png", {0, 0}, 2, false},
    {23, 3, {5, 0}, 4, 1, 0, "23_pol1.png", {0, 0}, 2, false},
    {23, 4, {5, 4}, 1, 2, 0, "23_cz1.png", {0, 0}, 3, false},
    {23, 5, {2, 0}, 1, 3, 0, "23_pol2.png", {0, 0}, 4, false},
    {23, 6, {6, 0}, 1, 4, 0, "23_pol3.png", {0, 0}, 5, true},
    {24, 1, {6, 0}, 1, 0, 0, "24_pol1.png", {0, 0}, 1, false},
    {24, 2, {2, 0}, 1, 1, 0, "24_pol2.png", {0, 0}, 2, false},
    {24, 3, {9, 0}, 1, 2, 0, "24_pol3.png", {0, 0}, 3, false},
    {24, 4, {5, 0}, 1, 3, 0, "24_pol4.png", {0, 0}, 4, false},
    {24, 5, {3, 0}, 1, 4, 0, "24_pol4.png", {0, 0}, 5, false},
    {24, 6, {4, 0}, 8, 5, 0, "24_pol5.png", {0, 0}, 6, false},
    {24, 7, {8, 0}, 4, 5, 0, "24_pol5.png", {0, 0}, 6, false},
    {24, 8, {8, 4}, 1, 6, 0, "24_pol4.png", {-60, -15}, 7, false},
    {24, 9, {7, 0}, 1, 7, 0, "24_pol6.png", {0, 0}, 8, true},
    {25, 1, {5, 0}, 1, 0, 0, "25_cz1.png", {0, 0}, 1, false},
    {25, 2, {7, 0}, 1, 1, 0, "25_cz1.png", {0, 0}, 2, false},
    {25, 3, {4, 0}, 1, 2, 0, "25_pol1.png", {0, 0}, 3, false},
    {25, 4, {8, 0}, 2, 3, 0, "25_pol2.png", {-70, -15}, 4, false},
    {25, 5, {2, 0}, 8, 3, 0, "25_pol2.png", {-70, -15}, 4, false},
    {25, 6, {2, 8}, 1, 4, 0, "25_pol3.png", {-70, 0}, 5, false},
    {25, 7, {6, 0}, 1, 5, 0, "25_pol4.png", {-30, 0}, 6, false},
    {25, 8, {3, 0}, 1, 6, 0, "25_pol5.png", {0, 0}, 7, true},
    {26, 1, {8, 0}, 1, 0, 0, "26_pol2.png", {0, 0}, 1, false},
    {26, 2, {2, 0}, 1, 1, 0, "26_pol3.png", {0, 0}, 2, false},
    {26, 3, {3, 0}, 1, 2, 0, "26_pol5.png", {0, 0}, 3, false},
    {26, 4, {9, 0}, 1, 3, 0, "26_pol6.png", {0, 0}, 4, false},
    {26, 5, {7, 0}, 1, 4, 0, "26_pol7.png", {0, 0}, 5, false},
    {26, 6, {6, 0}, 1, 5, 0, "26_pol8.png", {0, 0}, 6, true},
    {27, 1, {3, 0}, 1, 0, 0, "27_cz1.png", {0, 0}, 1, false},
    {27, 2, {5, 0}, 1, 1, 0, "27_pol1.png", {-40, 0}, 2, false},
    {27, 3, {6, 0}, 1, 2, 0, "27_pol2.png", {0, 0}, 3, false},
    {27, 4, {2, 0}, 1, 3, 0, "27_pol3.png", {0, 0}, 4, false},
    {27, 5, {4, 0}, 1, 4, 0, "27_pol4.png", {0, 0}, 5, true},
    {28, 1, {5, 0}, 1, 0, 0, "28_cz1.png", {0, 0}, 1, false},
    {28, 2, {6, 0}, 1, 1, 0, "28_cz1.png", {0, 0}, 2, false},
    {28, 3, {4, 0}, 1, 2, 0, "28_pol1.png", {0, 0}, 3, false},
    {28, 4, {3, 0}, 1, 3, 0, "28_pol2.png", {0, 0}, 4, false},
    {28, 5, {2, 0}, 1, 4, 0, "28_pol3.png", {-52, 0}, 5, true},
    {29, 1, {2, 0}, 1, 0, 0, "29_pol1.png", {0, 0}, 1, false},
    {29, 2, {3, 0}, 1, 1, 0, "29_pol2.png", {0, 0}, 2, false},
    {29, 3, {4, 0}, 1, 2, 0, "29_pol3.png", {0, 0}, 3, false},
    {29, 4, {5, 0}, 1, 3, 0, "29_pol4.png", {0, 0}, 4, true},
    {30, 1, {4, 0}, 3, 0, 0, "30_pol1.png", {0, 0}, 1, false},
    {30, 2, {3, 0}, 1, 1, 0, "30_pol2.png", {-62, 0}, 2, false},
    {30, 3, {5, 0}, 1, 2, 0, "30_pol3.png", {0, 0}, 3, false},
    {30, 4, {2, 0}, 1, 3, 0, "30_pol4.png", {0, 0}, 4, false},
    {30, 5, {6, 0}, 1, 4, 0, "30_pol5.png", {0, 0}, 5, true},
};
// clang-format on

std::string pictureText(const char* picture) {
    return picture ? picture : "(no change)";
}

TEST(AssemblyTableData, EveryGunMatchesItsPinnedRow) {
    ASSERT_EQ(allGunAssemblies().size(), kGuns.size());
    for (const PinnedGun& pinned : kGuns) {
        SCOPED_TRACE("gun " + std::to_string(pinned.id));
        const GunAssembly* gun = findGunAssembly(pinned.id);
        ASSERT_NE(gun, nullptr);
        EXPECT_EQ(gun->category, pinned.category);
        EXPECT_EQ(gun->position, pinned.position);
        EXPECT_EQ(gun->partCount, pinned.parts);
        EXPECT_EQ(gun->scale, pinned.scale);
        EXPECT_EQ(gun->phoneOrigins, pinned.phoneOrigins);
    }
}

TEST(AssemblyTableData, EveryRuleMatchesItsPinnedRowInOrder) {
    for (const PinnedGun& pinned : kGuns) {
        const GunAssembly& gun = *findGunAssembly(pinned.id);
        std::vector<const PinnedRule*> expected;
        for (const PinnedRule& rule : kRules) {
            if (rule.gun == pinned.id) {
                expected.push_back(&rule);
            }
        }
        ASSERT_EQ(gun.rules.size(), expected.size()) << "gun " << pinned.id;
        for (size_t i = 0; i < expected.size(); ++i) {
            const PinnedRule& want = *expected[i];
            const JoinRule& rule = gun.rules[i];
            SCOPED_TRACE("gun " + std::to_string(want.gun) + " rule " +
                         std::to_string(want.number));
            EXPECT_EQ(rule.dragged.slot, want.dragged.slot);
            EXPECT_EQ(rule.dragged.orSlot, want.dragged.orSlot);
            EXPECT_EQ(rule.onto, want.onto);
            EXPECT_EQ(rule.needs, want.needs);
            EXPECT_EQ(rule.excludes, want.excludes);
            EXPECT_EQ(pictureText(rule.picture), pictureText(want.picture));
            EXPECT_EQ(rule.shift.dx, want.shift.dx);
            EXPECT_EQ(rule.shift.dy, want.shift.dy);
            EXPECT_EQ(rule.sets, want.sets);
            EXPECT_EQ(rule.isFinal, want.isFinal);
        }
    }
}

TEST(AssemblyTableData, OnlyGun26KeepsAPartWhereItWasDropped) {
    for (const GunAssembly& gun : allGunAssemblies()) {
        EXPECT_EQ(gun.keptWhereDropped, gun.id_gun == 26 ? 4 : 0) << "gun " << gun.id_gun;
    }
}

}  // namespace
