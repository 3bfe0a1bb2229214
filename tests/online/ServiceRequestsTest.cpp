// The web service's requests as they go out, and backup and restore on canned replies.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/AppDelegate_All.h"
#include "app/ScoreDatabase.h"
#include "app/SettingManagement.h"
#include "online/CountryNames.h"
#include "online/ServiceRequests.h"
#include "online/SynchronizationPhone.h"
#include "platform/Platform.h"
#include "platform/RunLoop.h"
#include "tests/support/LaunchedGame.h"

namespace {

using ServiceRequests::Space;

class ServiceRequestsTest : public ::testing::Test {
protected:
    void SetUp() override { ServiceRequests::setServiceBaseUrl("http://svc.test/k"); }
};

TEST_F(ServiceRequestsTest, TheNineEndpointsWithTheirKeysInOrderAndTheirHeader) {
    using namespace ServiceRequests;
    const std::vector<std::pair<UrlRequest, std::string>> cases{
        {loginUser("ala kot", "p w"),
         "http://svc.test/k/loginUser.php?username=ala+kot&password=p+w"},
        {checkUser("ala", "pw"), "http://svc.test/k/checkUser.php?username=ala&password=pw"},
        {join("ala kot", "pw", "a@b.pl", "Cote d'Ivoire"),
         "http://svc.test/k/join.php?username=ala+kot&password=pw&mail=a%40b.pl"
         "&country=Cote+d%27Ivoire"},
        {forgot("ala kot"), "http://svc.test/k/forgot.php?username=ala+kot"},
        {sendScore("ala kot", "0"), "http://svc.test/k/sendScore.php?username=ala+kot&score=0"},
        {getScores("ala kot"), "http://svc.test/k/getScores.php?username=ala+kot"},
        {createCopy("[['3','1250','handgun']]", "ala kot"),
         "http://svc.test/k/createCopy.php?json=%5B%5B%273%27%2C%271250%27%2C%27handgun%27%5D%5D"
         "&username=ala%20kot"},
        {createFirstLoginCopy("[]", "ala kot"),
         "http://svc.test/k/createFirstLoginCopy.php?json=%5B%5D&username=ala%20kot"},
        {restoreCopy("ala kot"), "http://svc.test/k/restoreCopy.php?username=ala%20kot"},
    };
    for (const auto& [request, url] : cases) {
        EXPECT_EQ(request.url, url);
        if (url.find("/sendScore.php") != std::string::npos) {
            EXPECT_EQ(request.headerField, "") << url;
        } else {
            EXPECT_EQ(request.headerField, "Accept") << url;
            EXPECT_EQ(request.headerValue, "application/json") << url;
        }
    }
}

TEST_F(ServiceRequestsTest, EveryByteOutsideTheUnreservedSetIsEscaped) {
    EXPECT_EQ(ServiceRequests::encodeValue("Az09-._~", Space::Plus), "Az09-._~");
    EXPECT_EQ(ServiceRequests::encodeValue("a b&=+%#'?/", Space::Plus),
              "a+b%26%3D%2B%25%23%27%3F%2F");
    EXPECT_EQ(ServiceRequests::encodeValue("a b", Space::Percent20), "a%20b");
    EXPECT_EQ(ServiceRequests::encodeValue("\xc5\xbc\x01\xff", Space::Plus), "%C5%BC%01%FF");
    ServiceRequests::setServiceBaseUrl("http://x/");
    EXPECT_EQ(ServiceRequests::serviceBaseUrl(), "http://x/");
}

class SynchronizationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ServiceRequests::setServiceBaseUrl("http://svc.test/");
        game.launch();
        game.app().login = "ala kot";
    }

    // The rows of USER as the database holds them.
    std::vector<ResultRow> rowsOf(const std::string& user) {
        return ScoreDatabase::getJSONForUser(user);
    }
    std::string isUpdated() {
        return SettingManagement().readSetting("is_updated").value_or("absent");
    }

    LaunchedGame game;
    const std::vector<ResultRow> stored{{"3", "1250", "handgun"}, {"26", "900", "sniper"}};
};

