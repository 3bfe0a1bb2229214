// The storage contract: accounts and sessions, attempt counts, the ranking and the backup copies,
// checked through the Storage interface alone, so that every kind of storage passes the same
// cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "StorageContract.h"

int64_t StorageContractTest::addUser(const std::string& name, const std::string& country) {
    std::optional<int64_t> id =
        storage->createUser({name, "hash of " + name, name + "@example.com", country, 0, "", 0});
    if (!id) {
        ADD_FAILURE() << name << " could not be created";
        return 0;
    }
    return *id;
}

TEST_P(StorageContractTest, AccountsAreFoundByNameInAnyAsciiCaseAndNamesAreUnique) {
    std::optional<int64_t> bob =
        storage->createUser({"Bob", "hash1", "bob@example.com", "Chad", 100, "session1", 200});
    ASSERT_TRUE(bob);
    EXPECT_FALSE(storage->createUser({"bOB", "hash2", "b@example.com", "Chad", 101, "s", 300}))
        << "a second bob was created";
    EXPECT_FALSE(storage->findUser("Bobby"));

    std::optional<User> found = storage->findUser("BOB");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->id, *bob);
    EXPECT_EQ(found->name, "Bob");
    EXPECT_EQ(found->passwordHash, "hash1");
    EXPECT_EQ(found->mail, "bob@example.com");
    EXPECT_EQ(found->country, "Chad");
    EXPECT_FALSE(found->reminderHash);
    EXPECT_EQ(found->sessionHash, "session1");
    EXPECT_EQ(found->sessionExpiresAt, 200);

    // Only ASCII letters fold: these are two names.
    EXPECT_TRUE(storage->createUser({"\xc3\xa9mile", "h", "e@example.com", "Chad", 0, "", 0}));
    EXPECT_TRUE(storage->createUser({"\xc3\x89mile", "h", "e@example.com", "Chad", 0, "", 0}));
    // Values are stored as they are, never read as SQL.
    const std::string hostile = "o'hara\"; DROP TABLE users;--";
    EXPECT_TRUE(storage->createUser({hostile, "h", "o@example.com", "Chad", 0, "", 0}));
    ASSERT_TRUE(storage->findUser(hostile));
    EXPECT_EQ(storage->findUser(hostile)->name, hostile);
    EXPECT_TRUE(storage->findUser("bob"));
}

TEST_P(StorageContractTest, ALogInReplacesTheSessionAndSettlesTheReminder) {
    int64_t bob = addUser("bob");
    storage->logIn(bob, "first", 1000, ReminderAfterLogIn::None, "");
    EXPECT_EQ(storage->findUser("bob")->sessionHash, "first");
    EXPECT_EQ(storage->findUser("bob")->sessionExpiresAt, 1000);

    // With their own password: the reminder password goes.
    storage->setReminder(bob, "mailed1", 500);
    EXPECT_EQ(storage->findUser("bob")->reminderHash, "mailed1");
    EXPECT_EQ(storage->findUser("bob")->reminderExpiresAt, 500);
    storage->logIn(bob, "second", 2000, ReminderAfterLogIn::Drop, "");
    User user = *storage->findUser("bob");
    EXPECT_EQ(user.sessionHash, "second");
    EXPECT_EQ(user.sessionExpiresAt, 2000);
    EXPECT_FALSE(user.reminderHash);
    EXPECT_EQ(user.passwordHash, "hash of bob");

    // With the reminder password: it becomes their own.
    storage->setReminder(bob, "mailed2", 600);
    storage->logIn(bob, "third", 3000, ReminderAfterLogIn::Adopt, "mailed2");
    user = *storage->findUser("bob");
    EXPECT_EQ(user.passwordHash, "mailed2");
    EXPECT_FALSE(user.reminderHash);
    EXPECT_EQ(user.sessionHash, "third");

    // A reminder that came after the one used is kept, and so is the password.
    storage->setReminder(bob, "mailed3", 700);
    storage->setReminder(bob, "mailed4", 800);
    storage->logIn(bob, "fourth", 4000, ReminderAfterLogIn::Adopt, "mailed3");
    user = *storage->findUser("bob");
    EXPECT_EQ(user.passwordHash, "mailed2");
    EXPECT_EQ(user.reminderHash, "mailed4");
    EXPECT_EQ(user.reminderExpiresAt, 800);
    EXPECT_EQ(user.sessionHash, "fourth");
}

