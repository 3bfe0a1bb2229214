// The score database's statements against real SQLite files made from the template.
#include "app/ScoreDatabase.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>

#include "platform/Bundle.h"
#include "tests/support/TemporaryDirectory.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ScoreDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        Bundle::main().setResourcesDirectory(KALVORN_TEST_RESOURCES_DIR);
        Bundle::main().setDocumentsDirectory(documents.path().string());
    }

    void installTemplate() { ScoreDatabase::createEditableCopyOfDatabaseIfNeeded(); }

    void execute(const std::string& sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(ScoreDatabase::databasePath().c_str(), &db), SQLITE_OK);
        char* error = nullptr;
        int result = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
        std::string message = error ? error : "";
        sqlite3_free(error);
        sqlite3_close(db);
        ASSERT_EQ(result, SQLITE_OK) << message;
    }

    TemporaryDirectory documents;
};

TEST_F(ScoreDatabaseTest, TemplateIsCopiedOnceAndNeverOverwritten) {
    installTemplate();
    ASSERT_TRUE(std::filesystem::exists(ScoreDatabase::databasePath()));
    ASSERT_TRUE(ScoreDatabase::insertNewScore(1200, "ala", "handgun", 3));
    installTemplate();
    EXPECT_EQ(ScoreDatabase::getSumScoresForCategory("ala", "handgun"), "1200");
}

TEST_F(ScoreDatabaseTest, BestResultLookupInsertAndUpdate) {
    installTemplate();
    ScoreLookup none = ScoreDatabase::checkScoreForThisGameExist("ala", 3);
    EXPECT_TRUE(none.succeeded);
    EXPECT_THAT(none.results, IsEmpty());

    ASSERT_TRUE(ScoreDatabase::insertNewScore(900, "ala", "handgun", 3));
    ASSERT_TRUE(ScoreDatabase::insertNewScore(500, "ola", "handgun", 3));
    ScoreLookup found = ScoreDatabase::checkScoreForThisGameExist("ala", 3);
    ASSERT_TRUE(found.succeeded);
    ASSERT_EQ(found.results.size(), 1u);
    EXPECT_EQ(found.lastBestScore, "900");
    EXPECT_EQ(found.idScore, found.results[0]);

    EXPECT_TRUE(ScoreDatabase::updateScoreForThisGame(1700, found.idScore));
    EXPECT_EQ(ScoreDatabase::checkScoreForThisGameExist("ala", 3).lastBestScore, "1700");
    EXPECT_EQ(ScoreDatabase::checkScoreForThisGameExist("ola", 3).lastBestScore, "500");
    EXPECT_FALSE(ScoreDatabase::updateScoreForThisGame(1, "9999")) << "no such row";
}

TEST_F(ScoreDatabaseTest, TwoRowsForOneGunAreBothReportedAndTheLastWins) {
    installTemplate();
    execute(
        "INSERT INTO scores (username, cat_name, id_gun, score) VALUES "
        "('ala','handgun',3,100), ('ala','handgun',3,200)");
    ScoreLookup lookup = ScoreDatabase::checkScoreForThisGameExist("ala", 3);
    EXPECT_EQ(lookup.results.size(), 2u);
    EXPECT_EQ(lookup.lastBestScore, "200");
    EXPECT_EQ(lookup.idScore, lookup.results.back());
}

TEST_F(ScoreDatabaseTest, CategoryRowsAreOrderedByGunNumberAndSummed) {
    installTemplate();
    for (auto [gun, points] : {std::pair{10, 300}, {2, 1000}, {9, 0}}) {
        ASSERT_TRUE(ScoreDatabase::insertNewScore(points, "ala", "handgun", gun));
    }
    ASSERT_TRUE(ScoreDatabase::insertNewScore(2500, "ala", "sniper", 26));

    std::vector<GunScore> scores = ScoreDatabase::getScoresForCategory("ala", "handgun");
    ASSERT_EQ(scores.size(), 3u);
    EXPECT_EQ(scores[0].idGun, 2);  // as numbers: 2 < 9 < 10
    EXPECT_EQ(scores[1].idGun, 9);
    EXPECT_EQ(scores[2].idGun, 10);
    EXPECT_EQ(scores[2].score, "300");

    EXPECT_EQ(ScoreDatabase::getSumScoresForCategory("ala", "handgun"), "1300");
    EXPECT_EQ(ScoreDatabase::getSumScoresForCategory("ala", "rifles"), "0");
    EXPECT_EQ(ScoreDatabase::getSumScoresForCategory("ola", "handgun"), "0");
}

TEST_F(ScoreDatabaseTest, EmptyLoginReadsAndWritesAsTheStatementsSay) {
    installTemplate();
    ASSERT_TRUE(ScoreDatabase::insertNewScore(700, "", "handgun", 1));
    // The lookup, the sum and the category list run with the empty name; backup and restore
    // do not.
    EXPECT_EQ(ScoreDatabase::checkScoreForThisGameExist("", 1).results.size(), 1u);
    EXPECT_EQ(ScoreDatabase::getSumScoresForCategory("", "handgun"), "700");
    const std::vector<GunScore> scores = ScoreDatabase::getScoresForCategory("", "handgun");
    ASSERT_EQ(scores.size(), 1u);
    EXPECT_EQ(scores[0].idGun, 1);
    EXPECT_EQ(scores[0].score, "700");
    EXPECT_THAT(ScoreDatabase::getJSONForUser(""), IsEmpty());
    EXPECT_FALSE(ScoreDatabase::updateLocalDatabase("", {}));
    EXPECT_EQ(ScoreDatabase::getSumScoresForCategory("", "handgun"), "700");
}