TEST_F(SynchronizationTest, BackupTextUsesSingleQuotesAndAnEmptyBackupIsNotSent) {
    ASSERT_TRUE(ScoreDatabase::updateLocalDatabase("ala kot", stored));
    EXPECT_EQ(SynchronizationPhone().getJSONForUser("ala kot"),
              "[['3','1250','handgun'],['26','900','sniper']]");
    EXPECT_EQ(SynchronizationPhone().getJSONForUser("nobody"), "[]");

    game.app().login = "nobody";
    SynchronizationPhone().sendDatabaseToServer();
    EXPECT_TRUE(game.services().urlRequests().empty());
}

TEST_F(SynchronizationTest, OnlyTheServicesConfirmationMarksTheBackup) {
    ASSERT_TRUE(ScoreDatabase::updateLocalDatabase("ala kot", stored));
    const std::string before = isUpdated();
    game.services().addUrlReply("http://svc.test/createCopy.php",
                                UrlReply::text("<html>oops</html>", 500));
    SynchronizationPhone().sendDatabaseToServer();
    RunLoop::main().runFor(0.1);
    game.services().clearUrlReplies();
    game.services().addUrlReply("http://svc.test/createCopy.php",
                                UrlReply::text("[0,\"Unknown user.\"]"));
    SynchronizationPhone().sendDatabaseToServer();
    RunLoop::main().runFor(0.1);
    EXPECT_EQ(isUpdated(), before);

    game.services().clearUrlReplies();
    game.services().addUrlReply("http://svc.test/createCopy.php",
                                UrlReply{{"[", "1]"}, "", 0.5, 200});
    SynchronizationPhone().sendDatabaseToServer();
    RunLoop::main().runFor(0.6);
    EXPECT_EQ(isUpdated(), "1");
    ASSERT_EQ(game.services().urlRequests().size(), 3u);
    EXPECT_EQ(game.services().urlRequests()[2].url,
              "http://svc.test/createCopy.php?json=%5B%5B%273%27%2C%271250%27%2C%27handgun%27%5D%2C"
              "%5B%2726%27%2C%27900%27%2C%27sniper%27%5D%5D&username=ala%20kot");
}

TEST_F(SynchronizationTest, ARestoreReplacesTheRowsOfTheNameItWasMadeFor) {
    ASSERT_TRUE(ScoreDatabase::updateLocalDatabase("ala kot", stored));
    game.services().addUrlReply(
        "http://svc.test/restoreCopy.php",
        UrlReply{{"[[[\"5\",\"1\",\"hand", "gun\"],[28,3000,\"shotgun\"]],\"7\"]"}, "", 1, 200});
    SynchronizationPhone().restoreDatabaseFromServer();
    // Another user logs in before the reply arrives: the rows still go to "ala kot".
    game.app().login = "ola";
    game.app().position_in_ranking = "kept";
    RunLoop::main().runFor(1);
    EXPECT_EQ(rowsOf("ala kot"),
              (std::vector<ResultRow>{{"5", "1", "handgun"}, {"28", "3000", "shotgun"}}));
    EXPECT_TRUE(rowsOf("ola").empty());
    EXPECT_EQ(game.app().position_in_ranking, "kept");

    game.app().login = "ala kot";
    game.services().clearUrlReplies();
    game.services().addUrlReply("http://svc.test/restoreCopy.php", UrlReply::text("[[],\"12\"]"));
    SynchronizationPhone().restoreDatabaseFromServer();
    RunLoop::main().runFor(0.1);
    EXPECT_TRUE(rowsOf("ala kot").empty());
    EXPECT_EQ(game.app().position_in_ranking, "12");
}

