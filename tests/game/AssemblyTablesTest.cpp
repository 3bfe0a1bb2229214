// The assembly tables as data: which guns exist, where they belong, their picture names and
// start origins, and the shape of every gun's rules.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "game/GunAssembly.h"

namespace {

TEST(AssemblyTables, TwentyNineGunsWithTheirCategoryAndButtonPosition) {
    // The gun selection's positions per category, first position first.
    const std::map<std::string, std::vector<int>> positions = {
        {"handgun", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {"submachine", {12, 13, 14, 15, 16}},
        {"rifles", {18, 19, 20, 21, 22}},
        {"machineguns", {23, 24, 25}},
        {"sniper", {27, 26}},
        {"shotgun", {29, 30, 28}},
    };
    int count = 0;
    for (const auto& [category, ids] : positions) {
        for (size_t i = 0; i < ids.size(); ++i) {
            const GunAssembly* gun = findGunAssembly(ids[i]);
            ASSERT_NE(gun, nullptr) << ids[i];
            EXPECT_EQ(gun->category, category) << ids[i];
            EXPECT_EQ(gun->position, static_cast<int>(i) + 1) << ids[i];
            ++count;
        }
    }
    EXPECT_EQ(count, 29);
    EXPECT_EQ(allGunAssemblies().size(), 29u);
    EXPECT_EQ(findGunAssembly(17), nullptr);
    EXPECT_EQ(findGunAssembly(0), nullptr);
    EXPECT_EQ(findGunAssembly(31), nullptr);
}

TEST(AssemblyTables, EveryGunHasConsistentPartsAndRules) {
    for (const GunAssembly& gun : allGunAssemblies()) {
        SCOPED_TRACE(gun.id_gun);
        EXPECT_GE(gun.partCount, 4);
        EXPECT_LE(gun.partCount, 9);
        EXPECT_EQ(gun.phoneOrigins.size(), static_cast<size_t>(gun.partCount));
        const bool naturalSize =
            gun.id_gun == 13 || gun.id_gun == 14 || gun.id_gun == 15 || gun.id_gun >= 18;
        EXPECT_EQ(gun.scale, naturalSize ? 1.0 : 0.6);

        ASSERT_FALSE(gun.rules.empty());
        int finals = 0;
        for (const JoinRule& rule : gun.rules) {
            finals += rule.isFinal ? 1 : 0;
            for (int slot : {rule.dragged.slot, rule.onto}) {
                EXPECT_GE(slot, 1);
                EXPECT_LE(slot, gun.partCount);
            }
            EXPECT_NE(rule.dragged.slot, 1);
            EXPECT_NE(rule.dragged.orSlot, 1);
            EXPECT_LT(rule.needs, rule.sets);
            // A join picture belongs to its own gun.
            if (rule.picture) {
                EXPECT_TRUE(std::string(rule.picture).starts_with(std::to_string(gun.id_gun) + "_"))
                    << rule.picture;
            }
        }
        EXPECT_EQ(finals, 1);
        EXPECT_TRUE(gun.rules.back().isFinal);
        // Flags are set in steps of one from 1 to the final flag, so every join is reachable.
        std::set<int> flags;
        for (const JoinRule& rule : gun.rules) {
            flags.insert(rule.sets);
        }
        EXPECT_EQ(static_cast<int>(flags.size()), gun.finalJoinFlag());
        EXPECT_EQ(*flags.rbegin(), gun.finalJoinFlag());
    }
}

TEST(AssemblyTables, TabletOriginsDoubleThePhoneOnesExceptTwoPartsOfGun13) {
    const bool tablet = true;
    const bool phone = false;
    const GunAssembly& gun13 = *findGunAssembly(13);
    EXPECT_EQ(gun13.startOrigin(6, tablet), (SlotOrigin{505, 174}));
    EXPECT_EQ(gun13.startOrigin(7, tablet), (SlotOrigin{329, 164}));
    EXPECT_EQ(gun13.startOrigin(6, phone), (SlotOrigin{188, 55}));
    for (const GunAssembly& gun : allGunAssemblies()) {
        for (int slot = 1; slot <= gun.partCount; ++slot) {
            if (gun.id_gun == 13 && (slot == 6 || slot == 7)) {
                continue;
            }
            const SlotOrigin p = gun.startOrigin(slot, phone);
            EXPECT_EQ(gun.startOrigin(slot, tablet), (SlotOrigin{2 * p.x + 29, 2 * p.y + 64}))
                << gun.id_gun << " slot " << slot;
        }
    }
}

TEST(AssemblyTables, PictureNamesPerDevice) {
    EXPECT_EQ(partPictureName(3, 1, false), "3_cz1.png");
    EXPECT_EQ(partPictureName(30, 9, true), "30_cz9@2x.png");
    EXPECT_EQ(devicePictureName("1_pol1.png", false), "1_pol1.png");
    EXPECT_EQ(devicePictureName("11_cz4.png", true), "11_cz4@2x.png");
}

}  // namespace
