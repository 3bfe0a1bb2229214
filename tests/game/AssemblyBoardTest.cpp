// The board: start layout, drop evaluation, return of loose parts and restore, on plain slots.
#include <gtest/gtest.h>

#include <cmath>

#include "game/AssemblyBoard.h"
#include "tests/game/FakePartSlots.h"

namespace {

class Board {
public:
    explicit Board(int idGun, DeviceProfile profile = DeviceProfile::phone())
        : board(idGun, profile, slots, [this] {
              ++finishes;
              board.setCzyFnishGame(false);
          }) {
        // Slots above the part count keep the frame the screen's layout gave them.
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            slots[slot].frame = {400, 10.0 * slot, 20, 20};
        }
        board.layOut();
    }

    // A finger that moved slot `dragged` releases at `point`, the part centred under it.
    void drag(int dragged, Point point) {
        board.resetujCzyPrzesuwana();
        board.setCzyPrzesuwanaCzesc(dragged);
        const Rect frame = slots[dragged].frame;
        slots[dragged].frame = {point.x - frame.width / 2, point.y - frame.height / 2, frame.width,
                                frame.height};
        board.dropAt(point);
    }
    void dragOnto(int dragged, int target) { drag(dragged, slots[target].frame.center()); }

    // Centred on its start centre, up to the rounding of frames to single precision.
    bool atStart(int slot) {
        const Point center = slots[slot].frame.center();
        const Point start = board.pozycjaCzesc(slot);
        return std::abs(center.x - start.x) < 1e-4 && std::abs(center.y - start.y) < 1e-4;
    }

    FakePartSlots slots;
    int finishes = 0;
    AssemblyBoard board;
};

// Every gun can be finished on both devices: each rule in turn (alternatives that set a flag
// already set are skipped) is performed with the visible one of its dragged slots, released at
// the centre of the target's current frame.
TEST(AssemblyBoard, EveryGunCanBeCompletedOnBothDevices) {
    for (DeviceProfile profile : {DeviceProfile::phone(), DeviceProfile::tablet()}) {
        for (const GunAssembly& gun : allGunAssemblies()) {
            SCOPED_TRACE(std::string(profile.name()) + " gun " + std::to_string(gun.id_gun));
            Board b(gun.id_gun, profile);
            for (const JoinRule& rule : gun.rules) {
                if (!rule.isFinal && b.board.czyPolaczono(rule.sets)) {
                    continue;
                }
                int dragged = rule.dragged.slot;
                if (b.slots[dragged].hidden && rule.dragged.orSlot != 0) {
                    dragged = rule.dragged.orSlot;
                }
                ASSERT_FALSE(b.slots[dragged].hidden) << "slot " << dragged;
                b.dragOnto(dragged, rule.onto);
                ASSERT_TRUE(b.board.czyPolaczono(rule.sets)) << "flag " << rule.sets;
                EXPECT_TRUE(b.slots[dragged].hidden);
                if (!rule.isFinal) {
                    EXPECT_EQ(b.finishes, 0);
                    for (int slot = 2; slot <= kSlotCount; ++slot) {
                        if (slot != gun.keptWhereDropped) {
                            EXPECT_TRUE(b.atStart(slot)) << "slot " << slot;
                        }
                    }
                }
            }
            EXPECT_EQ(b.finishes, 1);
            EXPECT_FALSE(b.board.czyFnishGame());
        }
    }
}

TEST(AssemblyBoard, LayoutPlacesScaledPartsAndHidesUnusedSlots) {
    Board b(4);  // five parts, pictures at 0.6
    for (int slot = 1; slot <= 5; ++slot) {
        EXPECT_FALSE(b.slots[slot].hidden);
        EXPECT_EQ(b.slots[slot].picture, "4_cz" + std::to_string(slot) + ".png");
    }
    const Size natural = FakePartSlots::sizeOf("4_cz2.png");
    const Rect frame = b.slots[2].frame;
    EXPECT_EQ(frame.x, 148);
    EXPECT_EQ(frame.y, 253);
    // Computed in double precision, stored as float.
    EXPECT_EQ(frame.width, static_cast<double>(static_cast<float>(natural.width * 0.6)));
    EXPECT_EQ(frame.height, static_cast<double>(static_cast<float>(natural.height * 0.6)));
    for (int slot = 6; slot <= 9; ++slot) {
        EXPECT_TRUE(b.slots[slot].hidden);
        EXPECT_EQ(b.slots[slot].frame, (Rect{400, 10.0 * slot, 20, 20}));
        EXPECT_EQ(b.board.wymiaryPoczatkoweCzesc(slot), b.slots[slot].frame);
    }
    EXPECT_EQ(b.board.pozycjaCzesc(2), frame.center());
    EXPECT_TRUE(b.board.czyFnishGame());

    Board tablet(13, DeviceProfile::tablet());
    EXPECT_EQ(tablet.slots[6].frame.origin(), (Point{505, 174}));
    EXPECT_EQ(tablet.slots[7].frame.origin(), (Point{329, 164}));
    EXPECT_EQ(tablet.slots[2].frame.origin(), (Point{2 * 241 + 29, 2 * 196 + 64}));
    EXPECT_EQ(tablet.slots[2].picture, "13_cz2@2x.png");
}

