// Request targets split into path and values the strict way.
#include <gtest/gtest.h>

#include "QueryString.h"

namespace {

std::string first(const RequestTarget& target, const std::string& key) {
    auto found = target.query.find(key);
    return found == target.query.end() ? "<none>" : found->second;
}

}  // namespace

TEST(QueryString, APairIsSplitAtItsFirstEqualsSign) {
    RequestTarget target = parseRequestTarget("/join.php?username=bob&password=abc=secret9");
    EXPECT_EQ(target.path, "/join.php");
    EXPECT_EQ(first(target, "username"), "bob");
    EXPECT_EQ(first(target, "password"), "abc=secret9");
    EXPECT_EQ(first(parseRequestTarget("/s?score=1%20OR%201=1"), "score"), "1 OR 1=1");
    EXPECT_EQ(first(parseRequestTarget("/s?a==&b"), "a"), "=");
    EXPECT_EQ(first(parseRequestTarget("/s?a==&b"), "b"), "");
}

TEST(QueryString, OnlyTwoDigitEscapesAreDecoded) {
    RequestTarget target =
        parseRequestTarget("/p?u=%u0041%41&v=a+b%2Bc&w=%&x=%4&y=%zz&z=%e2%82%AC");
    EXPECT_EQ(first(target, "u"), "%u0041A");
    EXPECT_EQ(first(target, "v"), "a b+c");
    EXPECT_EQ(first(target, "w"), "%");
    EXPECT_EQ(first(target, "x"), "%4");
    EXPECT_EQ(first(target, "y"), "%zz");
    EXPECT_EQ(first(target, "z"), "\xe2\x82\xac");
    EXPECT_EQ(first(parseRequestTarget("/p?%75ser%3D=x"), "user="), "x") << "keys decode too";
}

TEST(QueryString, TheFirstOfRepeatedKeysCountsAndEmptyPairsAreSkipped) {
    RequestTarget target = parseRequestTarget("/a%2Fb.php?&&k=1&k=2&&");
    EXPECT_EQ(target.path, "/a/b.php");
    EXPECT_EQ(target.query.size(), 2u);
    EXPECT_EQ(first(target, "k"), "1");
    EXPECT_TRUE(parseRequestTarget("/plain").query.empty());
    EXPECT_TRUE(parseRequestTarget("/plain?").query.empty());
}
