// Sliding-window attempt limits.
#include <gtest/gtest.h>

#include "AttemptThrottle.h"

using namespace std::chrono_literals;

TEST(AttemptThrottle, BlocksAKeyWhileTheLimitIsReachedWithinTheWindow) {
    AttemptThrottle throttle(3, 10min);
    auto start = AttemptThrottle::Clock::time_point{} + 1h;
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(throttle.isBlocked("bob", start + i * 1min));
        throttle.record("bob", start + i * 1min);
    }
    EXPECT_TRUE(throttle.isBlocked("bob", start + 3min));
    EXPECT_TRUE(throttle.isBlocked("BOB", start + 3min)) << "names count regardless of case";
    EXPECT_FALSE(throttle.isBlocked("alice", start + 3min));
    // The first attempt leaves the window ten minutes after it was made.
    EXPECT_FALSE(throttle.isBlocked("bob", start + 10min));
}

TEST(AttemptThrottle, ForgettingAKeyClearsItsAttempts) {
    AttemptThrottle throttle(2, 10min);
    auto now = AttemptThrottle::Clock::time_point{} + 1h;
    throttle.record("bob", now);
    throttle.record("bob", now);
    ASSERT_TRUE(throttle.isBlocked("bob", now));
    throttle.forget("Bob");
    EXPECT_FALSE(throttle.isBlocked("bob", now));
}

TEST(AttemptThrottle, ManyDifferentKeysDoNotReleaseABlockedOne) {
    AttemptThrottle throttle(2, 10min);
    auto now = AttemptThrottle::Clock::time_point{} + 1h;
    throttle.record("bob", now);
    throttle.record("bob", now);
    for (int i = 0; i < 20'000; ++i) {
        throttle.record("name" + std::to_string(i), now);
    }
    EXPECT_TRUE(throttle.isBlocked("bob", now + 1min));
}
