// The scroll view and the page indicator: dragging (taken over from the content), the rubber
// band and the spring back, deceleration, paging, scrolling a rectangle into view, the delegate
// calls, and the dots' taps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Button.h"
#include "platform/NavigationController.h"
#include "platform/PageControl.h"
#include "platform/Platform.h"
#include "platform/RunLoop.h"
#include "platform/ScrollView.h"
#include "platform/Window.h"

namespace {

class RecordingDelegate : public ScrollViewDelegate {
public:
    void scrollViewDidScroll(ScrollView&) override { ++scrolls; }
    void scrollViewWillBeginDragging(ScrollView&) override { ++dragsBegun; }
    void scrollViewDidEndDecelerating(ScrollView&) override { ++decelerationsEnded; }

    int scrolls = 0;
    int dragsBegun = 0;
    int decelerationsEnded = 0;
};

class Screen : public ViewController {
public:
    Screen() : ViewController(DeviceProfile::phone(), "") {
        addAction("pressed", [this] { ++presses; });
        addAction("pageChanged", [this] { ++pageChanges; });
    }
    int presses = 0;
    int pageChanges = 0;
};

// A 200 × 100 scroll view at (100, 100) of the window over content 800 × 100 (four pages), with
// a button in the content at (10, 10).
class ScrollViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::installHeadless();
        auto owned = std::make_unique<Screen>();
        screen = owned.get();
        navigation =
            std::make_unique<NavigationController>(DeviceProfile::phone(), std::move(owned));
        scroll = &screen->view().addSubview(std::make_unique<ScrollView>());
        scroll->setFrame({100, 100, 200, 100});
        scroll->setContentSize({800, 100});
        scroll->setDelegate(&delegate);
        button = &scroll->addSubview(std::make_unique<Button>());
        button->setFrame({10, 10, 60, 40});
        button->setAction(screen, "pressed");
        window.setRootViewController(*navigation);
    }

    // A finger moved in `steps` equal moves, `secondsPerStep` apart, then lifted.
    void drag(Point from, Point to, int steps = 5, double secondsPerStep = 0) {
        window.touchDown(from);
        for (int i = 1; i <= steps; ++i) {
            RunLoop::main().runFor(secondsPerStep);
            const double part = static_cast<double>(i) / steps;
            window.touchMove({from.x + (to.x - from.x) * part, from.y + (to.y - from.y) * part});
        }
        window.touchUp(to);
    }

    Window window{DeviceProfile::phone().screenSize()};
    Screen* screen = nullptr;
    std::unique_ptr<NavigationController> navigation;
    ScrollView* scroll = nullptr;
    Button* button = nullptr;
    RecordingDelegate delegate;
};

TEST_F(ScrollViewTest, ContentMovesWithTheFingerAndSubviewsMoveWithIt) {
    drag({280, 150}, {150, 160});
    EXPECT_EQ(scroll->contentOffset(), (Point{130, 0}));  // not scrollable vertically
    EXPECT_EQ(delegate.dragsBegun, 1);
    EXPECT_GT(delegate.scrolls, 0);
    // The content point under the window's (150, 150) is now (180, 50).
    EXPECT_EQ(scroll->convertPointFromWindow({150, 150}), (Point{180, 50}));
    EXPECT_EQ(button->convertPointToWindow({0, 0}), (Point{100 + 10 - 130, 110}));
    // A scripted drag takes no time, so nothing glides on afterwards.
    EXPECT_EQ(RunLoop::main().scheduledTimerCount(), 0u);
    RunLoop::main().runFor(1);
    EXPECT_EQ(scroll->contentOffset(), (Point{130, 0}));
    EXPECT_EQ(delegate.decelerationsEnded, 0);
}

TEST_F(ScrollViewTest, ButtonInTheContentTapsButLosesAFingerThatDrags) {
    window.touchDown({130, 130});
    window.touchUp({131, 131});
    EXPECT_EQ(screen->presses, 1);

    window.touchDown({130, 130});
    window.touchMove({125, 130});  // below the drag threshold: still the button's
    EXPECT_TRUE(button->isHighlighted());
    EXPECT_EQ(scroll->contentOffset(), (Point{0, 0}));
    window.touchMove({100, 130});
    EXPECT_FALSE(button->isHighlighted());
    EXPECT_EQ(scroll->contentOffset(), (Point{30, 0}));
    window.touchMove({130, 130});  // back over the button: it no longer follows this finger
    window.touchUp({130, 130});
    EXPECT_EQ(screen->presses, 1);
    EXPECT_EQ(scroll->contentOffset(), (Point{0, 0}));

    // Along an axis the content cannot scroll, the finger stays the button's.
    window.touchDown({130, 130});
    window.touchMove({130, 145});
    window.touchUp({130, 145});
    EXPECT_EQ(screen->presses, 2);
    EXPECT_EQ(delegate.dragsBegun, 1);
}

