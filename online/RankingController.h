// The global ranking: the players of the web service with their place, name, points and
// country, fetched anew each time the screen appears, and the current player's own position.
// A failed or timed-out fetch stops the indicator and shows the "Error" alert, keeping the list
// as it was; a reply that is not a ranking empties the list. The request ends when the screen
// leaves, so no reply reaches a screen that is gone. The tablet twin only selects the tablet
// profile (and so the tablet's rows).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "online/ServiceCall.h"
#include "platform/TableView.h"
#include "platform/ViewController.h"

class ActivityIndicatorView;
class Label;

// One line of the ranking, as the service sends it: user name, points, country name.
struct RankingRow {
    std::string userName;
    std::string points;
    std::string country;

    friend bool operator==(const RankingRow&, const RankingRow&) = default;
};

class RankingController : public ViewController,
                          private TableViewDataSource,
                          private TableViewDelegate {
public:
    explicit RankingController(const DeviceProfile& profile = DeviceProfile::phone());

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    void refresh();
    void back();

    int numberOfSectionsInTableView(TableView& table) override;
    int tableViewNumberOfRowsInSection(TableView& table, int section) override;
    std::unique_ptr<TableViewCell> tableViewCellForRowAtIndexPath(TableView& table,
                                                                  IndexPath indexPath) override;

    const std::vector<RankingRow>& ranking() const { return ranking_; }

private:
    void rankingArrived(const ServiceReply& reply);
    void requestFailed();

    TableView* tabelka = nullptr;
    ActivityIndicatorView* indicator = nullptr;
    std::vector<RankingRow> ranking_;
    Label* userPosition = nullptr;
    ServiceCall call_;
};

class RankingController_ipad : public RankingController {
public:
    RankingController_ipad() : RankingController(DeviceProfile::tablet()) {}
};
