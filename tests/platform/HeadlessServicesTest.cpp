// The headless backend: sound, movie and URL records, deliveries through the run loop, the
// leaderboard and alerts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestResources.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessServices.h"

namespace {

class HeadlessServicesTest : public ::testing::Test {
protected:
    void SetUp() override { services = &Platform::installHeadless(); }

    HeadlessServices* services = nullptr;
    TestResources resources;
};

TEST_F(HeadlessServicesTest, SoundPlayersExistOnlyForResourcesAndRecordWhatTheyDid) {
    resources.writeFile("click.aif", "FORM");
    EXPECT_EQ(SoundPlayer::create("missing", "aif"), nullptr);
    auto player = SoundPlayer::create("click", "aif");
    ASSERT_NE(player, nullptr);
    player->setNumberOfLoops(-1);
    player->play();
    EXPECT_TRUE(player->isPlaying());
    ASSERT_EQ(services->sounds().size(), 2u);
    const SoundRecord& missing = *services->sounds()[0];
    const SoundRecord& click = *services->sounds()[1];
    EXPECT_FALSE(missing.resourceFound);
    EXPECT_EQ(click.name, "click");
    EXPECT_EQ(click.numberOfLoops, -1);
    EXPECT_EQ(click.playCount, 1);
    // Replacing the player ends its sound.
    player = SoundPlayer::create("click", "aif");
    EXPECT_TRUE(click.released);
    EXPECT_FALSE(click.playing);
    EXPECT_EQ(services->sounds().size(), 3u);
}

TEST_F(HeadlessServicesTest, MoviesFinishThroughTheRunLoop) {
    resources.writeFile("intro.mp4", "movie");
    auto missing = MoviePlayer::create("");
    EXPECT_EQ(missing->loadState(), MoviePlayer::LoadStateUnknown);
    missing->play();
    EXPECT_FALSE(missing->isPlaying());

    services->setMovieDuration(4.0);
    auto movie = MoviePlayer::create(*Bundle::main().pathForResource("intro", "mp4"));
    EXPECT_EQ(movie->loadState(), MoviePlayer::LoadStatePlayable);
    std::vector<double> finishedAt;
    movie->setPlaybackDidFinish([&](MoviePlayer&) { finishedAt.push_back(RunLoop::main().now()); });
    movie->presentFullScreen();
    EXPECT_TRUE(movie->isPresentedFullScreen());
    RunLoop::main().runFor(3.9);
    EXPECT_TRUE(finishedAt.empty());
    RunLoop::main().runFor(0.2);
    EXPECT_EQ(finishedAt, (std::vector<double>{4.0}));
    EXPECT_FALSE(movie->isPresentedFullScreen());

    services->setMovieDuration(std::nullopt);
    movie->play();
    RunLoop::main().runFor(100);
    EXPECT_EQ(finishedAt.size(), 1u);
    services->finishPlayingMovies();
    EXPECT_EQ(finishedAt.size(), 1u);  // not synchronously
    RunLoop::main().runDueTimers();
    EXPECT_EQ(finishedAt.size(), 2u);
    // A destroyed player's pending notification is dropped.
    movie->play();
    services->finishPlayingMovies();
    movie.reset();
    RunLoop::main().runDueTimers();
    EXPECT_EQ(finishedAt.size(), 2u);
}

class RecordingDelegate : public UrlConnectionDelegate {
public:
    void connectionDidReceiveResponse(UrlConnection&, int status) override {
        events.push_back("status " + std::to_string(status));
    }
    void connectionDidReceiveData(UrlConnection&, std::string_view data) override {
        events.push_back("data " + std::string(data));
        if (cancelOnData) {
            connection.reset();
        }
    }
    void connectionDidFinishLoading(UrlConnection&) override { events.push_back("finished"); }
    void connectionDidFail(UrlConnection&, const std::string& error) override {
        events.push_back("failed " + error);
    }

