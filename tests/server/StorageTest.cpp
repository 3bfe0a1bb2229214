// What only the SQLite file does: older files are brought up to date, newer ones refused, and a
// read connection keeps the counts it read until the writer commits. The rest is the storage
// contract.
#include <gtest/gtest.h>

#include "Database.h"
#include "Ranking.h"
#include "ServerTestSupport.h"
#include "UserStore.h"

namespace {

class StorageTest : public ::testing::Test {
protected:
    int64_t addUser(const std::string& name, const std::string& country = "Poland") {
        return users.create({name, "hash", "x@example.com", country, 0, "", 0}).value_or(0);
    }

    TemporaryDirectory directory;
    Database database{directory.path() / "test.sqlite"};
    UserStore users{database};
    Ranking ranking{database};
};

}  // namespace

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
