// Nine slots held as plain values, for testing the board without views. Every picture that
// exists has a size derived from its name, so that different pictures have different sizes;
// names listed as missing have none.
#pragma once

#include <array>
#include <set>
#include <string>

#include "game/AssemblyBoard.h"

struct FakeSlot {
    Rect frame;
    bool hidden = false;
    std::string picture;
};

class FakePartSlots : public PartSlots {
public:
    std::array<FakeSlot, kSlotCount + 1> slots;  // index 0 unused
    std::set<std::string> missingPictures;

    FakeSlot& operator[](int slot) { return slots.at(static_cast<size_t>(slot)); }

    Rect slotFrame(int slot) const override { return slots.at(static_cast<size_t>(slot)).frame; }
    void setSlotFrame(int slot, Rect frame) override { (*this)[slot].frame = frame; }
    void setSlotHidden(int slot, bool hidden) override { (*this)[slot].hidden = hidden; }
    void setSlotPicture(int slot, const std::string& picture) override {
        (*this)[slot].picture = missingPictures.contains(picture) ? "" : picture;
    }
    Size slotPictureSize(int slot) const override {
        return sizeOf(slots.at(static_cast<size_t>(slot)).picture);
    }

    static Size sizeOf(const std::string& picture) {
        if (picture.empty()) {
            return {};
        }
        const double spread = static_cast<double>(std::hash<std::string>{}(picture) % 40);
        return {90 + spread, 40 + spread / 2};
    }
};
