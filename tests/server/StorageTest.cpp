// The ranking and the backup copies on a real database file.
#include <gtest/gtest.h>

#include <algorithm>

#include "BackupStore.h"
#include "Database.h"
#include "Ranking.h"
#include "ServerTestSupport.h"
#include "UserStore.h"

namespace {

class StorageTest : public ::testing::Test {
protected:
    int64_t addUser(const std::string& name, const std::string& country = "Poland") {
        return users.create(name, "hash", "x@example.com", country, 0);
    }

    TemporaryDirectory directory;
    Database database{directory.path() / "test.sqlite"};
    UserStore users{database};
    Ranking ranking{database};
    BackupStore backups{database};
};

}  // namespace

TEST_F(StorageTest, NamesAreUniqueRegardlessOfCase) {
    addUser("Bob");
    try {
        addUser("bob");
        FAIL() << "a second bob was created";
    } catch (const DatabaseError& error) {
        EXPECT_TRUE(error.isConstraintViolation());
    }
    auto found = users.find("BOB");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->name, "Bob");
}

TEST_F(StorageTest, TiedPlayersShareAPositionAndAreListedInTheOrderTheyReachedIt) {
    int64_t anna = addUser("anna");
    int64_t bert = addUser("bert", "Chad");
    int64_t cleo = addUser("cleo");
    int64_t dora = addUser("dora");
    ranking.setTotal(bert, 500, 1);
    ranking.setTotal(anna, 500, 2);
    ranking.setTotal(cleo, 900, 3);
    ranking.setTotal(dora, 100, 4);

    EXPECT_EQ(ranking.position(cleo), 1);
    EXPECT_EQ(ranking.position(bert), 2);
    EXPECT_EQ(ranking.position(anna), 2);
    EXPECT_EQ(ranking.position(dora), 4);
    auto top = ranking.top();
    ASSERT_EQ(top.size(), 4u);
    EXPECT_EQ(top[0].name, "cleo");
    EXPECT_EQ(top[1].name, "bert");
    EXPECT_EQ(top[1].country, "Chad");
    EXPECT_EQ(top[1].points, 500);
    EXPECT_EQ(top[2].name, "anna");
    EXPECT_EQ(top[3].name, "dora");

    // Resending the same total keeps the player's place among the tied; a change moves it.
    ranking.setTotal(bert, 500, 10);
    EXPECT_EQ(ranking.top()[1].name, "bert");
    ranking.setTotal(bert, 400, 11);
    ranking.setTotal(bert, 500, 12);
    EXPECT_EQ(ranking.top()[1].name, "anna");
    // Totals may go down (the game sends what it has).
    ranking.setTotal(cleo, 0, 13);
    EXPECT_EQ(ranking.position(cleo), 4);
}

TEST_F(StorageTest, PositionsMatchACountOfEveryoneAheadAcrossBandsAndChanges) {
    // Totals on and around the edges of the 100-point bands, with ties, moved around twice.
    const int64_t values[] = {0, 0, 1, 99, 100, 100, 101, 199, 250, 4999, 5000, 86999, 87000};
    std::vector<int64_t> ids;
    std::vector<int64_t> points;
    for (size_t i = 0; i < 60; ++i) {
        ids.push_back(addUser("p" + std::to_string(i) + "xx"));
        points.push_back(values[(i * 7) % std::size(values)]);
        ranking.setTotal(ids.back(), points.back(), 0);
    }
    for (int round = 0; round < 3; ++round) {
        for (size_t i = 0; i < ids.size(); ++i) {
            int64_t ahead = std::count_if(points.begin(), points.end(),
                                          [&](int64_t other) { return other > points[i]; });
            ASSERT_EQ(ranking.position(ids[i]), ahead + 1)
                << "round " << round << ", " << points[i];
        }
        for (size_t i = round; i < ids.size(); i += 3) {
            points[i] = values[(i + 5 * round + 3) % std::size(values)];
            ranking.setTotal(ids[i], points[i], 0);
        }
    }
}

