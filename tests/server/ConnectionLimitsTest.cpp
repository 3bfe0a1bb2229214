// Per-address connection counts and request allowances.
#include <gtest/gtest.h>

#include "ConnectionLimits.h"

using namespace std::chrono_literals;

TEST(ConnectionLimits, CountsConnectionsPerAddressAndInAll) {
    ConnectionLimits limits({3, 2, 0});
    EXPECT_TRUE(limits.tryOpen("10.0.0.1"));
    EXPECT_TRUE(limits.tryOpen("10.0.0.1"));
    EXPECT_FALSE(limits.tryOpen("10.0.0.1")) << "two per address";
    EXPECT_TRUE(limits.tryOpen("10.0.0.2"));
    EXPECT_FALSE(limits.tryOpen("10.0.0.3")) << "three in all";
    EXPECT_EQ(limits.openConnections(), 3u);
    limits.close("10.0.0.1");
    EXPECT_TRUE(limits.tryOpen("10.0.0.3"));
    EXPECT_FALSE(limits.tryOpen("10.0.0.1"));
    limits.close("10.0.0.9");  // never opened: changes nothing
    EXPECT_EQ(limits.openConnections(), 3u);

    ConnectionLimits unlimited({0, 0, 0});
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(unlimited.tryOpen("10.0.0.1"));
    }
}

TEST(ConnectionLimits, AnAddressGetsBurstsOfTwoSecondsWorthThenItsRate) {
    ConnectionLimits limits({0, 0, 10});
    auto start = ConnectionLimits::Clock::time_point{} + 1h;
    int granted = 0;
    for (int i = 0; i < 50; ++i) {
        granted += limits.tryRequest("10.0.0.1", start);
    }
    EXPECT_EQ(granted, 20);
    EXPECT_TRUE(limits.tryRequest("10.0.0.2", start)) << "other addresses have their own";
    EXPECT_FALSE(limits.tryRequest("10.0.0.1", start + 50ms));
    EXPECT_TRUE(limits.tryRequest("10.0.0.1", start + 100ms)) << "one every tenth of a second";
    EXPECT_FALSE(limits.tryRequest("10.0.0.1", start + 100ms));

    ConnectionLimits unlimited({0, 0, 0});
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(unlimited.tryRequest("10.0.0.1", start));
    }
}

TEST(ConnectionLimits, AProxysConnectionsCountOnlyInAll) {
    ConnectionLimits limits({4, 1, 0});
    EXPECT_TRUE(limits.tryOpen("10.0.0.1", false));
    EXPECT_TRUE(limits.tryOpen("10.0.0.1", false));
    EXPECT_TRUE(limits.tryOpen("10.0.0.1", false));
    EXPECT_FALSE(limits.tryOpen("10.0.0.1")) << "held to the limit when not proxied";
    EXPECT_TRUE(limits.tryOpen("10.0.0.2"));
    EXPECT_FALSE(limits.tryOpen("10.0.0.1", false)) << "four in all";
    limits.close("10.0.0.1");
    limits.close("10.0.0.1");
    EXPECT_EQ(limits.openConnections(), 2u);
    EXPECT_TRUE(limits.tryOpen("10.0.0.1", false));
}
