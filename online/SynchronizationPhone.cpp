// Backup and restore of the local results.
#include "online/SynchronizationPhone.h"

#include <algorithm>
#include <charconv>

#include "JSON/QvJSON.h"
#include "app/AppDelegate_All.h"
#include "app/SettingManagement.h"
#include "game/GunAssembly.h"
#include "online/ReplyValues.h"
#include "online/ServiceCall.h"
#include "online/ServiceRequests.h"
#include "platform/AlertView.h"
#include "platform/Platform.h"

namespace {

constexpr int kHighestScore = 3000;

// " (status N: why)" for a log line about a reply.
std::string replyProblem(const ServiceReply& reply) {
    return " (status " + std::to_string(reply.status) + (reply.error.empty() ? "" : ": ") +
           reply.error + ")";
}

void showConnectionError() {
    AlertView::show("Error", "A connection error", {"OK"});
}

std::optional<int> wholeNumber(const std::string& text) {
    int number = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return number;
}

bool isPlausibleRow(const ResultRow& row) {
    const std::optional<int> idGun = wholeNumber(row.idGun);
    const std::optional<int> score = wholeNumber(row.score);
    const GunAssembly* gun = idGun ? findGunAssembly(*idGun) : nullptr;
    return gun && gun->category == row.catName && score && *score >= 0 && *score <= kHighestScore;
}

}  // namespace

std::string SynchronizationPhone::getJSONForUser(const std::string& user) {
    QvJsonArray rows;
    for (const ResultRow& row : ScoreDatabase::getJSONForUser(user)) {
        rows.push_back(
            QvJsonArray{QvJsonValue(row.idGun), QvJsonValue(row.score), QvJsonValue(row.catName)});
    }
    std::string text = JSONRepresentation(QvJsonValue(std::move(rows))).value_or("[]");
    std::replace(text.begin(), text.end(), '"', '\'');
    return text;
}

void SynchronizationPhone::sendDatabaseToServer() {
    const std::string user = AppDelegate_All::shared().login;
    const std::string text = getJSONForUser(user);
    if (text == "[]") {
        Platform::current().log("przekazuje pusty wynik do createCopy!");
        return;
    }
    const bool sent =
        ServiceCall::send(ServiceRequests::createCopy(text, user), [](const ServiceReply& reply) {
            // Only the service's own confirmation counts; an error page or a refusal does not.
            std::optional<QvJsonValue> parsed =
                reply.succeeded() ? JSONFragmentValue(reply.body) : std::nullopt;
            if (parsed && parsed->asArray() && parsed->asArray()->size() == 1 &&
                (*parsed)[0].asInteger() == 1) {
                SynchronizationPhone().updateSychronizationStatus("1");
            } else {
                Platform::current().log("backup not confirmed" + replyProblem(reply));
            }
        });
    if (!sent) {
        showConnectionError();
    }
}

void SynchronizationPhone::firstSendDatabaseToServer() {
    const std::string user = AppDelegate_All::shared().login;
    const bool sent = ServiceCall::send(
        ServiceRequests::createFirstLoginCopy(getJSONForUser("defaultUser"), user),
        [user](const ServiceReply& reply) { SynchronizationPhone().restoreFrom(user, reply); });
    if (!sent) {
        showConnectionError();
    }
}

void SynchronizationPhone::restoreDatabaseFromServer() {
    const std::string user = AppDelegate_All::shared().login;
    const bool sent = ServiceCall::send(
        ServiceRequests::restoreCopy(user),
        [user](const ServiceReply& reply) { SynchronizationPhone().restoreFrom(user, reply); });
    if (!sent) {
        showConnectionError();
    }
}

void SynchronizationPhone::restoreFrom(const std::string& userName, const ServiceReply& reply) {
    std::optional<QvJsonValue> parsed =
        reply.succeeded() ? JSONValue(reply.body) : std::optional<QvJsonValue>();
    std::optional<std::vector<ResultRow>> rows =
        parsed ? restoredRows(*parsed) : std::optional<std::vector<ResultRow>>();
    if (!rows) {
        Platform::current().log("restore of " + userName + " not applied: the reply is not a copy" +
                                replyProblem(reply));
        return;
    }
    ScoreDatabase::updateLocalDatabase(userName, *rows);
    AppDelegate_All& app = AppDelegate_All::shared();
    if (app.login == userName) {
        app.position_in_ranking = replyText((*parsed)[1]).value_or("-");
    }
}

std::optional<std::vector<ResultRow>> SynchronizationPhone::restoredRows(const QvJsonValue& reply) {
    const QvJsonArray* list = reply[0].asArray();
    if (!list) {
        return std::nullopt;
    }
    std::vector<ResultRow> rows;
    for (const QvJsonValue& item : *list) {
        const QvJsonArray* fields = item.asArray();
        if (!fields || fields->size() != 3) {
            return std::nullopt;
        }
        std::optional<std::string> idGun = replyText((*fields)[0]);
        std::optional<std::string> score = replyText((*fields)[1]);
        const std::string* catName = (*fields)[2].asString();
        if (!idGun || !score || !catName) {
            return std::nullopt;
        }
        ResultRow row{*idGun, *score, *catName};
        if (!isPlausibleRow(row)) {
            return std::nullopt;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

void SynchronizationPhone::updateSychronizationStatus(const std::string& value) {
    SettingManagement().saveSetting("is_updated", value);
}
