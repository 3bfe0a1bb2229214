// Touch delivery: hit views, touches staying with their view, touchesForView:, the responder
// chain up to the screen, buttons and switches.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Button.h"
#include "platform/NavigationController.h"
#include "platform/Platform.h"
#include "platform/Switch.h"
#include "platform/Touch.h"
#include "platform/Window.h"

namespace {

using Log = std::vector<std::string>;

std::string describe(const std::string& who, const char* phase, const TouchSet& touches,
                     const View* in) {
    std::string line = who + " " + phase;
    for (Touch* touch : touches) {
        const Point p = touch->locationInView(in);
        line += " (" + std::to_string(static_cast<int>(p.x)) + "," +
                std::to_string(static_cast<int>(p.y)) + ")";
    }
    return line;
}

class TouchView : public View {
public:
    TouchView(std::string name, Rect frame, Log& log) : View(frame), log_(log) {
        setName(std::move(name));
    }
    void touchesBegan(const TouchSet& touches, const TouchEvent& event) override {
        log_.push_back(describe(name(), "began", touches, this));
        lastEvent = &event;
        eventTouchesForMe = event.touchesForView(this).size();
        eventTouchCount = event.allTouches().size();
    }
    void touchesMoved(const TouchSet& touches, const TouchEvent&) override {
        log_.push_back(describe(name(), "moved", touches, this));
    }
    void touchesEnded(const TouchSet& touches, const TouchEvent&) override {
        log_.push_back(describe(name(), "ended", touches, this));
    }
    void touchesCancelled(const TouchSet& touches, const TouchEvent&) override {
        log_.push_back(describe(name(), "cancelled", touches, this));
    }

    const TouchEvent* lastEvent = nullptr;
    size_t eventTouchesForMe = 0;
    size_t eventTouchCount = 0;

private:
    Log& log_;
};

class Screen : public ViewController {
public:
    explicit Screen(Log& log) : ViewController(DeviceProfile::phone(), ""), log_(log) {
        addAction("pressed", [this] { log_.push_back("pressed"); });
        addAction("toggled", [this] { log_.push_back("toggled"); });
    }
    void touchesBegan(const TouchSet& touches, const TouchEvent& event) override {
        log_.push_back(describe("screen", "began", touches, &view()));
        const TouchSet mine = event.touchesForView(passive);
        touchesForPassive = mine.size();
    }
    void touchesEnded(const TouchSet& touches, const TouchEvent&) override {
        log_.push_back(describe("screen", "ended", touches, &view()));
    }

    View* passive = nullptr;
    size_t touchesForPassive = 0;

private:
    Log& log_;
};

class TouchTest : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::installHeadless();
        auto owned = std::make_unique<Screen>(log);
        screen = owned.get();
        navigation =
            std::make_unique<NavigationController>(DeviceProfile::phone(), std::move(owned));
        View& root = screen->view();
        left = &root.addSubview(std::make_unique<TouchView>("left", Rect{0, 0, 100, 100}, log));
        right = &root.addSubview(std::make_unique<TouchView>("right", Rect{200, 0, 100, 100}, log));
        screen->passive = &root.addSubview(std::make_unique<View>(Rect{0, 200, 100, 100}));
        button = &root.addSubview(std::make_unique<Button>());
        button->setFrame({300, 200, 100, 50});
        button->setAction(screen, "pressed");
        window.setRootViewController(*navigation);
    }

    Log log;
    Window window{DeviceProfile::phone().screenSize()};
    Screen* screen = nullptr;
    std::unique_ptr<NavigationController> navigation;
    TouchView* left = nullptr;
    TouchView* right = nullptr;
    Button* button = nullptr;
};

TEST_F(TouchTest, TouchStaysWithTheViewItLandedOn) {
    window.touchDown({10, 20});
    window.touchMove({250, 50});  // over `right` now, but the touch is `left`'s
    window.touchUp({260, 60});
    EXPECT_EQ(log, (Log{"left began (10,20)", "left moved (250,50)", "left ended (260,60)"}));
    EXPECT_EQ(window.activeTouchCount(), 0u);
}