TEST(AssemblyBoard, AJoinNeedsItsEarlierJoin) {
    Board b(1);
    b.dragOnto(3, 4);  // flag 1 is not set yet
    EXPECT_FALSE(b.board.czyPolaczono(2));
    EXPECT_FALSE(b.slots[3].hidden);
    EXPECT_TRUE(b.atStart(3));
    EXPECT_EQ(b.slots[4].picture, "1_cz4.png");
}

TEST(AssemblyBoard, EitherOfTwoPartsMayReceiveTheOtherAndTheNextRuleRemovesBoth) {
    for (bool threeOntoFour : {true, false}) {
        Board b(1);
        b.dragOnto(2, 5);
        ASSERT_TRUE(b.board.czyPolaczono(1));
        const int dragged = threeOntoFour ? 3 : 4;
        const int target = threeOntoFour ? 4 : 3;
        b.dragOnto(dragged, target);
        EXPECT_TRUE(b.board.czyPolaczono(2));
        EXPECT_EQ(b.slots[target].picture, "1_pol2.png");
        EXPECT_TRUE(b.slots[dragged].hidden);
        // The grown part goes onto part 5: both slots are removed.
        b.dragOnto(target, 5);
        EXPECT_TRUE(b.board.czyPolaczono(3));
        EXPECT_TRUE(b.slots[3].hidden);
        EXPECT_TRUE(b.slots[4].hidden);
        EXPECT_EQ(b.slots[5].picture, "1_pol1.png");
    }
}

TEST(AssemblyBoard, AGrownPartDroppedOnTheHiddenPartItAbsorbedFiresTheMirrorRule) {
    Board b(1);
    b.dragOnto(2, 5);
    b.dragOnto(3, 4);
    // Part 3 is hidden but back at its start frame; part 4 dropped there.
    b.drag(4, b.board.wymiaryPoczatkoweCzesc(3).center());
    EXPECT_TRUE(b.slots[4].hidden);
    EXPECT_TRUE(b.slots[3].hidden);
    EXPECT_EQ(b.slots[3].picture, "1_pol2.png");
    // Neither can be touched now; a release on part 5 with part 4's drag flag still set joins.
    b.board.dropAt(b.slots[5].frame.center());
    EXPECT_TRUE(b.board.czyPolaczono(3));
}

TEST(AssemblyBoard, NoChangeRulesRemoveThePartAndLeaveTheTarget) {
    for (int id : {4, 8}) {
        Board b(id);
        const int target = id == 4 ? 4 : 5;
        const Rect before = b.slots[target].frame;
        b.dragOnto(2, target);
        EXPECT_TRUE(b.board.czyPolaczono(1));
        EXPECT_TRUE(b.slots[2].hidden);
        EXPECT_EQ(b.slots[target].picture,
                  std::to_string(id) + "_cz" + std::to_string(target) + ".png");
        EXPECT_EQ(b.slots[target].frame, before);
    }
}

TEST(AssemblyBoard, ShiftsMoveTheTargetAndTheExcludedFlagStopsARepeat) {
    Board b(2);
    b.dragOnto(2, 7);
    b.dragOnto(3, 4);
    b.dragOnto(4, 7);
    b.dragOnto(6, 7);
    ASSERT_TRUE(b.board.czyPolaczono(4));
    const Rect base = b.slots[1].frame;
    b.dragOnto(7, 1);
    ASSERT_TRUE(b.board.czyPolaczono(5));
    EXPECT_EQ(b.slots[1].picture, "2_pol5.png");
    EXPECT_EQ(b.slots[1].frame.origin(), (Point{base.x, base.y - 35}));
    EXPECT_EQ(
        b.slots[1].frame.width,
        static_cast<double>(static_cast<float>(FakePartSlots::sizeOf("2_pol5.png").width * 0.6)));
    // Slot 7 is hidden but back at its start; dropping it on the base again does nothing.
    b.slots[7].hidden = false;
    const Rect grown = b.slots[1].frame;
    b.dragOnto(7, 1);
    EXPECT_EQ(b.slots[1].frame, grown);
    EXPECT_EQ(b.slots[1].picture, "2_pol5.png");
}

