// Sliding-window attempt limits.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "AttemptThrottle.h"

using namespace std::chrono_literals;

TEST(AttemptThrottle, TakesAttemptsUntilTheLimitIsReachedWithinTheWindow) {
    AttemptThrottle throttle(3, 10min);
    auto start = AttemptThrottle::Clock::time_point{} + 1h;
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(throttle.tryTake("bob", start + i * 1min));
    }
    EXPECT_FALSE(throttle.tryTake("bob", start + 3min));
    EXPECT_FALSE(throttle.tryTake("BOB", start + 3min)) << "names count regardless of case";
    EXPECT_TRUE(throttle.tryTake("alice", start + 3min));
    // A refused attempt is not counted: the first attempt leaves the window ten minutes after it
    // was made, and then exactly one more is allowed.
    EXPECT_TRUE(throttle.tryTake("bob", start + 10min));
    EXPECT_FALSE(throttle.tryTake("bob", start + 10min));
}

TEST(AttemptThrottle, ForgettingAKeyClearsItsAttempts) {
    AttemptThrottle throttle(2, 10min);
    auto now = AttemptThrottle::Clock::time_point{} + 1h;
    ASSERT_TRUE(throttle.tryTake("bob", now));
    ASSERT_TRUE(throttle.tryTake("bob", now));
    ASSERT_FALSE(throttle.tryTake("bob", now));
    throttle.forget("Bob");
    EXPECT_TRUE(throttle.tryTake("bob", now));
}

TEST(AttemptThrottle, ManyDifferentKeysDoNotReleaseABlockedOne) {
    AttemptThrottle throttle(2, 10min);
    auto now = AttemptThrottle::Clock::time_point{} + 1h;
    throttle.tryTake("bob", now);
    throttle.tryTake("bob", now);
    for (int i = 0; i < 20'000; ++i) {
        throttle.tryTake("name" + std::to_string(i), now);
    }
    EXPECT_FALSE(throttle.tryTake("bob", now + 1min));
}

TEST(AttemptThrottle, ThreadsRacingForOneKeyGetExactlyTheLimit) {
    AttemptThrottle throttle(5, 10min);
    auto now = AttemptThrottle::Clock::time_point{} + 1h;
    std::atomic<int> taken = 0;
    std::vector<std::thread> threads;
    for (int i = 0; i < 16; ++i) {
        threads.emplace_back([&] {
            for (int j = 0; j < 50; ++j) {
                taken += throttle.tryTake("bob", now);
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(taken, 5);
}
