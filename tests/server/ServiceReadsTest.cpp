// The service's reads beside its writes: the kept ranking list follows every change that alters
// it, and reads are answered while a write waits for the database.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <regex>

#include "ServerTestSupport.h"
#include "Service.h"
#include "SessionCookie.h"
#include "SqliteStorage.h"

namespace {

using namespace std::chrono_literals;

struct Scores {
    std::vector<std::string> names;  // in the listed order
    std::string position;
};

class ServiceReadsTest : public ::testing::Test {
protected:
    // Each seeded player's requests carry that player's session.
    std::string call(std::string_view endpoint, QueryValues query) {
        auto name = query.find("username");
        return service.handle(endpoint, query, name == query.end() ? "" : sessionOf(name->second))
            .body;
    }
    static std::string sessionOf(const std::string& name) { return "session of " + name; }

    std::string sendScore(const std::string& name, int points) {
        return call("sendScore.php", {{"username", name}, {"score", std::to_string(points)}});
    }

    Scores scoresFor(const std::string& name) {
        std::string reply = call("getScores.php", {{"username", name}});
        Scores scores;
        std::regex entry(R"re(\["([a-z0-9]+)","\d+","Poland"\])re");
        for (std::sregex_iterator it(reply.begin(), reply.end(), entry), end; it != end; ++it) {
            scores.names.push_back((*it)[1]);
        }
        std::smatch position;
        if (std::regex_search(reply, position, std::regex(R"re(,"([0-9-]+)"\]$)re"))) {
            scores.position = position[1];
        }
        return scores;
    }

    // Players "player1" ... "playerN" with totals 1000 + 10 * i, stored before the service
    // reads anything (so without spending a password hash on each).
    void seedPlayers(int count) {
        Database database(directory.path() / "kalvorn.sqlite");
        Transaction transaction(database);
        UserStore users(database);
        Ranking ranking(database);
        for (int i = 1; i <= count; ++i) {
            const std::string name = "player" + std::to_string(i);
            std::optional<int64_t> id =
                users.create({name, "hash", "p@example.com", "Poland", 0,
                              sessionTokenHash(sessionOf(name)), INT64_MAX});
            ASSERT_TRUE(id);
            ranking.setTotal(*id, 1000 + 10 * i, i);
        }
        transaction.commit();
    }

    static bool lists(const Scores& scores, const std::string& name) {
        return std::find(scores.names.begin(), scores.names.end(), name) != scores.names.end();
    }

    TemporaryDirectory directory;
    SqliteStorage storage{directory.path() / "kalvorn.sqlite"};
    Outbox outbox{directory.path() / "outbox"};
    Service service{storage, outbox};
};

}  // namespace

TEST_F(ServiceReadsTest, TheRankingListChangesRightAfterAScoreChangesIt) {
    seedPlayers(105);
    Scores scores = scoresFor("player1");
    ASSERT_EQ(scores.names.size(), 100u);
    EXPECT_EQ(scores.names.front(), "player105");
    EXPECT_EQ(scores.names.back(), "player6");
    EXPECT_EQ(scores.position, "105");

    // An unlisted player ties the best: listed second (reached it later), the last one drops out.
    EXPECT_EQ(sendScore("player1", 2050), "1");
    scores = scoresFor("player1");
    ASSERT_EQ(scores.names.size(), 100u);
    EXPECT_EQ(scores.names[0], "player105");
    EXPECT_EQ(scores.names[1], "player1");
    EXPECT_EQ(scores.names.back(), "player7");

    // A listed player falls out of the list.
    EXPECT_EQ(sendScore("player105", 0), "105");
    scores = scoresFor("player105");
    EXPECT_EQ(scores.names.front(), "player1");
    EXPECT_FALSE(lists(scores, "player105"));
    EXPECT_EQ(scores.names.back(), "player6");
    EXPECT_EQ(scores.position, "105");

    // Below the last listed total, and tied with it (reached later): the list stays as it was.
    const std::vector<std::string> before = scores.names;
    EXPECT_EQ(sendScore("player2", 1055), "101");
    EXPECT_EQ(sendScore("player3", 1060), "100");
    scores = scoresFor("player3");
    EXPECT_EQ(scores.names, before);
    EXPECT_EQ(scores.position, "100");

    // The last listed player drops below player3, who takes the last place.
    EXPECT_EQ(sendScore("player6", 1059), "101");
    scores = scoresFor("player6");
    ASSERT_EQ(scores.names.size(), 100u);
    EXPECT_EQ(scores.names.back(), "player3");
    EXPECT_FALSE(lists(scores, "player6"));
    EXPECT_EQ(scores.position, "101");
}

TEST_F(ServiceReadsTest, ReadsAreAnsweredWhileAWriteWaitsForTheDatabase) {
    seedPlayers(2);
    ASSERT_EQ(call("createCopy.php", {{"json", "[['2','40','handgun']]"}, {"username", "player1"}}),
              "[1]");
    // Another writer on the file (as the operator's commands are) holds the write lock.
    Database otherWriter(directory.path() / "kalvorn.sqlite");
    otherWriter.execute("BEGIN IMMEDIATE");
    auto pending = std::async(std::launch::async, [&] { return sendScore("player1", 5000); });
    ASSERT_EQ(pending.wait_for(300ms), std::future_status::timeout) << "stored past a lock";

    auto start = std::chrono::steady_clock::now();
    Scores scores = scoresFor("player1");
    EXPECT_EQ(scores.names, (std::vector<std::string>{"player2", "player1"}));
    EXPECT_EQ(scores.position, "2");
    EXPECT_EQ(call("restoreCopy.php", {{"username", "player1"}}),
              R"([[["2","40","handgun"]],"2"])");
    EXPECT_EQ(call("checkUser.php", {{"username", "newcomer"}, {"password", "secret1"}}), "[1]");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_EQ(pending.wait_for(0s), std::future_status::timeout);

    otherWriter.execute("ROLLBACK");
    EXPECT_EQ(pending.get(), "1");
    EXPECT_EQ(scoresFor("player1").names.front(), "player1");
}

TEST_F(ServiceReadsTest, AnUnchangedTotalIsAnsweredWithoutWaitingForTheWriter) {
    seedPlayers(3);  // totals 1010, 1020, 1030
    Database otherWriter(directory.path() / "kalvorn.sqlite");
    otherWriter.execute("BEGIN IMMEDIATE");
    auto changed = std::async(std::launch::async, [&] { return sendScore("player3", 900); });
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(sendScore("player1", 1010), "3");
    EXPECT_EQ(sendScore("player2", 1020), "2");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_EQ(changed.wait_for(0s), std::future_status::timeout) << "stored past a lock";

    otherWriter.execute("ROLLBACK");
    EXPECT_EQ(changed.get(), "3");
    EXPECT_EQ(sendScore("player1", 1010), "2");
}