TEST_P(StorageContractTest, RenewingASessionMovesItsEndButNeverRevivesAReplacedOne) {
    int64_t anna = addUser("anna");
    int64_t bert = addUser("bert");
    storage->logIn(anna, "old", 1000, ReminderAfterLogIn::None, "");
    storage->logIn(bert, "berts", 1000, ReminderAfterLogIn::None, "");
    storage->renewSession(anna, "old", 5000);
    EXPECT_EQ(storage->findUser("anna")->sessionExpiresAt, 5000);

    storage->logIn(anna, "new", 6000, ReminderAfterLogIn::None, "");
    storage->renewSession(anna, "old", 9000);
    User user = *storage->findUser("anna");
    EXPECT_EQ(user.sessionHash, "new");
    EXPECT_EQ(user.sessionExpiresAt, 6000) << "the replaced session was renewed";
    storage->renewSession(anna, "berts", 9000);
    EXPECT_EQ(storage->findUser("anna")->sessionExpiresAt, 6000) << "another's token renewed it";
    EXPECT_EQ(storage->findUser("bert")->sessionExpiresAt, 1000);
}

TEST_P(StorageContractTest, AttemptsAreTakenUpToTheLimitWithinTheWindow) {
    constexpr int64_t start = 1'000'000;
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(storage->tryTakeAttempt(AttemptKind::LogIn, "bob", 3, 600, start + i * 60));
    }
    EXPECT_FALSE(storage->tryTakeAttempt(AttemptKind::LogIn, "bob", 3, 600, start + 180));
    EXPECT_FALSE(storage->tryTakeAttempt(AttemptKind::LogIn, "BOB", 3, 600, start + 180))
        << "names count regardless of case";
    EXPECT_TRUE(storage->tryTakeAttempt(AttemptKind::LogIn, "alice", 3, 600, start + 180));
    EXPECT_TRUE(storage->tryTakeAttempt(AttemptKind::Reminder, "bob", 3, 600, start + 180))
        << "the kinds count apart";
    // A refused attempt is not counted: the first attempt leaves the window ten minutes after
    // it was made, and then exactly one more is allowed.
    EXPECT_FALSE(storage->tryTakeAttempt(AttemptKind::LogIn, "bob", 3, 600, start + 599));
    EXPECT_TRUE(storage->tryTakeAttempt(AttemptKind::LogIn, "bob", 3, 600, start + 600));
    EXPECT_FALSE(storage->tryTakeAttempt(AttemptKind::LogIn, "bob", 3, 600, start + 600));
}

TEST_P(StorageContractTest, ForgettingClearsOnlyTheNamesAttemptsOfThatKind) {
    constexpr int64_t now = 1'000'000;
    for (const char* name : {"bob", "eve"}) {
        for (AttemptKind kind : {AttemptKind::LogIn, AttemptKind::Reminder}) {
            ASSERT_TRUE(storage->tryTakeAttempt(kind, name, 2, 600, now));
            ASSERT_TRUE(storage->tryTakeAttempt(kind, name, 2, 600, now));
            ASSERT_FALSE(storage->tryTakeAttempt(kind, name, 2, 600, now));
        }
    }
    storage->forgetAttempts(AttemptKind::LogIn, "Bob");
    EXPECT_TRUE(storage->tryTakeAttempt(AttemptKind::LogIn, "bob", 2, 600, now));
    EXPECT_FALSE(storage->tryTakeAttempt(AttemptKind::Reminder, "bob", 2, 600, now));
    EXPECT_FALSE(storage->tryTakeAttempt(AttemptKind::LogIn, "eve", 2, 600, now));
}