TEST_F(TouchTest, SeveralFingersGoToTheirOwnViewsInOneEvent) {
    window.sendTouches(TouchPhase::Began, {{0, {10, 10}}, {1, {210, 10}}, {2, {20, 30}}});
    EXPECT_EQ(log, (Log{"left began (10,10) (20,30)", "right began (10,10)"}));
    EXPECT_EQ(left->eventTouchCount, 3u);
    EXPECT_EQ(left->eventTouchesForMe, 2u);
    EXPECT_EQ(right->eventTouchesForMe, 1u);
    log.clear();
    window.touchMove({220, 40}, 1);
    window.sendTouches(TouchPhase::Ended, {{0, {10, 10}}, {1, {220, 40}}, {2, {20, 30}}});
    EXPECT_EQ(log,
              (Log{"right moved (20,40)", "left ended (10,10) (20,30)", "right ended (20,40)"}));
}

TEST_F(TouchTest, UnhandledTouchesGoUpToTheScreen) {
    window.touchDown({10, 210});
    window.touchUp({10, 215});
    EXPECT_EQ(log, (Log{"screen began (10,210)", "screen ended (10,215)"}));
    // The touch belongs to the view it hit, even though the screen handled it.
    EXPECT_EQ(screen->touchesForPassive, 1u);
}

TEST_F(TouchTest, ButtonFiresOnlyWhenReleasedInside) {
    window.touchDown({310, 210});
    EXPECT_TRUE(button->isHighlighted());
    window.touchMove({100, 300});
    EXPECT_FALSE(button->isHighlighted());
    window.touchUp({100, 300});
    EXPECT_TRUE(log.empty());

    window.touchDown({310, 210});
    window.touchMove({100, 300});
    window.touchMove({320, 220});
    EXPECT_TRUE(button->isHighlighted());
    window.touchUp({320, 220});
    EXPECT_EQ(log, (Log{"pressed"}));
    EXPECT_FALSE(button->isHighlighted());

    // Cancelled: no action. Disabled: touches are swallowed without action.
    window.touchDown({310, 210});
    window.touchCancel();
    button->setEnabled(false);
    window.touchDown({310, 210});
    window.touchUp({310, 210});
    EXPECT_EQ(log, (Log{"pressed"}));
    EXPECT_EQ(window.activeTouchCount(), 0u);
}

TEST_F(TouchTest, SwitchFlipsAndSendsItsAction) {
    Switch& toggle = screen->view().addSubview(std::make_unique<Switch>());
    toggle.setFrame({400, 0, 80, 40});
    toggle.setAction(screen, "toggled");
    window.touchDown({410, 10});
    window.touchUp({410, 10});
    EXPECT_TRUE(toggle.isOn());
    EXPECT_EQ(log, (Log{"toggled"}));
    toggle.setOn(false);  // from the program: no action
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(TouchTest, ViewRemovedWhileTouchedGetsNothingMore) {
    window.touchDown({10, 10});
    std::unique_ptr<View> removed = left->removeFromSuperview();
    removed.reset();
    window.touchMove({20, 20});
    window.touchUp({20, 20});
    EXPECT_EQ(log, (Log{"left began (10,10)"}));
    EXPECT_EQ(window.activeTouchCount(), 0u);
}

TEST_F(TouchTest, CoverOverTheScreenSwallowsTouches) {
    Button& cover = screen->view().addSubview(std::make_unique<Button>());
    cover.setFrame(screen->view().bounds());
    window.touchDown({10, 10});
    window.touchUp({10, 10});
    EXPECT_TRUE(log.empty());
    cover.setHidden(true);
    window.touchDown({10, 10});
    EXPECT_EQ(log, (Log{"left began (10,10)"}));
}

}  // namespace
