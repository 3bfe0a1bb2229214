// Input mapping of a scaled window (the letterbox) and the test that tells the event loop
// whether it must keep drawing.
#include <gtest/gtest.h>

#include "platform/ActivityIndicatorView.h"
#include "platform/ImageView.h"
#include "platform/Platform.h"
#include "platform/sdl/Letterbox.h"
#include "platform/sdl/Motion.h"

namespace {
TEST(LetterboxTest, WiderWindowGetsBarsLeftAndRight) {
    const Letterbox box = Letterbox::fit({480, 320}, {1280, 720});
    EXPECT_DOUBLE_EQ(box.scale, 2.25);
    EXPECT_DOUBLE_EQ(box.offsetX, 100);
    EXPECT_DOUBLE_EQ(box.offsetY, 0);
    EXPECT_EQ(box.toLogical({100, 0}), (Point{0, 0}));
    EXPECT_EQ(box.toLogical({1180, 720}), (Point{480, 320}));
    EXPECT_EQ(box.toLogical({640, 360}), (Point{240, 160}));
    // In the bars a point lies outside the screen, where no view is hit.
    EXPECT_LT(box.toLogical({50, 10}).x, 0);
}

TEST(LetterboxTest, TallerWindowGetsBarsAboveAndBelow) {
    const Letterbox box = Letterbox::fit({1024, 768}, {1024, 1024});
    EXPECT_DOUBLE_EQ(box.scale, 1);
    EXPECT_DOUBLE_EQ(box.offsetY, 128);
    EXPECT_EQ(box.toLogical({512, 128}), (Point{512, 0}));
    EXPECT_EQ(box.toOutput({512, 0}), (Point{512, 128}));
}

TEST(LetterboxTest, ExactMultipleAndDegenerateSizes) {
    const Letterbox doubled = Letterbox::fit({480, 320}, {960, 640});
    EXPECT_EQ(doubled.toLogical({960, 640}), (Point{480, 320}));
    EXPECT_EQ(doubled.transform().apply({10, 20}), (Point{20, 40}));
    const Letterbox empty = Letterbox::fit({480, 320}, {0, 0});
    EXPECT_DOUBLE_EQ(empty.scale, 1);
}

TEST(LetterboxTest, NormalizedTouchesMapThroughTheWindowSize) {
    const Size window{1280, 720};
    const Letterbox box = Letterbox::fit({480, 320}, window);
    EXPECT_EQ(normalizedToLogical(box, window, 0.5, 0.5), (Point{240, 160}));
    const Point corner = normalizedToLogical(box, window, 100.0 / 1280, 0);
    EXPECT_NEAR(corner.x, 0, 1e-9);
    EXPECT_NEAR(corner.y, 0, 1e-9);
}

class MotionTest : public ::testing::Test {
protected:
    void SetUp() override { Platform::installHeadless(); }
    std::optional<double> nextChange() { return ::nextChange(root, RunLoop::main().now()); }

    View root{Rect{0, 0, 100, 100}};
};

TEST_F(MotionTest, StillTreeNeverChanges) {
    root.addSubview(std::make_unique<View>(Rect{0, 0, 10, 10}));
    EXPECT_EQ(nextChange(), std::nullopt);
}

TEST_F(MotionTest, ViewAnimationChangesEveryFrameUntilItEnds) {
    View& view = root.addSubview(std::make_unique<View>(Rect{0, 0, 10, 10}));
    animateViews({"moveField", 0.5, 0, AnimationCurve::EaseInOut, {}}, [&] {
        view.setFrame({0, 50, 10, 10});
    });
    EXPECT_EQ(nextChange(), RunLoop::main().now());
    RunLoop::main().runFor(0.6);
    EXPECT_EQ(nextChange(), std::nullopt);
}

TEST_F(MotionTest, FrameAnimationChangesEveryFrameWhileItPlays) {
    auto image = std::make_unique<ImageView>();
    image->setAnimationImages({"a.png", "b.png"});
    image->setAnimationRepeatCount(1);
    ImageView& frames = root.addSubview(std::move(image));
    frames.startAnimating();
    EXPECT_EQ(nextChange(), RunLoop::main().now());
    RunLoop::main().runFor(1);
    EXPECT_EQ(nextChange(), std::nullopt);
}

TEST_F(MotionTest, SpinningIndicatorChangesAtItsNextStepWhileVisible) {
    View& holder = root.addSubview(std::make_unique<View>(Rect{0, 0, 50, 50}));
    auto& indicator = holder.addSubview(std::make_unique<ActivityIndicatorView>());
    EXPECT_EQ(nextChange(), std::nullopt);
    indicator.startAnimating();
    RunLoop::main().runFor(0.01);
    const double step = 1.0 / kIndicatorStepsPerSecond;
    ASSERT_TRUE(nextChange());
    EXPECT_NEAR(*nextChange(), step, 1e-9);
    RunLoop::main().runFor(step);
    EXPECT_NEAR(*nextChange(), 2 * step, 1e-9);

    // A continuous motion elsewhere wins over the indicator's step.
    View& moving = root.addSubview(std::make_unique<View>(Rect{0, 0, 10, 10}));
    animateViews({"move", 1, 0, AnimationCurve::Linear, {}}, [&] { moving.setCenter({90, 90}); });
    EXPECT_EQ(nextChange(), RunLoop::main().now());
    moving.stopAnimations();

    holder.setHidden(true);
    EXPECT_EQ(nextChange(), std::nullopt);
}
}  // namespace
