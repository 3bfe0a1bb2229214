// The navigation stack: order of the life-cycle calls on push, pop and pop-to, ownership and the
// deferred destruction of popped screens.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/NavigationController.h"
#include "platform/Platform.h"
#include "platform/Window.h"

namespace {

using Log = std::vector<std::string>;

class LoggingScreen : public ViewController {
public:
    LoggingScreen(std::string name, Log& log)
        : ViewController(DeviceProfile::phone(), ""), name_(std::move(name)), log_(log) {
        addAction("back", [this] {
            navigationController()->popViewControllerAnimated(true);
            // Still running after the pop: the screen must still exist.
            log_.push_back(name_ + ".backDone");
        });
    }
    ~LoggingScreen() override { log_.push_back(name_ + ".destroyed"); }

    void viewDidLoad() override { log_.push_back(name_ + ".viewDidLoad"); }
    void viewWillAppear(bool) override { log_.push_back(name_ + ".viewWillAppear"); }
    void viewDidAppear(bool) override { log_.push_back(name_ + ".viewDidAppear"); }
    void viewWillDisappear(bool) override { log_.push_back(name_ + ".viewWillDisappear"); }
    void viewDidDisappear(bool) override { log_.push_back(name_ + ".viewDidDisappear"); }

private:
    std::string name_;
    Log& log_;
};

class NavigationTest : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::installHeadless();
        auto root = std::make_unique<LoggingScreen>("A", log);
        a = root.get();
        navigation =
            std::make_unique<NavigationController>(DeviceProfile::phone(), std::move(root));
    }

    LoggingScreen& push(const std::string& name, bool animated = false) {
        return static_cast<LoggingScreen&>(
            navigation->pushViewController(std::make_unique<LoggingScreen>(name, log), animated));
    }
    Log takeLog() { return std::exchange(log, {}); }

    Log log;
    LoggingScreen* a = nullptr;
    Window window{DeviceProfile::phone().screenSize()};
    std::unique_ptr<NavigationController> navigation;
};

TEST_F(NavigationTest, ShowingTheStackLoadsAndShowsTheRoot) {
    window.setRootViewController(*navigation);
    EXPECT_EQ(takeLog(), (Log{"A.viewDidLoad", "A.viewWillAppear", "A.viewDidAppear"}));
    EXPECT_TRUE(a->view().isDescendantOf(window.rootView()));
    EXPECT_EQ(a->navigationController(), navigation.get());
}

TEST_F(NavigationTest, PushCallsTheLifeCycleInOrderAndShowsOnlyTheTop) {
    window.setRootViewController(*navigation);
    takeLog();
    LoggingScreen& b = push("B");
    EXPECT_EQ(takeLog(), (Log{"B.viewDidLoad", "A.viewWillDisappear", "B.viewWillAppear",
                              "A.viewDidDisappear", "B.viewDidAppear"}));
    EXPECT_EQ(navigation->topViewController(), &b);
    EXPECT_EQ(b.navigationController(), navigation.get());
    EXPECT_TRUE(b.view().isDescendantOf(window.rootView()));
    EXPECT_FALSE(a->view().isDescendantOf(window.rootView()));
    EXPECT_EQ(window.rootView().hitTest({10, 10}), &b.view());
}

TEST_F(NavigationTest, PopFromTheScreensOwnActionDestroysItOnlyAfterwards) {
    window.setRootViewController(*navigation);
    LoggingScreen& b = push("B");
    takeLog();
    b.sendAction("back");
    EXPECT_EQ(takeLog(), (Log{"B.viewWillDisappear", "A.viewWillAppear", "B.viewDidDisappear",
                              "A.viewDidAppear", "B.backDone"}));
    EXPECT_EQ(navigation->topViewController(), a);
    RunLoop::main().runDueTimers();
    EXPECT_EQ(takeLog(), (Log{"B.destroyed"}));
    // The root stays: popping it does nothing.
    navigation->popViewControllerAnimated(false);
    RunLoop::main().runDueTimers();
    EXPECT_TRUE(takeLog().empty());
    EXPECT_EQ(navigation->viewControllers(), (std::vector<ViewController*>{a}));
}

TEST_F(NavigationTest, PopToCallsOnlyTheLeavingTopAndTheShownScreen) {
    window.setRootViewController(*navigation);
    LoggingScreen& b = push("B");
    push("C");
    takeLog();
    navigation->popToViewController(b, false);
    EXPECT_EQ(takeLog(), (Log{"C.viewWillDisappear", "B.viewWillAppear", "C.viewDidDisappear",
                              "B.viewDidAppear"}));
    push("D");
    push("E");
    takeLog();
    navigation->popToRootViewControllerAnimated(true);
    EXPECT_EQ(takeLog(), (Log{"E.viewWillDisappear", "A.viewWillAppear", "E.viewDidDisappear",
                              "A.viewDidAppear"}));
    RunLoop::main().runDueTimers();
    // Top first; C went on the earlier turn of the loop together with its own pop.
    EXPECT_EQ(takeLog(), (Log{"C.destroyed", "E.destroyed", "D.destroyed", "B.destroyed"}));
}

TEST_F(NavigationTest, ScreensPushedBeforeTheStackIsShownAppearWhenItIs) {
    push("B");
    EXPECT_EQ(takeLog(), (Log{"B.viewDidLoad"}));
    window.setRootViewController(*navigation);
    EXPECT_EQ(takeLog(), (Log{"B.viewWillAppear", "B.viewDidAppear"}));
    // A was never shown, so it was never loaded.
    EXPECT_FALSE(a->isViewLoaded());
}

TEST_F(NavigationTest, AnimatedPushSlidesThePresentedFrameOnly) {
    window.setRootViewController(*navigation);
    LoggingScreen& b = push("B", true);
    EXPECT_EQ(b.view().frame(), (Rect{0, 0, 480, 320}));
    RunLoop::main().runFor(0.1);
    EXPECT_GT(b.view().presentedFrame().x, 0);
    RunLoop::main().runFor(1);
    EXPECT_EQ(b.view().presentedFrame().x, 0);
}

TEST_F(NavigationTest, ClassNameIsTheScreensOwnClass) {
    EXPECT_EQ(a->className(), "LoggingScreen");
    EXPECT_EQ(navigation->className(), "NavigationController");
}

}  // namespace
