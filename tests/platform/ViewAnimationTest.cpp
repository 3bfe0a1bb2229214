// Named view animations: model values at once, presented values over time, the end callback,
// take-over by later changes.
#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/View.h"
#include "platform/ViewAnimation.h"

namespace {

class ViewAnimationTest : public ::testing::Test {
protected:
    void SetUp() override { Platform::installHeadless(); }

    AnimationOptions options(double duration, AnimationCurve curve = AnimationCurve::Linear) {
        return {"moveField", duration, 0, curve, [this](const std::string& name, bool finished) {
                    stops.push_back(name + (finished ? " finished" : " interrupted"));
                }};
    }

    RunLoop& loop() { return RunLoop::main(); }
    std::vector<std::string> stops;
};

TEST_F(ViewAnimationTest, ModelChangesAtOncePresentedValueFollowsTheCurve) {
    View panel({0, 0, 100, 50});
    animateViews(options(1.0), [&] { panel.setFrame({0, 200, 100, 50}); });
    EXPECT_EQ(panel.frame().y, 200);
    EXPECT_EQ(panel.presentedFrame().y, 0);
    EXPECT_TRUE(panel.hasRunningAnimations());
    loop().runFor(0.25);
    EXPECT_NEAR(panel.presentedFrame().y, 50, 1e-9);
    loop().runFor(0.5);
    EXPECT_NEAR(panel.presentedFrame().y, 150, 1e-9);
    EXPECT_TRUE(stops.empty());
    loop().runFor(0.25);
    EXPECT_EQ(panel.presentedFrame().y, 200);
    EXPECT_FALSE(panel.hasRunningAnimations());
    EXPECT_EQ(stops, (std::vector<std::string>{"moveField finished"}));
}

TEST_F(ViewAnimationTest, EaseInOutStartsAndEndsSlowly) {
    View panel({0, 0, 10, 10});
    animateViews(options(0.5, AnimationCurve::EaseInOut), [&] { panel.setCenter({105, 5}); });
    loop().runFor(0.05);
    const double early = panel.presentedCenter().x - 5;
    loop().runFor(0.2);
    EXPECT_NEAR(panel.presentedCenter().x - 5, 50, 1e-6);  // symmetric curve: half way at half time
    EXPECT_LT(early, 10);
    EXPECT_GT(early, 0);
    EXPECT_LT(easedProgress(AnimationCurve::EaseIn, 0.5), 0.5);
    EXPECT_GT(easedProgress(AnimationCurve::EaseOut, 0.5), 0.5);
}

TEST_F(ViewAnimationTest, DelayKeepsTheOldPresentedValueUntilItStarts) {
    View view({0, 0, 10, 10});
    AnimationOptions delayed = options(1.0);
    delayed.delay = 0.5;
    animateViews(delayed, [&] { view.setAlpha(0); });
    EXPECT_EQ(view.alpha(), 0);
    loop().runFor(0.5);
    EXPECT_EQ(view.presentedAlpha(), 1);
    loop().runFor(0.5);
    EXPECT_NEAR(view.presentedAlpha(), 0.5, 1e-9);
    loop().runFor(0.49);
    EXPECT_TRUE(stops.empty());
    loop().runFor(0.01);
    EXPECT_EQ(stops.size(), 1u);
}

TEST_F(ViewAnimationTest, NewAnimationTakesOverFromThePresentedValue) {
    View panel({0, 0, 100, 50});
    animateViews(options(1.0), [&] { panel.setFrame({0, 200, 100, 50}); });
    loop().runFor(0.5);
    AnimationOptions back = options(1.0);
    back.name = "back";
    animateViews(back, [&] { panel.setFrame({0, 0, 100, 50}); });
    EXPECT_NEAR(panel.presentedFrame().y, 100, 1e-9);  // no jump
    loop().runDueTimers();
    EXPECT_EQ(stops, (std::vector<std::string>{"moveField interrupted"}));
    loop().runFor(0.5);
    EXPECT_NEAR(panel.presentedFrame().y, 50, 1e-9);
    loop().runFor(0.5);
    EXPECT_EQ(stops, (std::vector<std::string>{"moveField interrupted", "back finished"}));
}

TEST_F(ViewAnimationTest, AnimationOfSeveralViewsFinishesOnlyWhenNoneWasTakenOver) {
    View a({0, 0, 10, 10});
    View b({0, 0, 10, 10});
    animateViews(options(1.0), [&] {
        a.setCenter({100, 0});
        b.setCenter({0, 100});
    });
    loop().runFor(0.3);
    b.setCenter({50, 50});  // without animation: shown at once
    EXPECT_EQ(b.presentedCenter(), (Point{50, 50}));
    EXPECT_GT(a.presentedCenter().x, 5);
    EXPECT_LT(a.presentedCenter().x, 100);
    loop().runFor(1);
    EXPECT_EQ(stops, (std::vector<std::string>{"moveField interrupted"}));
}

TEST_F(ViewAnimationTest, ChangingAPropertyTwiceInOneAnimationIsNoInterruption) {
    View view({0, 0, 10, 10});
    animateViews(options(1.0), [&] {
        view.setCenter({50, 5});
        view.setCenter({105, 5});
    });
    loop().runFor(0.5);
    EXPECT_NEAR(view.presentedCenter().x, 55, 1e-9);
    loop().runFor(0.5);
    EXPECT_EQ(stops, (std::vector<std::string>{"moveField finished"}));
}

TEST_F(ViewAnimationTest, StoppingJumpsToTheModelAndReportsAnInterruption) {
    View view({0, 0, 10, 10});
    animateViews(options(1.0), [&] { view.setTransform(AffineTransform::rotation(1.0)); });
    loop().runFor(0.5);
    const AffineTransform halfway = view.presentedTransform();
    EXPECT_NEAR(std::atan2(halfway.b, halfway.a), 0.5, 1e-9);
    EXPECT_NEAR(std::hypot(halfway.a, halfway.b), 1, 1e-9);  // turns, does not shrink
    view.stopAnimations();
    EXPECT_EQ(view.presentedTransform(), view.transform());
    loop().runFor(1);
    EXPECT_EQ(stops, (std::vector<std::string>{"moveField interrupted"}));
}

TEST_F(ViewAnimationTest, DestroyedViewDropsItsAnimationsSilently) {
    auto view = std::make_unique<View>(Rect{0, 0, 10, 10});
    animateViews(options(1.0), [&] { view->setCenter({100, 100}); });
    view.reset();
    loop().runFor(2);
    EXPECT_TRUE(stops.empty());
}

TEST_F(ViewAnimationTest, ChangesOutsideAnimateViewsAreNotAnimatedAndNestingUsesTheInnermost) {
    View outer({0, 0, 10, 10});
    View inner({0, 0, 10, 10});
    outer.setCenter({50, 50});
    EXPECT_FALSE(outer.hasRunningAnimations());
    animateViews(options(1.0), [&] {
        outer.setCenter({100, 100});
        AnimationOptions quick = options(0.1);
        quick.name = "quick";
        animateViews(quick, [&] { inner.setCenter({100, 100}); });
    });
    loop().runFor(0.1);
    EXPECT_FALSE(inner.hasRunningAnimations());
    EXPECT_TRUE(outer.hasRunningAnimations());
    EXPECT_EQ(stops, (std::vector<std::string>{"quick finished"}));
}

}  // namespace
