// The global ranking on recording connections, in both profiles: the request it sends, the rows
// and the position it shows, reused rows, replies of every wrong shape, failures, and a screen
// that leaves before its reply.
#include <gtest/gtest.h>

#include <set>

#include "app/AppDelegate_All.h"
#include "online/CustomCellWyniki.h"
#include "online/RankingController.h"
#include "online/ServiceRequests.h"
#include "platform/ActivityIndicatorView.h"
#include "platform/AlertView.h"
#include "platform/Label.h"
#include "platform/NavigationController.h"
#include "platform/Platform.h"
#include "tests/support/LaunchedGame.h"

namespace {

const std::string kTwelvePlayers =
    "[[[\"Olek\",\"3000\",\"Poland\"],[\"ala kot\",\"2900\",\"Cote d'Ivoire\"],"
    "[\"Zed\",\"2800\",\"Chile\"],[\"b4\",\"2700\",\"Peru\"],[\"b5\",\"2600\",\"Peru\"],"
    "[\"b6\",\"2500\",\"Peru\"],[\"b7\",\"2400\",\"Peru\"],[\"b8\",\"2300\",\"Peru\"],"
    "[\"b9\",\"2200\",\"Peru\"],[\"tenth\",\"1\",\"Gambia, The\"],[\"b11\",\"0\",\"Peru\"],"
    "[\"b12\",\"0\",\"Peru\"]],\"2\"]";

class RankingListTest : public ::testing::TestWithParam<LaunchOptions::Profile> {
protected:
    RankingListTest() : game(GetParam()) { game.launch(); }

    bool tablet() const { return GetParam() == LaunchOptions::Profile::Tablet; }
    std::string suffix() const { return tablet() ? "_ipad" : ""; }
    HeadlessServices& services() { return game.services(); }

    // Opens the list for USER with BODY as the service's reply.
    RankingController& open(const std::string& body, const std::string& user = "ala kot") {
        game.app().login = user;
        services().addUrlReply(ServiceRequests::serviceBaseUrl() + "getScores.php",
                               UrlReply::text(body));
        EXPECT_TRUE(game.run("open RankingController" + suffix() + "\nwait 0.1\n"));
        return screen();
    }
    RankingController& screen() {
        return dynamic_cast<RankingController&>(
            *game.app().navigationController().topViewController());
    }
    // Answers the next fetch with REPLY and refetches.
    void refetch(RankingController& list, UrlReply reply) {
        services().clearUrlReplies();
        services().addUrlReply(ServiceRequests::serviceBaseUrl() + "getScores.php", reply);
        list.refresh();
        ASSERT_TRUE(game.run("wait 0.1\n"));
    }
    TableView& table(RankingController& list) { return *list.outlet<TableView>("tabelka"); }
    std::string position(RankingController& list) {
        return list.outlet<Label>("userPosition")->text();
    }
    bool turning(RankingController& list) {
        return list.outlet<ActivityIndicatorView>("indicator")->isAnimating();
    }
    CustomCellWyniki& row(RankingController& list, int index) {
        TableViewCell* cell = table(list).cellForRowAtIndexPath({0, index});
        EXPECT_NE(cell, nullptr) << "row " << index;
        return dynamic_cast<CustomCellWyniki&>(*cell);
    }
    std::vector<std::string> shown(RankingController& list, int index) {
        CustomCellWyniki& cell = row(list, index);
        return {cell.miejsce().text(), cell.nazwa_usera().text(), cell.punkty().text(),
                cell.panstwo().text()};
    }
    size_t alerts() { return Platform::current().alerts().size(); }

