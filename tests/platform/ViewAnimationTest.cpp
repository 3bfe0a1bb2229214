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

// A view picture that remembers which subviews the view had when it was taken.
class SubviewNames : public ViewImage {
public:
    explicit SubviewNames(const View& view) {
        for (const View* subview : view.subviews()) {
            names += subview->name() + " ";
        }
    }
    std::string names;
};

std::string namesIn(const ViewImage* image) {
    auto* recorded = dynamic_cast<const SubviewNames*>(image);
    return recorded ? recorded->names : "(no picture)";
}

class TransitionTest : public ViewAnimationTest {
protected:
    void SetUp() override {
        ViewAnimationTest::SetUp();
        Platform::current().setViewImageMaker([this](const View& view) {
            ++picturesTaken;
            return std::make_shared<SubviewNames>(view);
        });
        front.setName("front");
        back.setName("back");
        card.addSubview(front);
    }

    // Turns the card over from `from` to `to` in an animation of `duration`.
    void turn(View& from, View& to, ViewTransition transition, double duration = 1.0) {
        animateViews(options(duration), [&] {
            setAnimationTransition(transition, card);
            from.removeFromSuperview();
            card.addSubview(to);
        });
    }

    View card{Rect{0, 0, 100, 60}};
    View front{Rect{0, 0, 100, 60}};
    View back{Rect{0, 0, 100, 60}};
    int picturesTaken = 0;
};

TEST_F(TransitionTest, ModelTurnsAtOnceThePicturesOfBothFacesTurnForTheDuration) {
    turn(front, back, ViewTransition::FlipFromLeft);
    EXPECT_EQ(card.subviews(), (std::vector<View*>{&back}));
    EXPECT_EQ(front.superview(), nullptr);

    std::optional<View::PresentedTransition> shown = card.presentedTransition();
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->transition, ViewTransition::FlipFromLeft);
    EXPECT_EQ(shown->progress, 0);
    EXPECT_EQ(namesIn(shown->before), "front ");
    EXPECT_EQ(namesIn(shown->after), "back ");
    EXPECT_EQ(picturesTaken, 2);
    EXPECT_TRUE(card.hasRunningAnimations());

    loop().runFor(0.5);
    ASSERT_TRUE(card.presentedTransition().has_value());
    EXPECT_NEAR(card.presentedTransition()->progress, 0.5, 1e-9);
    EXPECT_TRUE(stops.empty());
    EXPECT_EQ(picturesTaken, 2) << "the faces are not drawn again while turning";
    loop().runFor(0.5);
    EXPECT_FALSE(card.presentedTransition().has_value());
    EXPECT_FALSE(card.hasRunningAnimations());
    EXPECT_EQ(stops, (std::vector<std::string>{"moveField finished"}));

    turn(back, front, ViewTransition::FlipFromRight);
    EXPECT_EQ(card.presentedTransition()->transition, ViewTransition::FlipFromRight);
    EXPECT_EQ(namesIn(card.presentedTransition()->before), "back ");
    EXPECT_EQ(namesIn(card.presentedTransition()->after), "front ");
}

TEST_F(TransitionTest, ALaterTransitionTakesOverTheRunningOne) {
    turn(front, back, ViewTransition::FlipFromLeft);
    loop().runFor(0.4);
    turn(back, front, ViewTransition::FlipFromRight);
    loop().runFor(0);
    EXPECT_EQ(stops, (std::vector<std::string>{"moveField interrupted"}));
    ASSERT_TRUE(card.presentedTransition().has_value());
    EXPECT_EQ(card.presentedTransition()->progress, 0);
    EXPECT_EQ(namesIn(card.presentedTransition()->before), "back ");
    loop().runFor(1);
    EXPECT_EQ(stops, (std::vector<std::string>{"moveField interrupted", "moveField finished"}));
}

TEST_F(TransitionTest, WithoutPicturesOrOutsideAnAnimationTheModelStillChanges) {
    Platform::current().setViewImageMaker(nullptr);
    turn(front, back, ViewTransition::FlipFromLeft);
    ASSERT_TRUE(card.presentedTransition().has_value());
    EXPECT_EQ(card.presentedTransition()->before, nullptr);
    EXPECT_EQ(card.presentedTransition()->after, nullptr);

    View other({0, 0, 10, 10});
    setAnimationTransition(ViewTransition::FlipFromLeft, other);
    EXPECT_FALSE(other.presentedTransition().has_value());
    EXPECT_FALSE(other.hasRunningAnimations());
}

TEST_F(TransitionTest, ViewDestroyedWhileTurningIsForgottenSilently) {
    auto doomed = std::make_unique<View>(Rect{0, 0, 10, 10});
    animateViews(options(1.0), [&] {
        setAnimationTransition(ViewTransition::FlipFromLeft, *doomed);
        doomed.reset();  // inside the block: no picture of it is taken afterwards
    });
    EXPECT_EQ(picturesTaken, 1);
    loop().runFor(2);
    EXPECT_TRUE(stops.empty());
}
