// Start layout, drop evaluation, return of loose parts and restore of one assembly board.
#include "game/AssemblyBoard.h"

#include <utility>

namespace {

// Frames are held in single precision, as the device's geometry is: values computed in double
// precision are rounded to float when stored.
double stored(double value) {
    return static_cast<double>(static_cast<float>(value));
}

Rect storedRect(double x, double y, double width, double height) {
    return {stored(x), stored(y), stored(width), stored(height)};
}

}  // namespace

AssemblyBoard::AssemblyBoard(int idGun, const DeviceProfile& profile, PartSlots& slots,
                             std::function<void()> finishGame)
    : idGun_(idGun),
      gun_(findGunAssembly(idGun)),
      profile_(profile),
      slots_(slots),
      finishGame_(std::move(finishGame)) {}

void AssemblyBoard::layOut() {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        slots_.setSlotPicture(slot, partPictureName(idGun_, slot, profile_.isTablet()));
    }
    for (int slot = 4; slot <= kSlotCount; ++slot) {
        slots_.setSlotHidden(slot, true);
    }
    if (gun_) {
        for (int slot = 1; slot <= gun_->partCount; ++slot) {
            slots_.setSlotHidden(slot, false);
            const SlotOrigin origin = gun_->startOrigin(slot, profile_.isTablet());
            const Size size = slots_.slotPictureSize(slot);
            slots_.setSlotFrame(slot, storedRect(origin.x, origin.y, size.width * gun_->scale,
                                                 size.height * gun_->scale));
        }
    }
    ustawPozycjeDlaCzesci();
}

void AssemblyBoard::ustawPozycjeDlaCzesci() {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const Rect frame = slots_.slotFrame(slot);
        wymiaryPoczatkoweCzesc_[static_cast<size_t>(slot)] = frame;
        if (slot >= 2) {
            pozycjaCzesc_[static_cast<size_t>(slot)] = frame.center();
        }
    }
}

void AssemblyBoard::restore() {
    czyFnishGame_ = true;
    for (int slot = 2; slot <= kSlotCount; ++slot) {
        slots_.setSlotHidden(slot, false);
    }
    czyPolaczono_.fill(false);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        slots_.setSlotFrame(slot, wymiaryPoczatkoweCzesc_[static_cast<size_t>(slot)]);
    }
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        slots_.setSlotPicture(slot, partPictureName(idGun_, slot, profile_.isTablet()));
    }
}

void AssemblyBoard::dropAt(Point point) {
    if (!gun_) {
        return;
    }
    // Each rule sees the flags that earlier rules of this same drop have set.
    for (const JoinRule& rule : gun_->rules) {
        if (ruleHolds(rule, point)) {
            fire(rule);
        }
    }
    if (czyPolaczono(gun_->finalJoinFlag())) {
        return;
    }
    returnLooseParts();
}

bool AssemblyBoard::ruleHolds(const JoinRule& rule, Point point) const {
    if (!slots_.slotFrame(rule.onto).contains(point)) {
        return false;
    }
    const bool dragged = czyPrzesuwanaCzesc(rule.dragged.slot) ||
                         (rule.dragged.orSlot != 0 && czyPrzesuwanaCzesc(rule.dragged.orSlot));
    if (!dragged) {
        return false;
    }
    if (rule.needs != 0 && !czyPolaczono(rule.needs)) {
        return false;
    }
    if (rule.excludes != 0 && czyPolaczono(rule.excludes)) {
        return false;
    }
    return !rule.isFinal || (czyFnishGame_ && !czyPolaczono(rule.sets));
}

void AssemblyBoard::fire(const JoinRule& rule) {
    for (int slot : {rule.dragged.slot, rule.dragged.orSlot}) {
        if (slot == 0) {
            continue;
        }
        slots_.setSlotHidden(slot, true);
        const Rect frame = slots_.slotFrame(slot);
        slots_.setSlotFrame(slot, {-1000, -1000, frame.width, frame.height});
    }
    if (rule.picture) {
        const Rect target = slots_.slotFrame(rule.onto);
        slots_.setSlotPicture(rule.onto, devicePictureName(rule.picture, profile_.isTablet()));
        const Size size = slots_.slotPictureSize(rule.onto);
        slots_.setSlotFrame(rule.onto,
                            storedRect(target.x + rule.shift.dx, target.y + rule.shift.dy,
                                       size.width * gun_->scale, size.height * gun_->scale));
    }
    czyPolaczono_[static_cast<size_t>(rule.sets)] = true;
    if (rule.isFinal) {
        finishGame_();
    }
}

void AssemblyBoard::returnLooseParts() {
    for (int slot = 2; slot <= kSlotCount; ++slot) {
        if (slot != gun_->keptWhereDropped) {
            setSlotCenter(slot, pozycjaCzesc(slot));
        }
    }
}

void AssemblyBoard::setSlotCenter(int slot, Point center) {
    const Rect frame = slots_.slotFrame(slot);
    slots_.setSlotFrame(slot, storedRect(center.x - frame.width / 2, center.y - frame.height / 2,
                                         frame.width, frame.height));
}
