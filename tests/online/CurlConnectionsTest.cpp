// Real connections against a loopback stub that records raw requests and can answer, send an
// error page, cut its reply short or stall. Every wait is bounded.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/Platform.h"
#include "platform/RunLoop.h"
#include "platform/headless/HeadlessServices.h"
#include "tests/support/LoopbackStub.h"

namespace {

class Recorder : public UrlConnectionDelegate {
public:
    void connectionDidReceiveResponse(UrlConnection&, int status) override {
        events.push_back("status " + std::to_string(status));
    }
    void connectionDidReceiveData(UrlConnection&, std::string_view data) override { body += data; }
    void connectionDidFinishLoading(UrlConnection&) override {
        events.push_back("finished " + body);
        endedAt = RunLoop::main().now();
    }
    void connectionDidFail(UrlConnection&, const std::string&) override {
        events.push_back("failed");
        endedAt = RunLoop::main().now();
    }
    bool ended() const { return endedAt >= 0; }

    std::vector<std::string> events;
    std::string body;
    double endedAt = -1;
};

class CurlConnectionsTest : public ::testing::Test {
protected:
    void SetUp() override { Platform::installHeadless().useRealConnections({0.5, "", ""}); }

    // Runs the loop until the recorder has heard the end, for at most 10 s on the loop's clock.
    void load(Recorder& recorder, const UrlRequest& request) {
        connection = UrlConnection::create(request, recorder);
        ASSERT_TRUE(connection);
        connection->start();
        RunLoop& loop = RunLoop::main();
        for (int turn = 0; turn < 100 && !recorder.ended(); ++turn) {
            loop.runFor(0.1);
        }
    }

    std::unique_ptr<UrlConnection> connection;
};

TEST_F(CurlConnectionsTest, AReplyComesWithItsStatusAndTheRequestCarriesOneHeaderField) {
    LoopbackStub stub(StubMode::Chunks, "200 [1,\"ok\"]");
    Recorder json;
    load(json, {stub.url("/loginUser.php?username=a+b"), "Accept", "application/json"});
    EXPECT_EQ(json.events, (std::vector<std::string>{"status 200", "finished [1,\"ok\"]"}));
    Recorder plain;
    load(plain, {stub.url("/sendScore.php?score=1"), "", ""});
    ASSERT_EQ(stub.requests().size(), 2u);
    const std::string first = stub.requests()[0];
    EXPECT_TRUE(first.starts_with("GET /loginUser.php?username=a+b HTTP/1.1\r\n")) << first;
    EXPECT_NE(first.find("\r\nAccept: application/json\r\n"), std::string::npos) << first;
    EXPECT_EQ(stub.requests()[1].find("Accept"), std::string::npos) << stub.requests()[1];
}

TEST_F(CurlConnectionsTest, AnErrorPageIsAReplyButACutOneIsAFailure) {
    LoopbackStub errorPage(StubMode::Answer, "500 <html>down</html>");
    Recorder error;
    load(error, {errorPage.url("/x"), "", ""});
    EXPECT_EQ(error.events, (std::vector<std::string>{"status 500", "finished <html>down</html>"}));

    LoopbackStub cut(StubMode::Cut, "200 [[[\"3\",");
    Recorder cutShort;
    load(cutShort, {cut.url("/restoreCopy.php"), "", ""});
    ASSERT_FALSE(cutShort.events.empty());
    EXPECT_EQ(cutShort.events.back(), "failed");
}

TEST_F(CurlConnectionsTest, AStalledReplyTimesOutWhileTheVirtualClockFollowsRealTime) {
    LoopbackStub stall(StubMode::Stall, "200 never");
    Recorder recorder;
    bool timerFired = false;
    auto timer = RunLoop::main().performAfterDelay(0.2, [&] { timerFired = true; });
    load(recorder, {stall.url("/getScores.php"), "", ""});
    EXPECT_EQ(recorder.events, std::vector<std::string>{"failed"});
    EXPECT_TRUE(timerFired);
    // The virtual clock waited for the transfer instead of jumping ahead of its time-out: a
    // jumping clock would have used up all ten seconds of the loop before it ended. Waits cut
    // short at the end of each slice lose a little real time, so no lower bound is tight.
    EXPECT_GT(recorder.endedAt, 0.2);
    EXPECT_LT(recorder.endedAt, 5.0);
}

TEST_F(CurlConnectionsTest, RefusedAndUnparsableAddressesFail) {
    int port = 0;
    {
        LoopbackStub closed(StubMode::Answer, "200 x");
        port = std::stoi(closed.url("").substr(17));
    }
    Recorder refused;
    load(refused, {"http://127.0.0.1:" + std::to_string(port) + "/", "", ""});
    EXPECT_EQ(refused.events, std::vector<std::string>{"failed"});
    Recorder nothing;
    EXPECT_FALSE(UrlConnection::create({"http://[bad/", "", ""}, nothing));
}

TEST_F(CurlConnectionsTest, ACancelledTransferIsNeverHeardFrom) {
    LoopbackStub stub(StubMode::Chunks, "200 abc");
    Recorder recorder;
    connection = UrlConnection::create({stub.url("/"), "", ""}, recorder);
    connection->start();
    RunLoop::main().runFor(0.05);
    connection.reset();
    RunLoop::main().runFor(0.5);
    EXPECT_FALSE(recorder.ended());
    EXPECT_FALSE(RunLoop::main().isSourceBusy());
}

}  // namespace

