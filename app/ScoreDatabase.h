// The local score database "baza.sqlite": every statement the program runs against it, in one
// place. Each operation opens the file, sets the page cache, prepares its statement, binds
// every value as text, steps, finalizes and closes again; nothing stays open between calls.
//
// The file is opened read-write but never created: when it is missing (its template could not
// be copied at start) every read gives its empty result and every write stores nothing, and the
// next start copies the template again. An empty file created here would stop that copy for
// good and lose every later result.
#pragma once

#include <string>
#include <vector>

// One row of a backup or restore: the texts of id_gun, score and cat_name, in that order.
struct ResultRow {
    std::string idGun;
    std::string score;
    std::string catName;

    bool operator==(const ResultRow&) const = default;
};

// A gun's best result as the gun selection shows it.
struct GunScore {
    int idGun = 0;
    std::string score;
};

// The rows stored for one user and gun.
struct ScoreLookup {
    bool succeeded = false;            // false when the database could not be read
    std::vector<std::string> results;  // the id_score of every matching row
    std::string idScore;               // id_score of the last matching row
    std::string lastBestScore;         // score of the last matching row
};

namespace ScoreDatabase {

// "baza.sqlite" in the user's documents directory.
std::string databasePath();

// Copies the template "baza.sqlite" from the resources when the documents have no database.
// A failed copy is logged and otherwise ignored.
void createEditableCopyOfDatabaseIfNeeded();

ScoreLookup checkScoreForThisGameExist(const std::string& login, int idGun);
bool updateScoreForThisGame(int points, const std::string& idScore);
bool insertNewScore(int points, const std::string& login, const std::string& category, int idGun);

// The rows of whatever name login holds, the empty one included: results are stored under it.
std::vector<GunScore> getScoresForCategory(const std::string& login, const std::string& category);

// The category's total as text: "0" when the user has no rows there or the database is unreadable.
std::string getSumScoresForCategory(const std::string& login, const std::string& category);

// The user's rows ordered by id_gun; none when the user name is empty.
std::vector<ResultRow> getJSONForUser(const std::string& user);

// Replaces all of login's rows by ROWS in one transaction: either the old rows are gone and
// every new row is stored, or nothing changed. Does nothing when login is empty.
bool updateLocalDatabase(const std::string& login, const std::vector<ResultRow>& rows);

}  // namespace ScoreDatabase
