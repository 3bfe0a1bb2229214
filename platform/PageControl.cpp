// The page indicator's dots and taps.
#include "platform/PageControl.h"

#include <algorithm>

#include "platform/Touch.h"

void PageControl::setNumberOfPages(int pages) {
    numberOfPages_ = std::max(0, pages);
    setCurrentPage(currentPage_);
}

void PageControl::setCurrentPage(int page) {
    currentPage_ = std::clamp(page, 0, std::max(0, numberOfPages_ - 1));
}

Point PageControl::dotCenter(int page) const {
    const Rect box = bounds();
    const double rowStart = box.x + (box.width - numberOfPages_ * kDotPitch) / 2;
    return {rowStart + (page + 0.5) * kDotPitch, box.y + box.height / 2};
}

void PageControl::touchesBegan(const TouchSet& touches, const TouchEvent& event) {
    Control::touchesBegan(touches, event);
    // Only the finger the control follows decides which way the page moves.
    if (trackedTouch() == touches.front()) {
        touchX_ = touches.front()->locationInView(this).x;
    }
}

void PageControl::touchUpInside() {
    const int page = touchX_ < dotCenter(currentPage_).x ? currentPage_ - 1 : currentPage_ + 1;
    if (page < 0 || page >= numberOfPages_) {
        return;
    }
    currentPage_ = page;
    sendAction();
}
