// The paged gallery of one firearms category: a horizontal strip of full-screen pictures with
// a page indicator. Each page is a small screen of its own, made only when the strip comes
// near it and kept, off the navigation stack, for as long as the gallery lives. The tablet
// twin only selects the tablet profile.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ScrollView.h"
#include "platform/ViewController.h"
#include "range/FirearmsBackController.h"

class PageControl;

class FirearmsInsideController : public ViewController, private ScrollViewDelegate {
public:
    explicit FirearmsInsideController(const DeviceProfile& profile = DeviceProfile::phone());
    ~FirearmsInsideController() override;

    // The number of pages; set before the view loads.
    void iloscEkranow(int32_t pages) { kNumberOfPages_ = pages; }

    void viewDidLoad() override;
    void loadScrollViewWithPage(int page);
    void changePage();
    void backButton();

    int32_t kNumberOfPages() const { return kNumberOfPages_; }
    bool pageControlUsed() const { return pageControlUsed_; }
    // The page screen of slot `page`, or null while it is a placeholder.
    FirearmsBackController* pageScreen(int page) const;

private:
    void scrollViewDidScroll(ScrollView& scroll) override;
    void scrollViewWillBeginDragging(ScrollView& scroll) override;
    void scrollViewDidEndDecelerating(ScrollView& scroll) override;
    void loadNeighbourhood(int page);
    double stripWidth() const { return scrollView_->frame().width; }

    ScrollView* scrollView_ = nullptr;
    PageControl* pageControl_ = nullptr;
    std::vector<std::unique_ptr<FirearmsBackController>> viewControllers_;
    int32_t kNumberOfPages_ = 0;
    bool pageControlUsed_ = false;
};

class FirearmsInsideController_ipad : public FirearmsInsideController {
public:
    FirearmsInsideController_ipad() : FirearmsInsideController(DeviceProfile::tablet()) {}
};