TEST_F(SynchronizationTest, ABrokenOrCutRestoreReplyKeepsEveryRowAndThePosition) {
    const std::vector<UrlReply> broken{
        UrlReply::text("not json"),
        UrlReply::text("[0,\"Unknown user.\"]"),
        UrlReply::text("{\"a\":1}"),
        UrlReply::text("[]"),
        UrlReply::text("[[[\"3\",\"1250\"]],\"1\"]"),
        UrlReply::text("[[[\"3\",\"1250\",7]],\"1\"]"),
        UrlReply::text("[[[\"17\",\"1250\",\"handgun\"]],\"1\"]"),
        UrlReply::text("[[[\"3\",\"1250\",\"sniper\"]],\"1\"]"),
        UrlReply::text("[[[\"3\",\"3001\",\"handgun\"]],\"1\"]"),
        UrlReply::text("[[[\"3\",\"-1\",\"handgun\"]],\"1\"]"),
        UrlReply::text("[[[\"3\",\"12x\",\"handgun\"]],\"1\"]"),
        UrlReply::text("[[[\"3\",\"1250\",\"handgun\"]],\"1\"]", 503),
        UrlReply{{"[[[\"3\",\"1250\",\"handgun\"]],\"1\"]"}, "connection reset", 0, 200},
        UrlReply::failure("timed out"),
    };
    ASSERT_TRUE(ScoreDatabase::updateLocalDatabase("ala kot", stored));
    game.app().position_in_ranking = "4";
    for (const UrlReply& reply : broken) {
        game.services().clearUrlReplies();
        game.services().addUrlReply("http://svc.test/", reply);
        SynchronizationPhone().restoreDatabaseFromServer();
        SynchronizationPhone().firstSendDatabaseToServer();
        RunLoop::main().runFor(0.1);
        EXPECT_EQ(rowsOf("ala kot"), stored) << reply.chunks.size();
        EXPECT_EQ(game.app().position_in_ranking, "4");
    }
}

TEST_F(SynchronizationTest, FirstLoginSendsTheAnonymousRowsUnderTheNewName) {
    ASSERT_TRUE(ScoreDatabase::updateLocalDatabase("defaultUser", {{"12", "300", "submachine"}}));
    game.services().addUrlReply("http://svc.test/createFirstLoginCopy.php",
                                UrlReply::text("[[[\"12\",\"300\",\"submachine\"]],3]"));
    SynchronizationPhone().firstSendDatabaseToServer();
    RunLoop::main().runFor(0.1);
    ASSERT_EQ(game.services().urlRequests().size(), 1u);
    EXPECT_EQ(game.services().urlRequests()[0].url,
              "http://svc.test/createFirstLoginCopy.php?json=%5B%5B%2712%27%2C%27300%27%2C"
              "%27submachine%27%5D%5D&username=ala%20kot");
    EXPECT_EQ(rowsOf("ala kot"), (std::vector<ResultRow>{{"12", "300", "submachine"}}));
    EXPECT_EQ(game.app().position_in_ranking, "3");
}

TEST_F(SynchronizationTest, AConnectionThatCannotBeMadeShowsTheErrorAlert) {
    ASSERT_TRUE(ScoreDatabase::updateLocalDatabase("ala kot", stored));
    game.services().setRefusingConnections(true);
    SynchronizationPhone().restoreDatabaseFromServer();
    std::shared_ptr<AlertView> alert = Platform::current().visibleAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->title(), "Error");
    EXPECT_EQ(alert->message(), "A connection error");
    EXPECT_EQ(alert->buttonTitles(), std::vector<std::string>{"OK"});
    EXPECT_EQ(rowsOf("ala kot"), stored);
}

}  // namespace

namespace {

TEST(CountryNamesTest, TheListInItsOrderWithItsSpellings) {
    EXPECT_EQ(kCountryNames.size(), 193u);
    EXPECT_EQ(kCountryNames[0], "Afghanistan");
    EXPECT_EQ(kCountryNames[1], "Albania");
    EXPECT_EQ(kCountryNames[36], "Colombi");
    EXPECT_EQ(kCountryNames[41], "Cote d'Ivoire");
    EXPECT_EQ(kCountryNames[62], "Gambia, The");
    EXPECT_EQ(kCountryNames[192], "Zimbabwe");
    EXPECT_NE(std::find(kCountryNames.begin(), kCountryNames.end(), "Nepa"), kCountryNames.end());
}

}  // namespace
