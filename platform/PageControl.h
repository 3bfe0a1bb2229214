// A row of dots, one per page, the current page's lit. A tap to the left of the current dot
// moves one page back, to the right one page on; the control then sends its action. Setting the
// page from the program sends nothing.
#pragma once

#include "platform/Control.h"

class PageControl : public Control {
public:
    // The distance between the centres of two dots, and a dot's diameter.
    static constexpr double kDotPitch = 16;
    static constexpr double kDotDiameter = 7;

    std::string_view typeName() const override { return "PageControl"; }

    int numberOfPages() const { return numberOfPages_; }
    void setNumberOfPages(int pages);
    int currentPage() const { return currentPage_; }
    // Kept within 0 and the last page.
    void setCurrentPage(int page);
    // The centre of page `page`'s dot, in the control's coordinates.
    Point dotCenter(int page) const;

    void touchesBegan(const TouchSet& touches, const TouchEvent& event) override;

protected:
    void touchUpInside() override;

private:
    int numberOfPages_ = 0;
    int currentPage_ = 0;
    double touchX_ = 0;  // where the finger went down, along the row
};