TEST(AssemblyBoard, TheTargetRectangleHoldsItsLeftAndTopEdgesOnly) {
    const auto joinsAt = [](double fx, double fy) {
        Board b(6);
        const Rect base = b.slots[1].frame;
        b.drag(3, {base.x + fx * base.width, base.y + fy * base.height});
        return b.board.czyPolaczono(1);
    };
    EXPECT_TRUE(joinsAt(0, 0));
    EXPECT_TRUE(joinsAt(0, 0.5));
    EXPECT_TRUE(joinsAt(0.5, 0));
    EXPECT_FALSE(joinsAt(1, 0.5));
    EXPECT_FALSE(joinsAt(0.5, 1));
}

TEST(AssemblyBoard, TheFinishRunsOnceAndPartsStayWhereTheyAreAfterIt) {
    Board b(10);
    b.dragOnto(2, 4);
    b.dragOnto(4, 1);
    b.dragOnto(3, 1);
    ASSERT_EQ(b.finishes, 1);
    // A later drop fires nothing and returns nothing.
    b.slots[3].hidden = false;
    b.drag(3, {5, 5});
    EXPECT_EQ(b.slots[3].frame.center(), (Point{5, 5}));
    b.dragOnto(3, 1);
    EXPECT_EQ(b.finishes, 1);
    // Re-armed (as the play screen's reset does) the final rule still needs its flag clear.
    b.board.setCzyFnishGame(true);
    b.dragOnto(3, 1);
    EXPECT_EQ(b.finishes, 1);
}

TEST(AssemblyBoard, AReleaseWithoutMoveReusesTheLastDragFlags) {
    Board b(6);
    b.dragOnto(3, 1);
    b.dragOnto(2, 1);
    ASSERT_TRUE(b.board.czyPolaczono(2));
    const Rect shifted = b.slots[1].frame;
    // Slot 2's drag flag is still set: a tap on the base fires its rule, and its shift, again.
    b.board.dropAt(b.slots[1].frame.center());
    EXPECT_EQ(b.slots[1].frame.x, shifted.x + 80);
    EXPECT_FALSE(b.board.czyPolaczono(3));
}

TEST(AssemblyBoard, Gun26LeavesPart4WhereItWasDropped) {
    Board b(26);
    b.drag(4, {200, 150});
    EXPECT_EQ(b.slots[4].frame.center(), (Point{200, 150}));
    b.drag(5, {210, 160});
    EXPECT_TRUE(b.atStart(5));
    EXPECT_EQ(b.slots[4].frame.center(), (Point{200, 150}));
    EXPECT_FALSE(b.board.czyPolaczono(1));
}

TEST(AssemblyBoard, RestoreGivesBackTheStartBoard) {
    Board b(4);
    b.dragOnto(2, 4);
    b.dragOnto(4, 1);
    ASSERT_TRUE(b.board.czyPolaczono(2));
    b.board.setCzyFnishGame(false);
    b.board.restore();
    EXPECT_TRUE(b.board.czyFnishGame());
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        EXPECT_FALSE(b.board.czyPolaczono(slot));
        EXPECT_EQ(b.slots[slot].frame, b.board.wymiaryPoczatkoweCzesc(slot));
        EXPECT_EQ(b.slots[slot].picture, "4_cz" + std::to_string(slot) + ".png");
        if (slot >= 2) {
            EXPECT_FALSE(b.slots[slot].hidden) << slot;
        }
    }
}

TEST(AssemblyBoard, AGunWithoutDataIgnoresDrops) {
    Board b(17);
    b.board.resetujCzyPrzesuwana();
    b.board.setCzyPrzesuwanaCzesc(2);
    const Rect before = b.slots[2].frame;
    b.slots[2].frame = {0, 0, before.width, before.height};
    b.board.dropAt({1, 1});
    EXPECT_EQ(b.slots[2].frame.origin(), (Point{0, 0}));
    EXPECT_TRUE(b.slots[4].hidden);
}

}  // namespace