TEST_F(ScrollViewTest, PastAnEndTheContentLagsAndSpringsBack) {
    drag({150, 150}, {290, 150});  // 140 points towards before the start
    const double offset = scroll->contentOffset().x;
    EXPECT_LT(offset, 0);
    EXPECT_GT(offset, -140 / 2.0);  // follows less than half the finger past the end
    RunLoop::main().runFor(1);
    EXPECT_EQ(scroll->contentOffset(), (Point{0, 0}));
    EXPECT_EQ(delegate.decelerationsEnded, 1);

    scroll->setBounces(false);
    drag({150, 150}, {290, 150});
    EXPECT_EQ(scroll->contentOffset(), (Point{0, 0}));
    drag({290, 150}, {110, 150});
    drag({290, 150}, {110, 150});
    drag({290, 150}, {110, 150});
    drag({290, 150}, {110, 150});
    EXPECT_EQ(scroll->contentOffset(), (Point{600, 0}));  // the maximum, not beyond
}

TEST_F(ScrollViewTest, AFlickGlidesOnSlowsDownAndStopsInRange) {
    // 100 points in 0.1 s: 1000 points a second when the finger lifts.
    drag({290, 150}, {190, 150}, 5, 0.02);
    const double lifted = scroll->contentOffset().x;
    EXPECT_DOUBLE_EQ(lifted, 100);
    EXPECT_TRUE(scroll->isDecelerating());
    RunLoop::main().runFor(0.1);
    const double soon = scroll->contentOffset().x;
    EXPECT_GT(soon, lifted + 50);
    RunLoop::main().runFor(10);
    const double rest = scroll->contentOffset().x;
    EXPECT_GT(rest, soon);
    EXPECT_LE(rest, 600);
    EXPECT_FALSE(scroll->isDecelerating());
    EXPECT_EQ(delegate.decelerationsEnded, 1);
    EXPECT_EQ(RunLoop::main().scheduledTimerCount(), 0u);  // nothing left ticking
}

TEST_F(ScrollViewTest, AFingerRestingBeforeItLiftsThrowsNothing) {
    window.touchDown({290, 150});
    RunLoop::main().runFor(0.02);
    window.touchMove({240, 150});
    RunLoop::main().runFor(0.5);
    window.touchUp({240, 150});
    EXPECT_FALSE(scroll->isDecelerating());
    EXPECT_EQ(scroll->contentOffset(), (Point{50, 0}));
}

TEST_F(ScrollViewTest, AFingerCatchesGlidingContent) {
    drag({290, 150}, {190, 150}, 5, 0.02);
    RunLoop::main().runFor(0.1);
    window.touchDown({200, 150});
    const Point caught = scroll->contentOffset();
    RunLoop::main().runFor(1);
    EXPECT_EQ(scroll->contentOffset(), caught);
    EXPECT_FALSE(scroll->isDecelerating());
    window.touchUp({200, 150});
    EXPECT_EQ(delegate.decelerationsEnded, 0);
}

TEST_F(ScrollViewTest, PagingRestsOnTheNearestPageOrTheNextAfterAFlick) {
    scroll->setPagingEnabled(true);
    drag({290, 150}, {210, 150});  // 80 of 200: back to page 0
    RunLoop::main().runFor(1);
    EXPECT_EQ(scroll->contentOffset(), (Point{0, 0}));
    EXPECT_EQ(scroll->currentPage(), 0);
    EXPECT_EQ(delegate.decelerationsEnded, 1);

    drag({290, 150}, {170, 150});  // 120 of 200: on to page 1
    EXPECT_TRUE(scroll->isDecelerating());
    RunLoop::main().runFor(1);
    EXPECT_EQ(scroll->contentOffset(), (Point{200, 0}));
    EXPECT_EQ(scroll->currentPage(), 1);

    drag({290, 150}, {250, 150}, 4, 0.01);  // a quick 40: a flick turns the page
    RunLoop::main().runFor(1);
    EXPECT_EQ(scroll->contentOffset(), (Point{400, 0}));

    drag({250, 150}, {290, 150}, 4, 0.01);  // and back
    RunLoop::main().runFor(1);
    EXPECT_EQ(scroll->contentOffset(), (Point{200, 0}));

    // Past the last page the content comes back to it, never to a page beyond.
    scroll->setContentOffset({600, 0});
    drag({290, 150}, {110, 150}, 4, 0.01);
    RunLoop::main().runFor(1);
    EXPECT_EQ(scroll->contentOffset(), (Point{600, 0}));
    EXPECT_EQ(scroll->currentPage(), 3);
}

