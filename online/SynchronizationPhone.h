// Backup and restore of the local results through the web service. Each use makes a fresh
// object, starts one request and lets go of it; the pending request lives on by itself until
// its reply has been handled, and keeps the user name it was made for.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/ScoreDatabase.h"

class QvJsonValue;
struct ServiceReply;

class SynchronizationPhone {
public:
    // The backup text of USER: the JSON array of their rows ordered by gun, each row three
    // strings (id_gun, score, cat_name), with every double quote turned into a single quote.
    std::string getJSONForUser(const std::string& user);

    // Uploads the current user's results as a backup; nothing is sent when there are none.
    // "is_updated" becomes "1" once the service confirms the copy.
    void sendDatabaseToServer();
    // Uploads the anonymous player's results under the current user's name; the service's
    // merged copy then replaces that user's rows.
    void firstSendDatabaseToServer();
    // Replaces the current user's rows with the copy the service keeps.
    void restoreDatabaseFromServer();

    // Stores VALUE under "is_updated" in the settings file.
    void updateSychronizationStatus(const std::string& value);

    // The rows of a restore reply, or nothing when the reply is not whole and well-formed
    // (element 0 an array of rows, each an assembly gun in its own category with a score from
    // 0 to 3000; numbers are taken as their text).
    static std::optional<std::vector<ResultRow>> restoredRows(const QvJsonValue& reply);

private:
    // Applies a restore reply to USERNAME's rows; the position changes only while that user is
    // still the current one.
    void restoreFrom(const std::string& userName, const ServiceReply& reply);
};
