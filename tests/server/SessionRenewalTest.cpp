// Sessions on the service's clock: one lasts 30 days from its log-in, and a request with it made
// more than a day after it was set or last renewed moves its end to 30 days from then.
#include <gtest/gtest.h>

#include <atomic>

#include "ServerTestSupport.h"
#include "Service.h"
#include "SqliteStorage.h"

namespace {

constexpr int64_t kDay = 24 * 60 * 60;
constexpr int64_t kStart = 1'800'000'000;  // seconds since 1970, in 2027

class SessionRenewalTest : public ::testing::Test {
protected:
    SessionRenewalTest() {
        ServiceReply joined = service.handle("join.php", {{"username", "anna"},
                                                          {"password", "secret1"},
                                                          {"mail", "anna@example.com"},
                                                          {"country", "Poland"}});
        EXPECT_EQ(joined.body, "[1]");
        token = joined.newSession;
    }

    void advanceTo(int64_t secondsFromStart) { now = kStart + secondsFromStart; }

    ServiceReply sendScore(const std::string& score, const std::string& session) {
        return service.handle("sendScore.php", {{"username", "anna"}, {"score", score}}, session);
    }

    // The stored end of anna's session, in seconds from the start.
    int64_t storedExpiry() { return storage.findUser("anna")->sessionExpiresAt - kStart; }

    TemporaryDirectory directory;
    SqliteStorage storage{directory.path() / "kalvorn.sqlite"};
    Outbox outbox{directory.path() / "outbox"};
    std::atomic<int64_t> now = kStart;
    Service service{storage, outbox, [this] {
                        return std::chrono::system_clock::time_point(std::chrono::seconds(now));
                    }};
    std::string token;
};

}  // namespace

TEST_F(SessionRenewalTest, ASessionUsedAfterADayIsRenewedAndHandedBackOnceADay) {
    ASSERT_EQ(storedExpiry(), 30 * kDay);

    // Within the first day nothing is written and no cookie is set.
    advanceTo(kDay - 60);
    ServiceReply early = sendScore("100", token);
    EXPECT_EQ(early.body, "1");
    EXPECT_TRUE(early.newSession.empty());
    EXPECT_EQ(storedExpiry(), 30 * kDay);

    // Half a day before it would run out, the same token is renewed for 30 more days.
    advanceTo(29 * kDay + kDay / 2);
    ServiceReply late = sendScore("100", token);
    EXPECT_EQ(late.status, 200);
    EXPECT_EQ(late.body, "1");
    EXPECT_EQ(late.newSession, token);
    EXPECT_EQ(storedExpiry(), 59 * kDay + kDay / 2);
    ServiceReply again = sendScore("200", token);
    EXPECT_EQ(again.body, "1");
    EXPECT_TRUE(again.newSession.empty()) << "renewed twice within a day";

    // Past the first 30 days, the renewed session still opens the player's data.
    advanceTo(45 * kDay);
    ServiceReply restored = service.handle("restoreCopy.php", {{"username", "anna"}}, token);
    EXPECT_EQ(restored.body, R"([[],"1"])");
    EXPECT_TRUE(restored.newSession.empty()) << "a read renewed the session";
    ServiceReply copied = service.handle(
        "createCopy.php", {{"json", "[['1','10','handgun']]"}, {"username", "anna"}}, token);
    EXPECT_EQ(copied.body, "[1]");
    EXPECT_EQ(copied.newSession, token);
    EXPECT_EQ(storedExpiry(), 75 * kDay);
}

TEST_F(SessionRenewalTest, ASessionPastItsEndIsRefusedAndStaysEnded) {
    advanceTo(31 * kDay);
    ServiceReply refused = sendScore("100", token);
    EXPECT_EQ(refused.status, 404);
    EXPECT_EQ(refused.body, "0");
    EXPECT_TRUE(refused.newSession.empty());
    EXPECT_EQ(storedExpiry(), 30 * kDay);
    EXPECT_EQ(
        service.handle("createFirstLoginCopy.php", {{"json", "[]"}, {"username", "anna"}}, token)
            .body,
        R"([0,"Unknown user."])");
    EXPECT_EQ(storedExpiry(), 30 * kDay);

    // A new log-in opens a new session for 30 days from then.
    ServiceReply login =
        service.handle("loginUser.php", {{"username", "anna"}, {"password", "secret1"}});
    ASSERT_EQ(login.body, "[1]");
    EXPECT_EQ(storedExpiry(), 61 * kDay);
    EXPECT_EQ(sendScore("100", login.newSession).body, "1");
}

TEST_F(SessionRenewalTest, AReplacedSessionIsNeitherAcceptedNorRenewed) {
    advanceTo(2 * kDay);
    ServiceReply login =
        service.handle("loginUser.php", {{"username", "anna"}, {"password", "secret1"}});
    ASSERT_EQ(login.body, "[1]");
    ASSERT_NE(login.newSession, token);
    EXPECT_EQ(storedExpiry(), 32 * kDay);

    advanceTo(5 * kDay);
    ServiceReply old = sendScore("100", token);
    EXPECT_EQ(old.status, 404);
    EXPECT_TRUE(old.newSession.empty());
    EXPECT_EQ(storedExpiry(), 32 * kDay);

    ServiceReply current = sendScore("100", login.newSession);
    EXPECT_EQ(current.body, "1");
    EXPECT_EQ(current.newSession, login.newSession);
    EXPECT_EQ(storedExpiry(), 35 * kDay);
}