    LaunchedGame game;
};

TEST_P(RankingListTest, TheListIsAskedForTheCurrentUserWithPlusForSpacesAndForJson) {
    open("[[],\"-\"]");
    ASSERT_EQ(services().urlRequests().size(), 1u);
    const UrlRequest& request = services().urlRequests().back();
    EXPECT_EQ(request.url, ServiceRequests::serviceBaseUrl() + "getScores.php?username=ala+kot");
    EXPECT_EQ(request.headerField, "Accept");
    EXPECT_EQ(request.headerValue, "application/json");
}

TEST_P(RankingListTest, TheLoggedOutPlayerStillFetchesAndSeesThePositionTheServiceGives) {
    RankingController& list = open("[[[\"Olek\",\"3000\",\"Poland\"]],\"-\"]", "defaultUser");
    EXPECT_EQ(services().urlRequests().back().url,
              ServiceRequests::serviceBaseUrl() + "getScores.php?username=defaultUser");
    EXPECT_EQ(table(list).numberOfRows(), 1);
    EXPECT_EQ(position(list), "-");
}

TEST_P(RankingListTest, RowsShowPlaceNamePointsAndCountryInReplyOrder) {
    RankingController& list = open(kTwelvePlayers);
    EXPECT_FALSE(turning(list));
    EXPECT_EQ(position(list), "2");
    ASSERT_EQ(table(list).numberOfRows(), 12);
    EXPECT_EQ(shown(list, 0), (std::vector<std::string>{"1", "Olek", "3000", "Poland"}));
    EXPECT_EQ(shown(list, 1), (std::vector<std::string>{"2", "ala kot", "2900", "Cote d'Ivoire"}));
    table(list).scrollToRowAtIndexPath({0, 11}, false);
    // Places come from the order, whatever the points say.
    EXPECT_EQ(shown(list, 9), (std::vector<std::string>{"10", "tenth", "1", "Gambia, The"}));
    EXPECT_EQ(shown(list, 11)[0], "12");
    // Scripts reach a row's labels through the table: TABLE/ROW/NAME.
    EXPECT_TRUE(
        game.run("expect tabelka/9/miejsce.text = 10\nexpect tabelka/9/nazwa_usera.text = tenth\n"
                 "expect tabelka/11/panstwo.text = Peru\n"));
    EXPECT_FALSE(game.run("expect tabelka/9/miejsce.text = 9\n"));
    EXPECT_FALSE(game.run("expect tabelka/12/miejsce.text = 13\n"));
    EXPECT_FALSE(game.run("expect tabelka/x/miejsce.text = 1\n"));
    EXPECT_FALSE(game.run("expect userPosition/0/miejsce.text = 1\n"));
}

TEST_P(RankingListTest, RowsHaveTheirProfilesLookAndColumns) {
    RankingController& list = open(kTwelvePlayers);
    CustomCellWyniki& cell = row(list, 0);
    EXPECT_EQ(cell.reuseIdentifier(), "Cell");
    EXPECT_EQ(cell.style(), 0);
    EXPECT_EQ(dynamic_cast<CustomCellWyniki_ipad*>(&cell) != nullptr, tablet());
    const std::vector<Rect> phone{
        {0, 0, 50, 30}, {50, 0, 130, 30}, {180, 0, 60, 30}, {240, 0, 160, 30}};
    const std::vector<Rect> tabletColumns{
        {0, 0, 50, 30}, {50, 0, 230, 30}, {280, 0, 160, 30}, {440, 0, 330, 30}};
    const std::vector<Label*> labels{&cell.miejsce(), &cell.nazwa_usera(), &cell.punkty(),
                                     &cell.panstwo()};
    for (size_t column = 0; column < labels.size(); ++column) {
        const Label& label = *labels[column];
        EXPECT_EQ(label.frame(), (tablet() ? tabletColumns : phone)[column]) << column;
        EXPECT_EQ(label.fontSize(), tablet() ? 18 : 14);
        EXPECT_NE(label.fontName().find("Bold"), std::string::npos);
        EXPECT_EQ(label.textColor(), Color::white());
        EXPECT_EQ(label.backgroundColor(), (Color{0, 0, 0, 0.5}));
        EXPECT_EQ(label.alignment(), column == 0 ? TextAlignment::Center : TextAlignment::Left);
        EXPECT_EQ(label.superview(), &cell.contentView());
    }
}

TEST_P(RankingListTest, RowsLeavingTheScreenAreReusedForTheRowsThatCome) {
    std::string body = "[[";
    for (int place = 1; place <= 60; ++place) {
        body += std::string(place > 1 ? "," : "") + "[\"p" + std::to_string(place) + "\",\"" +
                std::to_string(3000 - place) + "\",\"Peru\"]";
    }
    body += "],\"33\"]";
    RankingController& list = open(body);
    std::set<TableViewCell*> top;
    for (IndexPath visible : table(list).indexPathsForVisibleRows()) {
        top.insert(table(list).cellForRowAtIndexPath(visible));
    }
    ASSERT_FALSE(top.empty());
    ASSERT_LT(top.size(), 30u);
    table(list).scrollToRowAtIndexPath({0, 59}, false);
    size_t reused = 0;
    for (IndexPath visible : table(list).indexPathsForVisibleRows()) {
        reused += top.count(table(list).cellForRowAtIndexPath(visible));
        EXPECT_EQ(shown(list, visible.row)[0], std::to_string(visible.row + 1));
        EXPECT_EQ(shown(list, visible.row)[1], "p" + std::to_string(visible.row + 1));
    }
    EXPECT_GT(reused, 0u);
    EXPECT_EQ(shown(list, 59), (std::vector<std::string>{"60", "p60", "2940", "Peru"}));
}

TEST_P(RankingListTest, APositionGivenAsANumberIsShownInDecimalAndNoRowsStillShowIt) {
    RankingController& list = open("[[],12]");
    EXPECT_EQ(table(list).numberOfRows(), 0);
    EXPECT_EQ(position(list), "12");
}

TEST_P(RankingListTest, EachBrokenReplyLeavesASaneScreen) {
    struct Broken {
        UrlReply reply;
        int rows;
        std::string position;
        std::string secondRow;  // the name shown in row 2, when there is one
    };
    const std::vector<Broken> replies{
        {UrlReply::text("not json at all"), 0, "-", ""},
        {UrlReply::text("{\"ranking\":[]}"), 0, "-", ""},
        {UrlReply::text("[]"), 0, "-", ""},
        {UrlReply::text("[\"Olek\",\"3\"]"), 0, "3", ""},
        {UrlReply::text("[[[\"Olek\",\"3000\",\"Poland\"]]]"), 1, "-", ""},
        {UrlReply::text("[[[\"Olek\",\"3000\",\"Poland\"]],[\"x\"]]"), 1, "-", ""},
        {UrlReply::text("[[[\"a\"],\"b\",null,[\"c\",3000,\"Peru\",\"x\"]],true]"), 4, "-", ""},
        {UrlReply::text("[[[\"a\",{\"p\":1},\"PL\"],[\"Zed\",7,\"Chile\"]],\"5\"]"), 2, "5", "Zed"},
        {UrlReply::text("[[[\"Olek\",\"3000\",\"Poland\"]],\"1\"]", 500), 0, "-", ""},
        {UrlReply::text(""), 0, "-", ""},
    };
    RankingController& list = open(kTwelvePlayers);
    const size_t alertsBefore = alerts();
    for (const Broken& broken : replies) {
        refetch(list, UrlReply::text(kTwelvePlayers));
        ASSERT_EQ(table(list).numberOfRows(), 12);
        refetch(list, broken.reply);
        const std::string& body = broken.reply.chunks[0];
        EXPECT_FALSE(turning(list)) << body;
        EXPECT_EQ(table(list).numberOfRows(), broken.rows) << body;
        EXPECT_EQ(position(list), broken.position) << body;
        if (!broken.secondRow.empty()) {
            EXPECT_EQ(shown(list, 1), (std::vector<std::string>{"2", "Zed", "7", "Chile"}));
            EXPECT_EQ(shown(list, 0), (std::vector<std::string>{"1", "a", "", "PL"}));
        }
        for (int index = 0; index < broken.rows; ++index) {
            EXPECT_EQ(shown(list, index)[0], std::to_string(index + 1)) << body;
        }
    }
    EXPECT_EQ(alerts(), alertsBefore);
}

TEST_P(RankingListTest, AFailedFetchStopsTheIndicatorShowsTheErrorAndKeepsTheList) {
    RankingController& list = open(kTwelvePlayers);
    refetch(list, UrlReply::failure("Connection reset"));
    EXPECT_FALSE(turning(list));
    EXPECT_EQ(table(list).numberOfRows(), 12);
    EXPECT_EQ(position(list), "2");
    ASSERT_TRUE(game.run("expect-alert Error\n"));
    EXPECT_EQ(Platform::current().visibleAlert()->message(), "Connection error");
    EXPECT_EQ(Platform::current().visibleAlert()->buttonTitles(), std::vector<std::string>{"OK"});
}

TEST_P(RankingListTest, AConnectionThatCannotBeMadeShowsTheErrorAndSendsNothing) {
    services().setRefusingConnections(true);
    RankingController& list = open(kTwelvePlayers);
    EXPECT_TRUE(services().urlRequests().empty());
    EXPECT_FALSE(turning(list));
    EXPECT_EQ(table(list).numberOfRows(), 0);
    ASSERT_TRUE(game.run("expect-alert Error\n"));
    EXPECT_EQ(Platform::current().visibleAlert()->message(), "Connection error");
}

TEST_P(RankingListTest, EachAppearanceFetchesAgainAndAScreenOnTopHearsNoReply) {
    RankingController& list = open(kTwelvePlayers);
    const size_t alertsBefore = alerts();
    UrlReply late = UrlReply::text("[[],\"9\"]");
    late.delay = 1;
    services().clearUrlReplies();
    services().addUrlReply(ServiceRequests::serviceBaseUrl() + "getScores.php", late);
    NavigationController& navigation = game.app().navigationController();
    navigation.pushViewController(std::make_unique<ViewController>(list.profile(), ""), false);
    navigation.popViewControllerAnimated(false);
    EXPECT_TRUE(turning(list));
    // Covered before its reply: the request ends and the list keeps what it showed.
    navigation.pushViewController(std::make_unique<ViewController>(list.profile(), ""), false);
    EXPECT_FALSE(turning(list));
    ASSERT_TRUE(game.run("wait 1.5\n"));
    EXPECT_EQ(table(list).numberOfRows(), 12);
    EXPECT_EQ(position(list), "2");
    EXPECT_EQ(services().urlRequests().size(), 2u);
    EXPECT_EQ(alerts(), alertsBefore);
}

TEST_P(RankingListTest, APoppedScreenHearsNothingOfItsRequest) {
    const size_t alertsBefore = alerts();
    for (UrlReply late : {UrlReply::text(kTwelvePlayers), UrlReply::failure("timed out")}) {
        late.delay = 1;
        services().clearUrlReplies();
        services().addUrlReply(ServiceRequests::serviceBaseUrl() + "getScores.php", late);
        ASSERT_TRUE(game.run("open RankingController" + suffix() +
                             "\nwait 0.2\ntap backButton\nwait 1.5\n"));
        EXPECT_EQ(
            dynamic_cast<RankingController*>(game.app().navigationController().topViewController()),
            nullptr);
        EXPECT_EQ(alerts(), alertsBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(BothProfiles, RankingListTest,
                         ::testing::Values(LaunchOptions::Profile::Phone,
                                           LaunchOptions::Profile::Tablet));

}  // namespace
