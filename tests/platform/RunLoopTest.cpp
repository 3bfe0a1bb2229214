// Timer order, dropped ticks of late repeating timers, invalidation and deferred calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/RunLoop.h"

namespace {

class RunLoopTest : public ::testing::Test {
protected:
    void SetUp() override { Platform::installHeadless(); }
    RunLoop& loop() { return RunLoop::main(); }
};

TEST_F(RunLoopTest, TimersFireInTimeOrderAndTiesInSchedulingOrder) {
    std::vector<std::string> fired;
    loop().performAfterDelay(0.3, [&] { fired.push_back("c"); });
    loop().performAfterDelay(0.1, [&] { fired.push_back("a1"); });
    loop().performAfterDelay(0.2, [&] { fired.push_back("b"); });
    loop().performAfterDelay(0.1, [&] { fired.push_back("a2"); });
    loop().post([&] { fired.push_back("now"); });
    loop().runFor(0.25);
    EXPECT_EQ(fired, (std::vector<std::string>{"now", "a1", "a2", "b"}));
    EXPECT_DOUBLE_EQ(loop().now(), 0.25);
    loop().runFor(1);
    EXPECT_EQ(fired.back(), "c");
}

TEST_F(RunLoopTest, RepeatingTimerFiresOncePerIntervalWithoutDrift) {
    int ticks = 0;
    std::vector<double> times;
    auto timer = loop().scheduleTimer(0.01, true, [&] { ++ticks; });
    loop().scheduleTimer(0.25, true, [&] { times.push_back(loop().now()); });
    loop().runFor(1.0);
    EXPECT_EQ(ticks, 100);
    EXPECT_EQ(times, (std::vector<double>{0.25, 0.5, 0.75, 1.0}));
    loop().runFor(2.0);
    EXPECT_EQ(ticks, 300);
    EXPECT_TRUE(timer->isValid());
}

TEST_F(RunLoopTest, LateRepeatingTimerFiresOnceAndSkipsMissedTicks) {
    std::vector<double> times;
    auto timer = loop().scheduleTimer(0.1, true, [&] { times.push_back(loop().now()); });
    // The loop is blocked (nothing runs) for 0.55 s, as when a frame takes too long.
    loop().clock().waitUntil(secondsToNanoseconds(0.55));
    loop().runDueTimers();
    ASSERT_EQ(times.size(), 1u);
    EXPECT_DOUBLE_EQ(*loop().nextFireDate(), 0.6);
    loop().runFor(0.1);
    EXPECT_EQ(times, (std::vector<double>{0.55, 0.6}));
}

TEST_F(RunLoopTest, SlowCallbackMakesRepeatingTimerSkipTicks) {
    std::vector<double> times;
    loop().scheduleTimer(0.1, true, [&] {
        times.push_back(loop().now());
        if (times.size() == 1) {
            loop().clock().waitUntil(secondsToNanoseconds(0.35));  // a tick that takes 0.25 s
        }
    });
    loop().runFor(0.6);
    // The ticks due at 0.2 and 0.3 collapse into one late tick at 0.35; then the timer is back
    // on its grid.
    EXPECT_EQ(times, (std::vector<double>{0.1, 0.35, 0.4, 0.5, 0.6}));
}

TEST_F(RunLoopTest, InvalidatedTimersNeverFire) {
    int oneShot = 0;
    int repeating = 0;
    auto once = loop().performAfterDelay(0.5, [&] { ++oneShot; });
    auto repeat = loop().scheduleTimer(0.1, true, [&] { ++repeating; });
    loop().runFor(0.25);
    once->invalidate();
    repeat->invalidate();
    loop().runFor(1);
    EXPECT_EQ(oneShot, 0);
    EXPECT_EQ(repeating, 2);
    EXPECT_FALSE(loop().nextFireDate().has_value());
    EXPECT_EQ(loop().scheduledTimerCount(), 0u);
}

TEST_F(RunLoopTest, CallbackCanInvalidateItselfOrATimerDueAtTheSameMoment) {
    int selfTicks = 0;
    int otherTicks = 0;
    std::shared_ptr<Timer> self;
    std::shared_ptr<Timer> other;
    self = loop().scheduleTimer(0.1, true, [&] {
        if (++selfTicks == 3) {
            self->invalidate();
            other->invalidate();
        }
    });
    other = loop().scheduleTimer(0.1, true, [&] { ++otherTicks; });
    loop().runFor(1);
    EXPECT_EQ(selfTicks, 3);
    // `other` was scheduled later, so at 0.3 it is invalidated before its turn.
    EXPECT_EQ(otherTicks, 2);
}

TEST_F(RunLoopTest, OneShotTimerIsInvalidAfterFiringAndMayScheduleFromItsCallback) {
    std::vector<double> times;
    std::shared_ptr<Timer> first;
    first = loop().performAfterDelay(0.1, [&] {
        times.push_back(loop().now());
        loop().performAfterDelay(0.1, [&] { times.push_back(loop().now()); });
    });
    loop().runFor(1);
    EXPECT_FALSE(first->isValid());
    ASSERT_EQ(times.size(), 2u);
    EXPECT_DOUBLE_EQ(times[1], 0.2);
}

TEST_F(RunLoopTest, RunDueTimersRunsOnlyWhatIsDueIncludingCallsPostedMeanwhile) {
    std::vector<std::string> fired;
    loop().performAfterDelay(0.5, [&] { fired.push_back("later"); });
    loop().post([&] {
        fired.push_back("first");
        loop().post([&] { fired.push_back("second"); });
    });
    loop().runDueTimers();
    EXPECT_EQ(fired, (std::vector<std::string>{"first", "second"}));
    EXPECT_DOUBLE_EQ(*loop().nextFireDate(), 0.5);
    EXPECT_DOUBLE_EQ(loop().now(), 0);
}

TEST_F(RunLoopTest, DroppingTheLastHandleOfAFiredTimerReleasesItsCallback) {
    auto token = std::make_shared<int>(0);
    std::weak_ptr<int> watch = token;
    loop().performAfterDelay(0.1, [token] {});
    token.reset();
    EXPECT_FALSE(watch.expired());
    loop().runFor(0.2);
    EXPECT_TRUE(watch.expired());
}

}  // namespace