TEST_F(ScrollViewTest, ProgramChangesOffsetsAtOnceOrAnimatedAndScrollsRectsIntoView) {
    scroll->setContentOffset({50, 0});
    EXPECT_EQ(scroll->contentOffset(), (Point{50, 0}));
    EXPECT_EQ(delegate.scrolls, 1);
    scroll->setContentOffset({50, 0});
    EXPECT_EQ(delegate.scrolls, 1);  // no change, no call

    scroll->scrollRectToVisible({400, 0, 100, 50}, false);  // right edge 500 comes into view
    EXPECT_EQ(scroll->contentOffset(), (Point{300, 0}));
    scroll->scrollRectToVisible({320, 0, 50, 50}, false);  // already in view: no move
    EXPECT_EQ(scroll->contentOffset(), (Point{300, 0}));
    scroll->scrollRectToVisible({100, 0, 50, 50}, true);  // left edge, animated
    EXPECT_EQ(scroll->contentOffset(), (Point{300, 0}));
    RunLoop::main().runFor(0.1);
    const double between = scroll->contentOffset().x;
    EXPECT_LT(between, 300);
    EXPECT_GT(between, 100);
    RunLoop::main().runFor(1);
    EXPECT_EQ(scroll->contentOffset(), (Point{100, 0}));
    EXPECT_EQ(delegate.decelerationsEnded, 0);             // no drag, no deceleration
    scroll->scrollRectToVisible({900, 0, 50, 50}, false);  // beyond the content: to the end
    EXPECT_EQ(scroll->contentOffset(), (Point{600, 0}));
}

TEST_F(ScrollViewTest, DisabledScrollingLeavesFingersToTheContent) {
    scroll->setScrollEnabled(false);
    window.touchDown({130, 130});
    window.touchMove({60, 130});
    window.touchMove({130, 130});
    window.touchUp({130, 130});
    EXPECT_EQ(scroll->contentOffset(), (Point{0, 0}));
    EXPECT_EQ(screen->presses, 1);
}

TEST_F(ScrollViewTest, DestroyedWhileGlidingLeavesNoTimerBehind) {
    drag({290, 150}, {190, 150}, 5, 0.02);
    ASSERT_TRUE(scroll->isDecelerating());
    scroll->removeFromSuperview();
    EXPECT_EQ(RunLoop::main().scheduledTimerCount(), 0u);
    RunLoop::main().runFor(1);
}

// Six dots in a 200-point control: centres 8 + 16 · page from x 52.
class PageControlTest : public ScrollViewTest {
protected:
    void SetUp() override {
        ScrollViewTest::SetUp();
        pages = &screen->view().addSubview(std::make_unique<PageControl>());
        pages->setFrame({0, 250, 200, 30});
        pages->setNumberOfPages(6);
        pages->setAction(screen, "pageChanged");
    }
    void tapAt(double x) {
        window.touchDown({x, 265});
        window.touchUp({x, 265});
    }
    PageControl* pages = nullptr;
};

TEST_F(PageControlTest, ATapBesideTheCurrentDotMovesOnePageAndSendsTheAction) {
    EXPECT_EQ(pages->dotCenter(0), (Point{60, 15}));
    pages->setCurrentPage(2);
    EXPECT_EQ(screen->pageChanges, 0);  // the program's change sends nothing
    tapAt(190);                         // far right: still one page only
    EXPECT_EQ(pages->currentPage(), 3);
    tapAt(10);
    tapAt(10);
    EXPECT_EQ(pages->currentPage(), 1);
    EXPECT_EQ(screen->pageChanges, 3);
    tapAt(10);
    tapAt(10);  // at the first page: nothing more
    EXPECT_EQ(pages->currentPage(), 0);
    EXPECT_EQ(screen->pageChanges, 4);
    pages->setCurrentPage(9);
    EXPECT_EQ(pages->currentPage(), 5);
    tapAt(190);
    EXPECT_EQ(screen->pageChanges, 4);
    pages->setNumberOfPages(2);
    EXPECT_EQ(pages->currentPage(), 1);

    // A second finger landing meanwhile does not change where the first one tapped.
    pages->setNumberOfPages(6);
    pages->setCurrentPage(2);
    window.touchDown({190, 265}, 0);
    window.touchDown({10, 265}, 1);
    window.touchUp({190, 265}, 0);
    window.touchUp({10, 265}, 1);
    EXPECT_EQ(pages->currentPage(), 3);
}

}  // namespace