TEST_F(StorageTest, PlayersWithoutATotalHaveNoPositionAndTheListStopsAtOneHundred) {
    int64_t idle = addUser("idle");
    EXPECT_FALSE(ranking.position(idle));
    for (int i = 0; i < 150; ++i) {
        ranking.setTotal(addUser("p" + std::to_string(i) + "xx"), i, i);
    }
    auto top = ranking.top();
    ASSERT_EQ(top.size(), 100u);
    EXPECT_EQ(top.front().points, 149);
    EXPECT_EQ(top.back().points, 50);
}

TEST_F(StorageTest, EveryCopyIsKeptUpToTheLimitAndTheNewestIsCurrent) {
    int64_t bob = addUser("bob");
    int64_t eve = addUser("eve");
    EXPECT_FALSE(backups.current(bob));
    std::vector<int64_t> ids;
    for (int i = 0; i < BackupStore::kCopiesKept + 5; ++i) {
        ids.push_back(backups.add(bob, {{1, i, "handgun"}}, "createCopy", 1000 + i));
    }
    backups.add(eve, {{2, 7, "handgun"}}, "createCopy", 5);

    auto current = backups.current(bob);
    ASSERT_TRUE(current);
    EXPECT_EQ(*current, (std::vector<BackupRow>{{1, BackupStore::kCopiesKept + 4, "handgun"}}));
    auto copies = backups.list(bob);
    ASSERT_EQ(copies.size(), static_cast<size_t>(BackupStore::kCopiesKept));
    EXPECT_EQ(copies.front().id, ids.back());
    EXPECT_EQ(copies.back().id, ids[5]) << "the oldest five went";
    EXPECT_EQ(copies.front().rowCount, 1);
    EXPECT_EQ(copies.front().origin, "createCopy");
    EXPECT_EQ(backups.list(eve).size(), 1u) << "another user's copies are untouched";
}

TEST_F(StorageTest, BringingBackACopyMakesItCurrentAndKeepsTheOneItReplaces) {
    int64_t bob = addUser("bob");
    int64_t good = backups.add(bob, {{1, 2500, "handgun"}, {2, 2000, "handgun"}}, "createCopy", 1);
    backups.add(bob, {}, "createCopy", 2);
    ASSERT_TRUE(backups.current(bob)->empty());

    auto restored = backups.bringBack(good, 3);
    ASSERT_TRUE(restored);
    EXPECT_EQ(*backups.current(bob),
              (std::vector<BackupRow>{{1, 2500, "handgun"}, {2, 2000, "handgun"}}));
    auto copies = backups.list(bob);
    ASSERT_EQ(copies.size(), 3u);
    EXPECT_EQ(copies.front().origin, "operator");
    EXPECT_FALSE(backups.bringBack(9999, 4));
}

TEST_F(StorageTest, DataSurvivesReopeningTheFile) {
    int64_t bob = addUser("bob");
    ranking.setTotal(bob, 321, 1);
    backups.add(bob, {{5, 50, "handgun"}}, "createCopy", 1);

    Database reopened(directory.path() / "test.sqlite");
    EXPECT_EQ(Ranking(reopened).position(bob), 1);
    EXPECT_EQ(*BackupStore(reopened).current(bob), (std::vector<BackupRow>{{5, 50, "handgun"}}));
}