TEST_F(CurlConnectionsTest, ACookieGivenIsSentBackKeptInItsFileAndForgotten) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("kalvorn-cookies-" + std::to_string(getpid()));
    std::filesystem::remove(file);
    Platform::installHeadless().useRealConnections({0.5, "", file.string()});
    LoopbackStub stub;
    stub.route("/", StubMode::Answer, "200 1");
    stub.route("/loginUser.php", StubMode::Answer, "200 [1]", 0,
               "Set-Cookie: kalvorn_session=abc123; Path=/; HttpOnly");
    Recorder login;
    load(login, {stub.url("/loginUser.php?username=a"), "", ""});
    Recorder score;
    load(score, {stub.url("/sendScore.php?username=a"), "", ""});
    ASSERT_EQ(stub.requests().size(), 2u);
    EXPECT_EQ(stub.requests()[0].find("Cookie"), std::string::npos) << stub.requests()[0];
    EXPECT_NE(stub.requests()[1].find("\r\nCookie: kalvorn_session=abc123\r\n"), std::string::npos)
        << stub.requests()[1];
    EXPECT_EQ(std::filesystem::status(file).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    // A new start with the same file still has it.
    Platform::installHeadless().useRealConnections({0.5, "", file.string()});
    Recorder again;
    load(again, {stub.url("/sendScore.php?username=a"), "", ""});
    ASSERT_EQ(stub.requests().size(), 3u);
    EXPECT_NE(stub.requests()[2].find("Cookie: kalvorn_session=abc123"), std::string::npos);

    UrlConnection::forgetCookies();
    EXPECT_FALSE(std::filesystem::exists(file));
    Recorder forgotten;
    load(forgotten, {stub.url("/sendScore.php?username=a"), "", ""});
    ASSERT_EQ(stub.requests().size(), 4u);
    EXPECT_EQ(stub.requests()[3].find("Cookie"), std::string::npos) << stub.requests()[3];
    Platform::installHeadless();
    std::filesystem::remove(file);
}

TEST_F(CurlConnectionsTest, ALogInAnsweredBeforeTheLogOutsBackupEndsKeepsItsNewCookie) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("kalvorn-cookies-relogin-" + std::to_string(getpid()));
    std::filesystem::remove(file);
    Platform::installHeadless().useRealConnections({5, "", file.string()});
    LoopbackStub stub;
    stub.route("/", StubMode::Answer, "200 1");
    stub.route("/loginUser.php?username=old", StubMode::Answer, "200 [1]", 0,
               "Set-Cookie: kalvorn_session=old111; Path=/; HttpOnly");
    stub.route("/loginUser.php?username=new", StubMode::Answer, "200 [1]", 0,
               "Set-Cookie: kalvorn_session=new222; Path=/; HttpOnly");
    stub.route("/createCopy.php", StubMode::Answer, "200 [1]", 1.5);
    Recorder oldLogin;
    load(oldLogin, {stub.url("/loginUser.php?username=old"), "", ""});

    // Log-out: the backup leaves with the old session, then the cookies are to be forgotten.
    Recorder backup;
    std::unique_ptr<UrlConnection> backupConnection =
        UrlConnection::create({stub.url("/createCopy.php?username=old"), "", ""}, backup);
    ASSERT_TRUE(backupConnection);
    backupConnection->start();
    UrlConnection::forgetCookies();
    // A new log-in is answered while the backup is still under way.
    Recorder newLogin;
    load(newLogin, {stub.url("/loginUser.php?username=new"), "", ""});
    ASSERT_FALSE(backup.ended());
    for (int turn = 0; turn < 100 && !backup.ended(); ++turn) {
        RunLoop::main().runFor(0.1);
    }
    ASSERT_TRUE(backup.ended());

    Recorder score;
    load(score, {stub.url("/sendScore.php?username=new"), "", ""});
    const std::vector<std::string> requests = stub.requests();
    ASSERT_EQ(requests.size(), 4u);
    auto requestFor = [&](const std::string& path) {
        for (const std::string& request : requests) {
            if (request.find("GET " + path) == 0) {
                return request;
            }
        }
        return std::string();
    };
    EXPECT_NE(requestFor("/createCopy.php").find("Cookie: kalvorn_session=old111"),
              std::string::npos);
    const std::string sent = requestFor("/sendScore.php");
    EXPECT_NE(sent.find("Cookie: kalvorn_session=new222\r\n"), std::string::npos) << sent;

    // The file keeps the new session and only it, for the next start.
    Platform::installHeadless().useRealConnections({5, "", file.string()});
    Recorder afterRestart;
    load(afterRestart, {stub.url("/sendScore.php?username=new"), "", ""});
    ASSERT_EQ(stub.requests().size(), 5u);
    EXPECT_NE(stub.requests()[4].find("Cookie: kalvorn_session=new222\r\n"), std::string::npos)
        << stub.requests()[4];
    Platform::installHeadless();
    std::filesystem::remove(file);
}