TEST_F(ScoreDatabaseTest, BackupRowsAndRestoreReplaceOnlyThatUser) {
    installTemplate();
    ASSERT_TRUE(ScoreDatabase::insertNewScore(1250, "ala", "handgun", 4));
    ASSERT_TRUE(ScoreDatabase::insertNewScore(900, "ala", "handgun", 3));
    ASSERT_TRUE(ScoreDatabase::insertNewScore(42, "ola", "rifles", 20));
    EXPECT_THAT(ScoreDatabase::getJSONForUser("ala"),
                ElementsAre(ResultRow{"3", "900", "handgun"}, ResultRow{"4", "1250", "handgun"}));

    std::vector<ResultRow> restored{{"26", "2000", "sniper"}, {"12", "150", "submachine"}};
    ASSERT_TRUE(ScoreDatabase::updateLocalDatabase("ala", restored));
    EXPECT_THAT(
        ScoreDatabase::getJSONForUser("ala"),
        ElementsAre(ResultRow{"12", "150", "submachine"}, ResultRow{"26", "2000", "sniper"}));
    EXPECT_THAT(ScoreDatabase::getJSONForUser("ola"), ElementsAre(ResultRow{"20", "42", "rifles"}));

    ASSERT_TRUE(ScoreDatabase::updateLocalDatabase("ala", {}));
    EXPECT_THAT(ScoreDatabase::getJSONForUser("ala"), IsEmpty());
}

TEST_F(ScoreDatabaseTest, RestoreThatFailsHalfwayKeepsTheOldRows) {
    installTemplate();
    ASSERT_TRUE(ScoreDatabase::insertNewScore(1250, "ala", "handgun", 4));
    execute(
        "CREATE TRIGGER refuse BEFORE INSERT ON scores WHEN NEW.cat_name = 'broken' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");

    std::vector<ResultRow> restored{{"26", "2000", "sniper"}, {"27", "1", "broken"}};
    EXPECT_FALSE(ScoreDatabase::updateLocalDatabase("ala", restored));
    EXPECT_THAT(ScoreDatabase::getJSONForUser("ala"),
                ElementsAre(ResultRow{"4", "1250", "handgun"}));
}

TEST_F(ScoreDatabaseTest, MissingFileGivesEmptyResultsAndIsNotCreated) {
    EXPECT_FALSE(ScoreDatabase::checkScoreForThisGameExist("ala", 3).succeeded);
    EXPECT_FALSE(ScoreDatabase::insertNewScore(100, "ala", "handgun", 3));
    EXPECT_FALSE(ScoreDatabase::updateScoreForThisGame(100, "1"));
    EXPECT_THAT(ScoreDatabase::getScoresForCategory("ala", "handgun"), IsEmpty());
    EXPECT_EQ(ScoreDatabase::getSumScoresForCategory("ala", "handgun"), "0");
    EXPECT_THAT(ScoreDatabase::getJSONForUser("ala"), IsEmpty());
    EXPECT_FALSE(ScoreDatabase::updateLocalDatabase("ala", {{"1", "5", "handgun"}}));
    EXPECT_FALSE(std::filesystem::exists(ScoreDatabase::databasePath()));

    // The next start copies the template, and results are kept from then on.
    installTemplate();
    EXPECT_TRUE(ScoreDatabase::insertNewScore(100, "ala", "handgun", 3));
    EXPECT_EQ(ScoreDatabase::getSumScoresForCategory("ala", "handgun"), "100");
}

TEST_F(ScoreDatabaseTest, FileThatIsNotADatabaseSaysCantOpenAndGivesEmptyResults) {
    std::ofstream(ScoreDatabase::databasePath()) << "this is not a database, only some text";
    ::testing::internal::CaptureStdout();
    ScoreLookup lookup = ScoreDatabase::checkScoreForThisGameExist("ala", 3);
    std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_FALSE(lookup.succeeded);
    EXPECT_EQ(printed, "Can't open db\n");
    EXPECT_EQ(ScoreDatabase::getSumScoresForCategory("ala", "handgun"), "0");
    EXPECT_FALSE(ScoreDatabase::insertNewScore(100, "ala", "handgun", 3));
}

TEST_F(ScoreDatabaseTest, ValuesAreBoundNotSpliced) {
    installTemplate();
    const std::string hostile = "x' OR '1'='1";
    ASSERT_TRUE(ScoreDatabase::insertNewScore(10, "ala", "handgun", 1));
    ASSERT_TRUE(ScoreDatabase::insertNewScore(20, hostile, "handgun", 1));
    EXPECT_EQ(ScoreDatabase::getSumScoresForCategory(hostile, "handgun"), "20");
    ASSERT_TRUE(ScoreDatabase::updateLocalDatabase(hostile, {}));
    EXPECT_EQ(ScoreDatabase::getSumScoresForCategory("ala", "handgun"), "10");
}

}  // namespace
