// The rules of one assembly game applied to a board of nine part slots: the start layout, the
// evaluation of a released finger against the gun's join rules, the return of loose parts and
// the restore of the start board. The board keeps the game's flags and recorded start
// positions; the slots themselves are views that it reaches through PartSlots.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "game/GunAssembly.h"
#include "platform/DeviceProfile.h"
#include "platform/Geometry.h"

// The nine slot views as the board uses them, by slot number 1 to 9.
class PartSlots {
public:
    virtual ~PartSlots() = default;

    virtual Rect slotFrame(int slot) const = 0;
    virtual void setSlotFrame(int slot, Rect frame) = 0;
    virtual void setSlotHidden(int slot, bool hidden) = 0;
    // Shows the named picture in the slot (none when it is missing); the frame is left as it is.
    virtual void setSlotPicture(int slot, const std::string& picture) = 0;
    // The natural size of the slot's picture; zero when it has none.
    virtual Size slotPictureSize(int slot) const = 0;
};

class AssemblyBoard {
public:
    // `finishGame` runs when the gun's final rule fires, before the drop evaluation ends.
    AssemblyBoard(int idGun, const DeviceProfile& profile, PartSlots& slots,
                  std::function<void()> finishGame);

    // Pictures and start frames of the gun's parts, then ustawPozycjeDlaCzesci().
    void layOut();
    // Records every slot's start centre and start frame.
    void ustawPozycjeDlaCzesci();
    // Back to the start board: armed, slots 2 to 9 shown, no joins, start frames and part
    // pictures. The drag flags stay as they are.
    void restore();

    // Drag flags of slots 2 to 9.
    void resetujCzyPrzesuwana() { czyPrzesuwanaCzesc_.fill(false); }
    void setCzyPrzesuwanaCzesc(int slot) {
        czyPrzesuwanaCzesc_.at(static_cast<size_t>(slot)) = true;
    }
    bool czyPrzesuwanaCzesc(int slot) const {
        return czyPrzesuwanaCzesc_.at(static_cast<size_t>(slot));
    }

    // A finger released at `point` (screen coordinates): fires every rule that holds, in order,
    // then sends the loose parts back unless the gun is now finished.
    void dropAt(Point point);

    bool czyPolaczono(int flag) const { return czyPolaczono_.at(static_cast<size_t>(flag)); }
    // Armed: the final rule may fire. Cleared by the finish.
    bool czyFnishGame() const { return czyFnishGame_; }
    void setCzyFnishGame(bool armed) { czyFnishGame_ = armed; }

    // Where slot K (2 to 9) starts, centre and frame (1 to 9), as last recorded.
    Point pozycjaCzesc(int slot) const { return pozycjaCzesc_.at(static_cast<size_t>(slot)); }
    Rect wymiaryPoczatkoweCzesc(int slot) const {
        return wymiaryPoczatkoweCzesc_.at(static_cast<size_t>(slot));
    }

    const GunAssembly* gun() const { return gun_; }

private:
    bool ruleHolds(const JoinRule& rule, Point point) const;
    void fire(const JoinRule& rule);
    void returnLooseParts();
    void setSlotCenter(int slot, Point center);

    int idGun_;
    const GunAssembly* gun_;  // null for an id without assembly data
    DeviceProfile profile_;
    PartSlots& slots_;
    std::function<void()> finishGame_;

    // Indexed by slot or flag number; index 0 is unused.
    std::array<bool, kSlotCount + 1> czyPrzesuwanaCzesc_{};
    std::array<bool, kSlotCount + 1> czyPolaczono_{};
    std::array<Point, kSlotCount + 1> pozycjaCzesc_{};
    std::array<Rect, kSlotCount + 1> wymiaryPoczatkoweCzesc_{};
    bool czyFnishGame_ = true;
};