    std::vector<std::string> events;
    std::unique_ptr<UrlConnection> connection;
    bool cancelOnData = false;
};

TEST_F(HeadlessServicesTest, UrlRepliesAreCannedAndDeliveredLater) {
    services->addUrlReply("http://service/ranking", UrlReply{{"[[\"a\",", "\"1\"]]"}, "", 0.5});
    services->addUrlReply("http://service/", UrlReply::failure("Connection error"));
    RecordingDelegate delegate;
    delegate.connection = UrlConnection::create(
        {"http://service/ranking?user=x", "Content-Type", "application/json"}, delegate);
    delegate.connection->start();
    EXPECT_TRUE(delegate.events.empty());
    RunLoop::main().runFor(0.5);
    EXPECT_EQ(delegate.events, (std::vector<std::string>{"status 200", "data [[\"a\",",
                                                         "data \"1\"]]", "finished"}));
    ASSERT_EQ(services->urlRequests().size(), 1u);
    EXPECT_EQ(services->urlRequests()[0].headerField, "Content-Type");

    RecordingDelegate failing;
    failing.connection = UrlConnection::create({"http://service/login", "", ""}, failing);
    failing.connection->start();
    RecordingDelegate unmatched;
    unmatched.connection = UrlConnection::create({"http://elsewhere/", "", ""}, unmatched);
    unmatched.connection->start();
    RunLoop::main().runDueTimers();
    EXPECT_EQ(failing.events, (std::vector<std::string>{"failed Connection error"}));
    EXPECT_EQ(unmatched.events,
              (std::vector<std::string>{"failed no reply for http://elsewhere/"}));
}

TEST_F(HeadlessServicesTest, DestroyedOrCancelledConnectionsStayQuiet) {
    services->addUrlReply("http://service/", UrlReply{{"one", "two"}, "", 0});
    RecordingDelegate dropped;
    dropped.connection = UrlConnection::create({"http://service/a", "", ""}, dropped);
    dropped.connection->start();
    dropped.connection.reset();
    RecordingDelegate cancelling;
    cancelling.cancelOnData = true;
    cancelling.connection = UrlConnection::create({"http://service/b", "", ""}, cancelling);
    cancelling.connection->start();
    RunLoop::main().runDueTimers();
    EXPECT_TRUE(dropped.events.empty());
    EXPECT_EQ(cancelling.events, (std::vector<std::string>{"status 200", "data one"}));
}

TEST_F(HeadlessServicesTest, LeaderboardReportsNeedAnAuthenticatedPlayer) {
    Leaderboard& leaderboard = Platform::current().services().leaderboard();
    std::vector<std::string> results;
    auto remember = [&](const std::string& error) {
        results.push_back(error.empty() ? "ok" : error);
    };
    leaderboard.reportScore(10, "kalvorn2", remember);
    leaderboard.authenticateLocalPlayer(remember);
    leaderboard.reportScore(1200, "kalvorn2", remember);
    EXPECT_TRUE(results.empty());
    RunLoop::main().runDueTimers();
    EXPECT_EQ(results, (std::vector<std::string>{"local player not authenticated", "ok", "ok"}));
    const auto& reports = services->headlessLeaderboard().reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1].value, 1200);
    EXPECT_EQ(reports[1].category, "kalvorn2");
}

TEST_F(HeadlessServicesTest, AlertsAreRecordedAndDismissedByButtonIndex) {
    std::vector<int> pressed;
    auto alert = AlertView::show("Error", "Connection error", {"OK"},
                                 [&](int index) { pressed.push_back(index); });
    EXPECT_EQ(Platform::current().visibleAlert(), alert);
    alert->dismiss(1);  // no such button
    EXPECT_TRUE(alert->isVisible());
    alert->dismiss(0);
    alert->dismiss(0);
    EXPECT_EQ(pressed, (std::vector<int>{0}));
    EXPECT_EQ(Platform::current().visibleAlert(), nullptr);
    ASSERT_EQ(Platform::current().alerts().size(), 1u);
    EXPECT_EQ(Platform::current().alerts()[0]->message(), "Connection error");
}

}  // namespace
