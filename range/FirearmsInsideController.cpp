// The paged gallery.
#include "range/FirearmsInsideController.h"

#include <cmath>

#include "platform/NavigationController.h"
#include "platform/PageControl.h"

FirearmsInsideController::FirearmsInsideController(const DeviceProfile& profile)
    : ViewController(profile, "FirearmsInsideController") {
    addAction("changePage", [this] { changePage(); });
    addAction("backButton", [this] { backButton(); });
}

// The strip may still tell of its motion while the screen goes.
FirearmsInsideController::~FirearmsInsideController() {
    if (scrollView_) {
        scrollView_->setDelegate(nullptr);
    }
}

void FirearmsInsideController::viewDidLoad() {
    View& root = view();
    scrollView_ = requireOutlet<ScrollView>(*this, root, "scrollView");
    pageControl_ = requireOutlet<PageControl>(*this, root, "pageControl");

    viewControllers_.clear();
    viewControllers_.resize(static_cast<size_t>(std::max(0, kNumberOfPages_)));
    scrollView_->setPagingEnabled(true);
    scrollView_->setContentSize({kNumberOfPages_ * stripWidth(), scrollView_->frame().height});
    scrollView_->setDelegate(this);
    pageControl_->setNumberOfPages(kNumberOfPages_);
    pageControl_->setCurrentPage(0);
    loadScrollViewWithPage(0);
    loadScrollViewWithPage(1);
}

void FirearmsInsideController::loadScrollViewWithPage(int page) {
    if (page < 0 || page >= kNumberOfPages_) {
        return;
    }
    std::unique_ptr<FirearmsBackController>& slot = viewControllers_[static_cast<size_t>(page)];
    if (!slot) {
        if (profile().isTablet()) {
            slot = std::make_unique<FirearmsBackController_ipad>(page);
        } else {
            slot = std::make_unique<FirearmsBackController>(page);
        }
    }
    View& pageView = slot->view();
    if (!pageView.superview()) {
        pageView.setFrame({stripWidth() * page, 0, stripWidth(), scrollView_->frame().height});
        scrollView_->addSubview(pageView);
    }
}

FirearmsBackController* FirearmsInsideController::pageScreen(int page) const {
    if (page < 0 || page >= static_cast<int>(viewControllers_.size())) {
        return nullptr;
    }
    return viewControllers_[static_cast<size_t>(page)].get();
}

void FirearmsInsideController::loadNeighbourhood(int page) {
    loadScrollViewWithPage(page - 1);
    loadScrollViewWithPage(page);
    loadScrollViewWithPage(page + 1);
}

// The page whose middle is nearest; a true floor, so that an overscroll to the left gives 0.
void FirearmsInsideController::scrollViewDidScroll(ScrollView& scroll) {
    if (pageControlUsed_) {
        return;
    }
    const double width = stripWidth();
    const int page =
        static_cast<int>(std::floor((scroll.contentOffset().x - width / 2) / width)) + 1;
    pageControl_->setCurrentPage(page);
    loadNeighbourhood(page);
}

void FirearmsInsideController::scrollViewWillBeginDragging(ScrollView&) {
    pageControlUsed_ = false;
}

void FirearmsInsideController::scrollViewDidEndDecelerating(ScrollView&) {
    pageControlUsed_ = false;
}

// The strip moves because of the indicator: until the next drag, its scrolling must not move
// the indicator back.
void FirearmsInsideController::changePage() {
    const int page = pageControl_->currentPage();
    loadNeighbourhood(page);
    scrollView_->scrollRectToVisible(
        {stripWidth() * page, 0, stripWidth(), scrollView_->frame().height}, true);
    pageControlUsed_ = true;
}

void FirearmsInsideController::backButton() {
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewControllerAnimated(true);
    }
}
