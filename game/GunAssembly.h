// The assembly tables: for each of the 29 guns of the assembly game its category, how many
// parts it has, where each part starts on the phone and the tablet, the scale its pictures are
// drawn at, and the ordered join rules that decide which drop is accepted. Plain data with no
// dependency: AssemblyBoard applies it, and the art generators draw the pictures it names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

constexpr int kSlotCount = 9;  // part slots 1 to 9; slot 1 is the base and never dragged

// A start origin in points, in the play screen's coordinates.
struct SlotOrigin {
    double x = 0;
    double y = 0;

    friend bool operator==(const SlotOrigin&, const SlotOrigin&) = default;
};

// One row of a gun's join rules: a drop of `dragged` (or of `orSlot`, when set) released inside
// slot `onto` fires when join flag `needs` is set (0: nothing needed) and join flag `excludes`
// is not (0: nothing excluded). It removes the dragged slot(s), gives the target `picture`
// (null: the target keeps its picture and frame) moved by `shift`, and sets join flag `sets`.
// The gun's final rule also needs the game to be armed and finishes it.
struct JoinRule {
    struct Dragged {
        int slot = 0;
        int orSlot = 0;  // 0 unless either of two slots may be dragged; both are removed
    };
    struct Shift {
        double dx = 0;
        double dy = 0;
    };

    Dragged dragged;
    int onto = 0;
    int needs = 0;
    int excludes = 0;
    const char* picture = nullptr;
    Shift shift;
    int sets = 0;
    bool isFinal = false;

    bool isDragged(int slot) const {
        return slot == dragged.slot || (dragged.orSlot != 0 && slot == dragged.orSlot);
    }
};

struct GunAssembly {
    int id_gun = 0;
    std::string category;                  // the cat_name of its results
    int position = 0;                      // its button in the category's gun selection
    int partCount = 0;                     // uses slots 1 to partCount
    double scale = 1;                      // pictures are drawn at this fraction of their size
    std::vector<SlotOrigin> phoneOrigins;  // start origin of slots 1 to partCount on the phone
    std::vector<JoinRule> rules;           // in evaluation order
    int keptWhereDropped = 0;              // a slot not sent back after a drop (0: none)

    // The rule that finishes the game, and the join flag it sets.
    const JoinRule& finalRule() const;
    int finalJoinFlag() const { return finalRule().sets; }
    // Start origin of `slot` (1 to partCount) on the phone or the tablet.
    SlotOrigin startOrigin(int slot, bool onTablet) const;
};

// Every gun, by ascending id (1 to 30 without 17).
const std::vector<GunAssembly>& allGunAssemblies();
// The gun with that id, or null (17, or outside 1 to 30).
const GunAssembly* findGunAssembly(int idGun);

// "%d_cz%d.png" on the phone, "%d_cz%d@2x.png" on the tablet.
std::string partPictureName(int idGun, int slot, bool onTablet);
// A picture of the tables as the device names it: "@2x" before ".png" on the tablet.
std::string devicePictureName(std::string_view phoneName, bool onTablet);