TEST_P(StorageContractTest, ManyOtherNamesDoNotReleaseABlockedOne) {
    constexpr int64_t now = 1'000'000;
    ASSERT_TRUE(storage->tryTakeAttempt(AttemptKind::LogIn, "bob", 2, 600, now));
    ASSERT_TRUE(storage->tryTakeAttempt(AttemptKind::LogIn, "bob", 2, 600, now));
    for (int i = 0; i < 200; ++i) {
        storage->tryTakeAttempt(AttemptKind::LogIn, "name" + std::to_string(i), 2, 600, now + i);
    }
    EXPECT_FALSE(storage->tryTakeAttempt(AttemptKind::LogIn, "bob", 2, 600, now + 300));
}

TEST_P(StorageContractTest, AttemptsRacingForOneNameGetExactlyTheLimit) {
    constexpr int64_t now = 1'000'000;
    std::atomic<int> taken = 0;
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i) {
        threads.emplace_back([&, i] {
            for (int j = 0; j < 6; ++j) {
                taken +=
                    storage->tryTakeAttempt(AttemptKind::LogIn, i % 2 ? "bob" : "BOB", 5, 600, now);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(taken, 5);
}

TEST_P(StorageContractTest, AttemptsAreStillCountedAfterReopening) {
    constexpr int64_t now = 1'000'000;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(storage->tryTakeAttempt(AttemptKind::LogIn, "bob", 5, 900, now));
    }
    storage.reset();
    storage = place->open();
    EXPECT_FALSE(storage->tryTakeAttempt(AttemptKind::LogIn, "bob", 5, 900, now + 60));
    EXPECT_TRUE(storage->tryTakeAttempt(AttemptKind::LogIn, "bob", 5, 900, now + 900));
}

TEST_P(StorageContractTest, TiedPlayersShareAPositionAndAreListedInTheOrderTheyReachedIt) {
    int64_t anna = addUser("anna");
    int64_t bert = addUser("bert", "Chad");
    int64_t cleo = addUser("cleo");
    int64_t dora = addUser("dora");
    EXPECT_TRUE(storage->setTotal(bert, 500, 1));
    EXPECT_TRUE(storage->setTotal(anna, 500, 2));
    EXPECT_TRUE(storage->setTotal(cleo, 900, 3));
    EXPECT_TRUE(storage->setTotal(dora, 100, 4));

    auto positionOf = [&](int64_t id) {
        return storage->standing(id).value_or(Standing{}).position;
    };
    EXPECT_EQ(positionOf(cleo), 1);
    EXPECT_EQ(positionOf(bert), 2);
    EXPECT_EQ(positionOf(anna), 2);
    EXPECT_EQ(positionOf(dora), 4);
    EXPECT_EQ(storage->standing(cleo)->total, 900);
    std::vector<RankingEntry> top = storage->topOfRanking();
    ASSERT_EQ(top.size(), 4u);
    EXPECT_EQ(top[0].name, "cleo");
    EXPECT_EQ(top[0].userId, cleo);
    EXPECT_EQ(top[1].name, "bert");
    EXPECT_EQ(top[1].country, "Chad");
    EXPECT_EQ(top[1].points, 500);
    EXPECT_EQ(top[2].name, "anna");
    EXPECT_EQ(top[3].name, "dora");

    // Resending the same total changes nothing and keeps the player's place among the tied; a
    // change moves it.
    EXPECT_FALSE(storage->setTotal(bert, 500, 10));
    EXPECT_EQ(storage->topOfRanking()[1].name, "bert");
    EXPECT_TRUE(storage->setTotal(bert, 400, 11));
    EXPECT_TRUE(storage->setTotal(bert, 500, 12));
    EXPECT_EQ(storage->topOfRanking()[1].name, "anna");
    // Totals may go down (the game sends what it has).
    EXPECT_TRUE(storage->setTotal(cleo, 0, 13));
    EXPECT_EQ(positionOf(cleo), 4);
    EXPECT_EQ(storage->standing(cleo)->total, 0);
}

TEST_P(StorageContractTest, TotalsArrivingInOneMillisecondKeepTheirOrder) {
    int64_t anna = addUser("anna");
    int64_t bert = addUser("bert");
    int64_t cleo = addUser("cleo");
    storage->setTotal(cleo, 300, 7);
    storage->setTotal(anna, 300, 7);
    storage->setTotal(bert, 300, 7);
    std::vector<RankingEntry> top = storage->topOfRanking();
    ASSERT_EQ(top.size(), 3u);
    EXPECT_EQ(top[0].name, "cleo");
    EXPECT_EQ(top[1].name, "anna");
    EXPECT_EQ(top[2].name, "bert");
}

TEST_P(StorageContractTest, PositionsMatchACountOfEveryoneAheadAcrossBandsAndChanges) {
    // Totals on and around the edges of the 100-point bands, with ties, moved around twice.
    const int64_t values[] = {0, 0, 1, 99, 100, 100, 101, 199, 250, 4999, 5000, 86999, 87000};
    std::vector<int64_t> ids;
    std::vector<int64_t> points;
    for (size_t i = 0; i < 40; ++i) {
        ids.push_back(addUser("p" + std::to_string(i) + "xx"));
        points.push_back(values[(i * 7) % std::size(values)]);
        storage->setTotal(ids.back(), points.back(), 0);
    }
    for (int round = 0; round < 3; ++round) {
        for (size_t i = 0; i < ids.size(); ++i) {
            int64_t ahead = std::count_if(points.begin(), points.end(),
                                          [&](int64_t other) { return other > points[i]; });
            std::optional<Standing> standing = storage->standing(ids[i]);
            ASSERT_TRUE(standing);
            ASSERT_EQ(standing->position, ahead + 1) << "round " << round << ", " << points[i];
            ASSERT_EQ(standing->total, points[i]);
        }
        for (size_t i = round; i < ids.size(); i += 3) {
            points[i] = values[(i + 5 * round + 3) % std::size(values)];
            storage->setTotal(ids[i], points[i], 0);
        }
    }
}

TEST_P(StorageContractTest, PlayersWithoutATotalHaveNoPositionAndTheListStopsAtOneHundred) {
    int64_t idle = addUser("idle");
    EXPECT_FALSE(storage->standing(idle));
    for (int i = 0; i < 110; ++i) {
        storage->setTotal(addUser("p" + std::to_string(i) + "xx"), 1000 + i, i);
    }
    std::vector<RankingEntry> top = storage->topOfRanking();
    ASSERT_EQ(top.size(), 100u);
    EXPECT_EQ(top.front().points, 1109);
    EXPECT_EQ(top.back().points, 1010);
    EXPECT_FALSE(storage->standing(idle));
    EXPECT_EQ(storage->currentCopy(idle).position, std::nullopt);
}

TEST_P(StorageContractTest, EveryCopyIsKeptUpToTheLimitAndTheNewestIsCurrent) {
    int64_t bob = addUser("bob");
    int64_t eve = addUser("eve");
    EXPECT_TRUE(storage->currentCopy(bob).rows.empty());
    EXPECT_TRUE(storage->listCopies(bob).empty());
    std::vector<int64_t> ids;
    for (int i = 0; i < 25; ++i) {
        storage->addCopy(bob, {{1, i, "handgun"}, {2, 5, "sniper"}}, "createCopy", 1000 + i);
        ids.push_back(storage->listCopies(bob).front().id);
    }
    storage->addCopy(eve, {{2, 7, "handgun"}}, "createFirstLoginCopy", 5);
    storage->setTotal(bob, 40, 1);

    CopyWithPosition current = storage->currentCopy(bob);
    EXPECT_EQ(current.rows, (std::vector<BackupRow>{{1, 24, "handgun"}, {2, 5, "sniper"}}));
    EXPECT_EQ(current.position, 1);
    std::vector<BackupCopyInfo> copies = storage->listCopies(bob);
    ASSERT_EQ(copies.size(), 20u) << "twenty copies are kept";
    EXPECT_EQ(copies.front().id, ids.back());
    EXPECT_EQ(copies.back().id, ids[5]) << "the oldest five went";
    EXPECT_EQ(copies.front().rowCount, 2);
    EXPECT_EQ(copies.front().origin, "createCopy");
    EXPECT_EQ(copies.front().createdAt, 1024);
    std::vector<BackupCopyInfo> evesCopies = storage->listCopies(eve);
    ASSERT_EQ(evesCopies.size(), 1u) << "another user's copies are untouched";
    EXPECT_EQ(evesCopies[0].origin, "createFirstLoginCopy");
    EXPECT_EQ(storage->currentCopy(eve).rows, (std::vector<BackupRow>{{2, 7, "handgun"}}));
}

TEST_P(StorageContractTest, AMergedCopyKeepsTheBetterScoreOfEachGunAndComesWithThePosition) {
    int64_t bob = addUser("bob");
    CopyWithPosition first =
        storage->addMergedCopy(bob, {{3, 100, "handgun"}}, "createFirstLoginCopy", 1);
    EXPECT_EQ(first.rows, (std::vector<BackupRow>{{3, 100, "handgun"}}));
    EXPECT_EQ(first.position, std::nullopt);

    storage->addCopy(bob, {{3, 1250, "handgun"}, {26, 100, "sniper"}}, "createCopy", 2);
    storage->setTotal(bob, 1350, 1);
    CopyWithPosition merged = storage->addMergedCopy(
        bob, {{3, 1000, "handgun"}, {26, 2000, "sniper"}, {28, 5, "shotgun"}},
        "createFirstLoginCopy", 3);
    const std::vector<BackupRow> expected{
        {3, 1250, "handgun"}, {26, 2000, "sniper"}, {28, 5, "shotgun"}};
    EXPECT_EQ(merged.rows, expected);
    EXPECT_EQ(merged.position, 1);
    EXPECT_EQ(storage->currentCopy(bob).rows, expected);
    EXPECT_EQ(storage->listCopies(bob).size(), 3u);
}

TEST_P(StorageContractTest, BringingBackACopyMakesItCurrentAndKeepsTheOneItReplaces) {
    int64_t bob = addUser("bob");
    storage->addCopy(bob, {{1, 2500, "handgun"}, {2, 2000, "handgun"}}, "createCopy", 1);
    int64_t good = storage->listCopies(bob).front().id;
    storage->addCopy(bob, {}, "createCopy", 2);
    ASSERT_TRUE(storage->currentCopy(bob).rows.empty());

    std::optional<int64_t> restored = storage->bringBackCopy(good, 3);
    ASSERT_TRUE(restored);
    EXPECT_EQ(storage->currentCopy(bob).rows,
              (std::vector<BackupRow>{{1, 2500, "handgun"}, {2, 2000, "handgun"}}));
    std::vector<BackupCopyInfo> copies = storage->listCopies(bob);
    ASSERT_EQ(copies.size(), 3u);
    EXPECT_EQ(copies.front().id, *restored);
    EXPECT_EQ(copies.front().origin, "operator");
    EXPECT_EQ(copies.front().createdAt, 3);
    EXPECT_EQ(copies[2].id, good);
    EXPECT_FALSE(storage->bringBackCopy(*restored + 1000, 4));
    EXPECT_EQ(storage->listCopies(bob).size(), 3u);
}

TEST_P(StorageContractTest, EverythingSurvivesReopening) {
    int64_t bob = addUser("bob");
    storage->logIn(bob, "session", 777, ReminderAfterLogIn::None, "");
    storage->setReminder(bob, "mailed", 888);
    storage->setTotal(bob, 321, 1);
    storage->addCopy(bob, {{5, 50, "handgun"}}, "createCopy", 1);

    storage.reset();
    storage = place->open();
    std::optional<User> user = storage->findUser("bob");
    ASSERT_TRUE(user);
    EXPECT_EQ(user->id, bob);
    EXPECT_EQ(user->sessionHash, "session");
    EXPECT_EQ(user->sessionExpiresAt, 777);
    EXPECT_EQ(user->reminderHash, "mailed");
    EXPECT_EQ(user->reminderExpiresAt, 888);
    EXPECT_EQ(storage->standing(bob)->total, 321);
    EXPECT_EQ(storage->standing(bob)->position, 1);
    EXPECT_EQ(storage->currentCopy(bob).rows, (std::vector<BackupRow>{{5, 50, "handgun"}}));
    EXPECT_FALSE(storage->createUser({"BOB", "h", "b@example.com", "Chad", 0, "", 0}));
}
