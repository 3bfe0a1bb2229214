// View geometry (anchor point, transform, frame), the tree and hit testing.
#include <gtest/gtest.h>

#include <numbers>

#include "platform/ImageView.h"
#include "platform/Platform.h"
#include "platform/View.h"

namespace {

void expectNear(Point actual, Point expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

void expectNear(Rect actual, Rect expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
    EXPECT_NEAR(actual.width, expected.width, 1e-9);
    EXPECT_NEAR(actual.height, expected.height, 1e-9);
}

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override { Platform::installHeadless(); }
};

TEST_F(ViewTest, FrameCenterAndAnchorPoint) {
    View view({10, 20, 100, 50});
    expectNear(view.center(), {60, 45});
    view.setCenter({100, 100});
    expectNear(view.frame(), {50, 75, 100, 50});

    // Moving the anchor keeps the center, so the view moves; a frame set afterwards puts the
    // view back where the frame says, with the center at the anchor's place.
    view.setAnchorPoint({1, 1});
    expectNear(view.frame(), {0, 50, 100, 50});
    view.setFrame({10, 20, 100, 50});
    expectNear(view.center(), {110, 70});
    expectNear(view.frame(), {10, 20, 100, 50});
}

TEST_F(ViewTest, RotationPivotsAboutTheAnchorPoint) {
    View view({0, 0, 100, 50});
    view.setAnchorPoint({1, 1});
    view.setFrame({0, 0, 100, 50});
    const Point pivotBefore = view.convertPointToSuperview({100, 50});
    view.setTransform(AffineTransform::rotation(std::numbers::pi / 2));
    expectNear(view.convertPointToSuperview({100, 50}), pivotBefore);
    // A quarter turn about the bottom-right corner: the enclosing box is 50 wide, 100 high.
    expectNear(view.frame(), {100, -50, 50, 100});

    View centred({0, 0, 100, 50});
    centred.setTransform(AffineTransform::scale(2, 2));
    expectNear(centred.frame(), {-50, -25, 200, 100});
}

TEST_F(ViewTest, PointConversionThroughTransformedViews) {
    View root({0, 0, 480, 320});
    View& panel = root.addSubview(std::make_unique<View>(Rect{100, 50, 200, 100}));
    View& inner = panel.addSubview(std::make_unique<View>(Rect{10, 10, 40, 40}));
    panel.setTransform(AffineTransform::rotation(0.3).concat(AffineTransform::scale(1.5, 0.5)));
    const Point local{5, 7};
    const Point inRoot = inner.convertPoint(local, &root);
    expectNear(root.convertPoint(inRoot, &inner), local);
    expectNear(inner.convertPointFromWindow(inner.convertPointToWindow(local)), local);

    panel.setTransform(AffineTransform::identity());
    expectNear(inner.convertPoint({0, 0}, &root), {110, 60});
    expectNear(root.convertPoint({110, 60}, &inner), {0, 0});
}

TEST_F(ViewTest, SubviewOrderOwnershipAndRemoval) {
    View root;
    View& a = root.addSubview(std::make_unique<View>());
    View& b = root.addSubview(std::make_unique<View>());
    root.insertSubview(std::make_unique<View>(), 0);
    View* c = root.subviews()[0];
    EXPECT_EQ(root.subviews(), (std::vector<View*>{c, &a, &b}));
    root.bringSubviewToFront(a);
    EXPECT_EQ(root.subviews(), (std::vector<View*>{c, &b, &a}));
    root.sendSubviewToBack(a);
    EXPECT_EQ(root.subviews(), (std::vector<View*>{&a, c, &b}));

    std::unique_ptr<View> removed = b.removeFromSuperview();
    EXPECT_EQ(removed.get(), &b);
    EXPECT_EQ(b.superview(), nullptr);
    EXPECT_EQ(root.subviews().size(), 2u);

    // A view owned elsewhere can be shown and leaves its superview when it goes away.
    auto borrowed = std::make_unique<View>();
    root.addSubview(*borrowed);
    EXPECT_EQ(root.subviews().back(), borrowed.get());
    EXPECT_EQ(borrowed->removeFromSuperview(), nullptr);
    root.addSubview(*borrowed);
    borrowed.reset();
    EXPECT_EQ(root.subviews().size(), 2u);

    a.setName("alpha");
    View& deep = a.addSubview(std::make_unique<View>());
    deep.setName("deep");
    EXPECT_EQ(root.findViewNamed("deep"), &deep);
    EXPECT_TRUE(deep.isDescendantOf(root));
    EXPECT_EQ(root.findViewNamed("missing"), nullptr);
}

TEST_F(ViewTest, AddingAViewAlreadyThereBringsItToTheTopAndRemovingADetachedOneDoesNothing) {
    View root;
    View& owned = root.addSubview(std::make_unique<View>());
    View borrowed;
    root.addSubview(borrowed);
    View& last = root.addSubview(std::make_unique<View>());

    // Again by reference: the same view moves to the top, once, and keeps its owner.
    root.addSubview(owned);
    EXPECT_EQ(root.subviews(), (std::vector<View*>{&borrowed, &last, &owned}));
    root.addSubview(borrowed);
    EXPECT_EQ(root.subviews(), (std::vector<View*>{&last, &owned, &borrowed}));
    std::unique_ptr<View> taken = owned.removeFromSuperview();
    EXPECT_EQ(taken.get(), &owned) << "the superview still owned it";

    // Removed again while detached: nothing changes, nothing is handed out.
    EXPECT_EQ(owned.removeFromSuperview(), nullptr);
    EXPECT_EQ(borrowed.removeFromSuperview(), nullptr);
    EXPECT_EQ(borrowed.removeFromSuperview(), nullptr);
    EXPECT_EQ(root.subviews(), (std::vector<View*>{&last}));
    EXPECT_EQ(last.superview(), &root);
}

TEST_F(ViewTest, HitTestingFindsTheTopmostVisibleInteractiveView) {
    View root({0, 0, 480, 320});
    View& below = root.addSubview(std::make_unique<View>(Rect{0, 0, 200, 200}));
    View& above = root.addSubview(std::make_unique<View>(Rect{100, 100, 200, 200}));
    View& child = above.addSubview(std::make_unique<View>(Rect{0, 0, 50, 50}));
    View& sticksOut = above.addSubview(std::make_unique<View>(Rect{-80, 0, 60, 60}));
    ImageView& picture = above.addSubview(std::make_unique<ImageView>());
    picture.setFrame({150, 150, 40, 40});

    EXPECT_EQ(root.hitTest({150, 150}), &above);
    EXPECT_EQ(root.hitTest({120, 120}), &child);
    EXPECT_EQ(root.hitTest({50, 50}), &below);
    EXPECT_EQ(root.hitTest({400, 10}), &root);
    EXPECT_EQ(root.hitTest({500, 10}), nullptr);
    // Outside its superview's bounds a subview is not hit; a picture passes touches on.
    EXPECT_EQ(root.hitTest({30, 110}), &below);
    EXPECT_EQ(root.hitTest({260, 260}), &above);
    (void)sticksOut;

    above.setHidden(true);
    EXPECT_EQ(root.hitTest({150, 150}), &below);
    above.setHidden(false);
    above.setUserInteractionEnabled(false);
    EXPECT_EQ(root.hitTest({120, 120}), &below);
    above.setUserInteractionEnabled(true);
    above.setAlpha(0);
    EXPECT_EQ(root.hitTest({120, 120}), &below);
    above.setAlpha(1);
    picture.setUserInteractionEnabled(true);
    EXPECT_EQ(root.hitTest({260, 260}), &picture);

    // A rotated view is hit where it is drawn, not where its untransformed frame would be.
    above.setTransform(AffineTransform::rotation(std::numbers::pi / 4));
    EXPECT_EQ(root.hitTest({200, 65}), &child);
    EXPECT_EQ(root.hitTest({295, 105}), &root);
}

TEST_F(ViewTest, ImageViewFrameAnimationFollowsTheClock) {
    ImageView view;
    view.setAnimationImages({"a.png", "b.png", "c.png"});
    view.setAnimationRepeatCount(1);
    EXPECT_FALSE(view.isAnimating());
    view.startAnimating();
    RunLoop& loop = RunLoop::main();
    EXPECT_EQ(view.currentImage(), "a.png");
    loop.runFor(1.0 / 30);
    EXPECT_EQ(view.currentImage(), "b.png");
    loop.runFor(1.0 / 30);
    EXPECT_EQ(view.currentImage(), "c.png");
    EXPECT_TRUE(view.isAnimating());
    loop.runFor(1.0 / 30);
    // One pass of three frames at 30 per second is over: back to the still picture (none).
    EXPECT_FALSE(view.isAnimating());
    EXPECT_EQ(view.currentImage(), "");

    view.setAnimationRepeatCount(0);
    view.setAnimationDuration(3);
    view.startAnimating();
    loop.runFor(10);
    EXPECT_TRUE(view.isAnimating());
    EXPECT_EQ(view.currentImage(), "b.png");
    view.stopAnimating();
    EXPECT_FALSE(view.isAnimating());
}

}  // namespace