TEST_F(StorageTest, ADatabaseOfTheFirstVersionIsBroughtToTheLatestAndKeepsItsUsers) {
    std::filesystem::path file = directory.path() / "old.sqlite";
    {
        sqlite3* connection = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &connection), SQLITE_OK);
        ASSERT_EQ(
            sqlite3_exec(connection,
                         "CREATE TABLE users(id INTEGER PRIMARY KEY, name TEXT NOT NULL "
                         "UNIQUE COLLATE NOCASE, password_hash TEXT NOT NULL, mail TEXT NOT "
                         "NULL, country TEXT NOT NULL, created_at INTEGER NOT NULL);"
                         "INSERT INTO users VALUES(7, 'ola', 'h', 'o@example.com', 'Chad', 1);",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
        sqlite3_close(connection);
    }
    for (int opening = 0; opening < 2; ++opening) {
        Database upgraded(file);
        UserStore store(upgraded);
        std::optional<User> ola = store.find("OLA");
        ASSERT_TRUE(ola);
        EXPECT_EQ(ola->id, 7);
        EXPECT_EQ(ola->passwordHash, "h");
        if (opening == 0) {
            EXPECT_FALSE(ola->reminderHash);
            EXPECT_EQ(ola->sessionHash, "");
            store.setReminder(7, "r", 99);
            store.setSession(7, "s", 98);
        } else {
            EXPECT_EQ(ola->reminderHash, "r");
            EXPECT_EQ(ola->reminderExpiresAt, 99);
            EXPECT_EQ(ola->sessionHash, "s");
            EXPECT_EQ(ola->sessionExpiresAt, 98);
            Query version = upgraded.query("PRAGMA user_version");
            ASSERT_TRUE(version.step());
            EXPECT_EQ(version.integer(0), 3);
        }
    }
}

TEST_F(StorageTest, ADatabaseOfANewerProgramIsRefusedAndLeftAsItIs) {
    std::filesystem::path file = directory.path() / "newer.sqlite";
    {
        sqlite3* connection = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &connection), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(connection, "PRAGMA user_version=99", nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(connection);
    }
    try {
        Database newer(file);
        FAIL() << "a database of schema version 99 was opened";
    } catch (const DatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("schema version 99"), std::string::npos)
            << error.what();
    }
    sqlite3* connection = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &connection), SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(connection, "SELECT COUNT(*) FROM sqlite_master", -1, &statement, nullptr);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(statement, 0), 0) << "tables were added to the newer file";
    sqlite3_finalize(statement);
    sqlite3_close(connection);
}

TEST_F(StorageTest, AReadersKeptBandCountsFollowEveryCommitOfTheWriter) {
    int64_t anna = addUser("anna");
    int64_t bert = addUser("bert");
    int64_t cleo = addUser("cleo");
    int64_t dora = addUser("dora");
    int64_t emil = addUser("emil");
    ranking.setTotal(anna, 500, 1);
    ranking.setTotal(bert, 1500, 2);
    ranking.setTotal(cleo, 1550, 3);
    ranking.setTotal(dora, 90, 4);

    Database reader(directory.path() / "test.sqlite", Database::Access::Read);
    Ranking readRanking(reader);
    BandCounts bands;
    auto positionOf = [&](int64_t userId) {
        Transaction snapshot(reader, Transaction::Kind::Read);
        std::optional<int64_t> position = readRanking.position(userId, &bands);
        snapshot.commit();
        return position;
    };
    EXPECT_EQ(positionOf(anna), 3);
    EXPECT_EQ(positionOf(dora), 4);
    EXPECT_EQ(positionOf(emil), std::nullopt);

    ranking.setTotal(dora, 2000, 5);  // from a band below to the top
    EXPECT_EQ(positionOf(anna), 4);
    EXPECT_EQ(positionOf(dora), 1);
    ranking.setTotal(cleo, 501, 6);  // into anna's band, just above her
    EXPECT_EQ(positionOf(anna), 4);
    EXPECT_EQ(positionOf(cleo), 3);
    ranking.setTotal(bert, 0, 7);  // to the bottom band
    EXPECT_EQ(positionOf(anna), 3);
    EXPECT_EQ(positionOf(bert), 4);
    ranking.setTotal(emil, 87000, 8);  // the highest band
    EXPECT_EQ(positionOf(emil), 1);
    EXPECT_EQ(positionOf(bert), 5);
}
