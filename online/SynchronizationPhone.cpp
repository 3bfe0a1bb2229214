// Backup and restore of the local results.
#include "online/SynchronizationPhone.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "JSON/QvJSON.h"
#include "app/AppDelegate_All.h"
#include "app/SettingManagement.h"
#include "game/GunAssembly.h"
#include "online/ServiceCall.h"
#include "online/ServiceRequests.h"
#include "platform/AlertView.h"

namespace {

constexpr int kHighestScore = 3000;

void showConnectionError() {
    AlertView::show("Error", "A connection error", {"OK"});
}

// A string as it stands, a number as its text; nothing for anything else.
std::optional<std::string> textOf(const QvJsonValue& value) {
    if (const std::string* text = value.asString()) {
        return *text;
    }
    if (const QvDecimal* number = value.asNumber()) {
        return number->text();
    }
    return std::nullopt;
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
        std::fprintf(stderr, "przekazuje pusty wynik do createCopy!\n");
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
                std::fprintf(stderr, "backup not confirmed (status %d%s%s)\n", reply.status,
                             reply.error.empty() ? "" : ": ", reply.error.c_str());
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
        std::fprintf(stderr, "restore of %s not applied: the reply is not a copy (status %d%s%s)\n",
                     userName.c_str(), reply.status, reply.error.empty() ? "" : ": ",
                     reply.error.c_str());
        return;
    }
    ScoreDatabase::updateLocalDatabase(userName, *rows);
    AppDelegate_All& app = AppDelegate_All::shared();
    if (app.login == userName) {
        app.position_in_ranking = textOf((*parsed)[1]).value_or("-");
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
        std::optional<std::string> idGun = textOf((*fields)[0]);
        std::optional<std::string> score = textOf((*fields)[1]);
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
