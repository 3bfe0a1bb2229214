// Canonical addresses and the last hop of forwarding headers.
#include <gtest/gtest.h>

#include "ClientAddress.h"

TEST(ClientAddress, OnlyBareAddressesAreAddresses) {
    EXPECT_EQ(canonicalAddress("203.0.113.5"), "203.0.113.5");
    EXPECT_EQ(canonicalAddress("2001:DB8:0:0:0:0:0:1"), "2001:db8::1");
    EXPECT_EQ(canonicalAddress("::ffff:203.0.113.5"), "203.0.113.5") << "IPv4-mapped";
    EXPECT_EQ(canonicalAddress("::1"), "::1");
    for (std::string text : {"", " 203.0.113.5", "203.0.113.5:80", "[::1]", "256.0.0.1",
                             "example.org", "fe80::1%lo", "203.0.113", "1.2.3.4.5"}) {
        EXPECT_EQ(canonicalAddress(text), std::nullopt) << text;
    }
    EXPECT_EQ(canonicalAddress(std::string("203.0.113.5\0junk", 16)), std::nullopt);
}

TEST(ClientAddress, TheLastHopCounts) {
    EXPECT_EQ(forwardedClientAddress({"192.0.2.1, 203.0.113.5"}, {}), "203.0.113.5");
    EXPECT_EQ(forwardedClientAddress({"192.0.2.1,203.0.113.5\t"}, {}), "203.0.113.5");
    EXPECT_EQ(forwardedClientAddress({"192.0.2.1", "203.0.113.6"}, {}), "203.0.113.6")
        << "the last field";
    EXPECT_EQ(forwardedClientAddress({}, {"203.0.113.7"}), "203.0.113.7");
    EXPECT_EQ(forwardedClientAddress({"203.0.113.8"}, {"192.0.2.9"}), "203.0.113.8")
        << "X-Forwarded-For first";
    EXPECT_EQ(forwardedClientAddress({}, {}), std::nullopt);
    EXPECT_EQ(forwardedClientAddress({"203.0.113.5, junk"}, {}), std::nullopt)
        << "never an earlier hop, which the client may have written";
    EXPECT_EQ(forwardedClientAddress({"203.0.113.5,"}, {}), std::nullopt);
    EXPECT_EQ(forwardedClientAddress({""}, {"203.0.113.7"}), std::nullopt)
        << "a present but empty X-Forwarded-For is not skipped";
}
