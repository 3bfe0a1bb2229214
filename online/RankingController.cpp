// The ranking list: fetching, reading the reply and filling the rows.
#include "online/RankingController.h"

#include <optional>

#include "JSON/QvJSON.h"
#include "app/AppDelegate_All.h"
#include "online/CustomCellWyniki.h"
#include "online/ReplyValues.h"
#include "online/ServiceRequests.h"
#include "platform/ActivityIndicatorView.h"
#include "platform/AlertView.h"
#include "platform/Label.h"
#include "platform/NavigationController.h"
#include "platform/Platform.h"

namespace {

constexpr const char* kCellIdentifier = "Cell";
// Shown as the position when the reply does not say it.
constexpr const char* kNoPosition = "-";

// A row's field as text; a field that is not text or a number shows nothing.
std::string fieldText(const QvJsonValue& row, int index) {
    return replyText(row[index]).value_or("");
}

// Element 0 of the reply as rows. Each entry keeps its place even when it is not a row of
// three texts (its missing fields show empty), since places come from the order alone.
std::vector<RankingRow> rankingRows(const QvJsonValue& reply) {
    std::vector<RankingRow> rows;
    if (const QvJsonArray* list = reply[0].asArray()) {
        for (const QvJsonValue& row : *list) {
            rows.push_back({fieldText(row, 0), fieldText(row, 1), fieldText(row, 2)});
        }
    }
    return rows;
}

}  // namespace

RankingController::RankingController(const DeviceProfile& profile)
    : ViewController(profile, "RankingController") {
    addAction("back", [this] { back(); });
}

void RankingController::viewDidLoad() {
    View& root = view();
    tabelka = requireOutlet<TableView>(*this, root, "tabelka");
    indicator = requireOutlet<ActivityIndicatorView>(*this, root, "indicator");
    userPosition = requireOutlet<Label>(*this, root, "userPosition");
    tabelka->setDataSource(this);
    tabelka->setDelegate(this);
}

void RankingController::viewWillAppear(bool animated) {
    refresh();
    ViewController::viewWillAppear(animated);
}

void RankingController::viewWillDisappear(bool animated) {
    // A screen that has left hears nothing more of its request; it fetches again on return.
    call_.cancel();
    indicator->stopAnimating();
    ViewController::viewWillDisappear(animated);
}

void RankingController::refresh() {
    view();
    indicator->startAnimating();
    const bool sent = call_.start(ServiceRequests::getScores(AppDelegate_All::shared().login),
                                  [this](const ServiceReply& reply) { rankingArrived(reply); });
    if (!sent) {
        requestFailed();
    }
}

void RankingController::back() {
    if (navigationController()) {
        navigationController()->popViewControllerAnimated(true);
    }
}

void RankingController::rankingArrived(const ServiceReply& reply) {
    if (!reply.complete) {
        Platform::current().log("ranking not fetched: " + reply.error);
        requestFailed();
        return;
    }
    // An error page is no ranking, whatever its body says.
    const std::optional<QvJsonValue> results =
        reply.succeeded() ? JSONValue(reply.body) : std::optional<QvJsonValue>();
    ranking_ = results ? rankingRows(*results) : std::vector<RankingRow>();
    userPosition->setText(results ? replyText((*results)[1]).value_or(kNoPosition) : kNoPosition);
    tabelka->reloadData();
    indicator->stopAnimating();
}

void RankingController::requestFailed() {
    indicator->stopAnimating();
    AlertView::show("Error", "Connection error", {"OK"});
}

int RankingController::numberOfSectionsInTableView(TableView&) {
    return 1;
}

int RankingController::tableViewNumberOfRowsInSection(TableView&, int) {
    return static_cast<int>(ranking_.size());
}

std::unique_ptr<TableViewCell> RankingController::tableViewCellForRowAtIndexPath(
    TableView& table, IndexPath indexPath) {
    std::unique_ptr<TableViewCell> cell = table.dequeueReusableCell(kCellIdentifier);
    if (!dynamic_cast<CustomCellWyniki*>(cell.get())) {
        cell = profile().isTablet() ? std::make_unique<CustomCellWyniki_ipad>(0, kCellIdentifier)
                                    : std::make_unique<CustomCellWyniki>(0, kCellIdentifier);
    }
    auto& row = static_cast<CustomCellWyniki&>(*cell);
    const RankingRow& shown = ranking_.at(static_cast<size_t>(indexPath.row));
    row.miejsce().setText(std::to_string(indexPath.row + 1));
    row.nazwa_usera().setText(shown.userName);
    row.punkty().setText(shown.points);
    row.panstwo().setText(shown.country);
    return cell;
}
