// Reading the uploaded backup text, merging and writing rows.
#include <gtest/gtest.h>

#include "BackupRows.h"
#include "QvJSON.h"

TEST(BackupRows, ReadsTheGamesTextWithSingleQuotesInGunOrder) {
    auto rows =
        parseBackupText("[['4','900','handgun'],['3','1250','handgun'],['30','0','shotgun']]");
    ASSERT_TRUE(rows);
    std::vector<BackupRow> expected{{3, 1250, "handgun"}, {4, 900, "handgun"}, {30, 0, "shotgun"}};
    EXPECT_EQ(*rows, expected);

    auto empty = parseBackupText("[]");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());

    auto numbers = parseBackupText("[[12,3000,'submachine']]");
    ASSERT_TRUE(numbers);
    EXPECT_EQ(*numbers, (std::vector<BackupRow>{{12, 3000, "submachine"}}));
}

TEST(BackupRows, KnowsEachGunsCategory) {
    EXPECT_EQ(categoryOfGun(1), "handgun");
    EXPECT_EQ(categoryOfGun(11), "handgun");
    EXPECT_EQ(categoryOfGun(12), "submachine");
    EXPECT_EQ(categoryOfGun(22), "rifles");
    EXPECT_EQ(categoryOfGun(25), "machineguns");
    EXPECT_EQ(categoryOfGun(27), "sniper");
    EXPECT_EQ(categoryOfGun(28), "shotgun");
    EXPECT_FALSE(categoryOfGun(0));
    EXPECT_FALSE(categoryOfGun(17));
    EXPECT_FALSE(categoryOfGun(31));
}

TEST(BackupRows, RefusesTheWholeTextWhenAnyPartIsWrong) {
    const char* malformed[] = {
        "",
        "nonsense",
        "[['3','1250','handgun']",                         // cut short
        "{'3':'1250'}",                                    // not an array
        "['3','1250','handgun']",                          // a row, not a list of rows
        "[['3','1250']]",                                  // two fields
        "[['3','1250','handgun','x']]",                    // four fields
        "[['17','100','handgun']]",                        // no gun 17
        "[['31','100','shotgun']]",                        // no gun 31
        "[['3','100','rifles']]",                          // gun 3 is a handgun
        "[['3','100','Handgun']]",                         // categories are exact
        "[['3','3001','handgun']]",                        // above the best possible score
        "[['3','-1','handgun']]",                          // negative
        "[['3','1e3','handgun']]",                         // not a whole number in digits
        "[['3',' 100','handgun']]",                        // stray space
        "[['3',100.5,'handgun']]",                         // fraction
        "[['3','100','handgun'],['3','200','handgun']]",   // the same gun twice
        "[['3','100','handgun'],[]]",                      // one good row does not save it
        "[[['3','100','handgun']]]",                       // nested too deep
        "[['3','100','handgun'); DROP TABLE users;--']]",  // SQL is just a wrong category
    };
    for (const char* text : malformed) {
        EXPECT_FALSE(parseBackupText(text)) << text;
    }
    EXPECT_FALSE(parseBackupText(std::string("[['3','100','handgun']]\0garbage", 31)));
    std::string huge = "[";
    while (huge.size() <= kMaxBackupTextLength) {
        huge += "['3','100','handgun'],";
    }
    huge.back() = ']';
    EXPECT_FALSE(parseBackupText(huge));
}

TEST(BackupRows, MergeKeepsTheBetterScoreOfEachGun) {
    std::vector<BackupRow> stored{{1, 500, "handgun"}, {2, 800, "handgun"}, {26, 100, "sniper"}};
    std::vector<BackupRow> uploaded{{2, 700, "handgun"}, {26, 2000, "sniper"}, {30, 5, "shotgun"}};
    std::vector<BackupRow> expected{
        {1, 500, "handgun"}, {2, 800, "handgun"}, {26, 2000, "sniper"}, {30, 5, "shotgun"}};
    EXPECT_EQ(mergeKeepingBest(stored, uploaded), expected);
    EXPECT_EQ(mergeKeepingBest({}, uploaded), uploaded);
}

TEST(BackupRows, RowsGoOutAsArraysOfThreeStrings) {
    auto text = JSONRepresentation(rowsToJson({{3, 1250, "handgun"}, {30, 0, "shotgun"}}));
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, R"([["3","1250","handgun"],["30","0","shotgun"]])");
}
