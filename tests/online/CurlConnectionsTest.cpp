// Real connections against a loopback stub that records raw requests and can answer, send an
// error page, cut its reply short or stall. Every wait is bounded.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "platform/Platform.h"
#include "platform/RunLoop.h"
#include "platform/headless/HeadlessServices.h"

namespace {

enum class StubMode { Answer, Cut, Stall, Chunks };

class LoopbackStub {
public:
    LoopbackStub(StubMode mode, std::string reply) : mode_(mode), reply_(std::move(reply)) {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listener_, 8);
        socklen_t length = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~LoopbackStub() {
        stop_ = true;
        thread_.join();
        close(listener_);
    }

    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    std::vector<std::string> requests() {
        std::lock_guard lock(mutex_);
        return requests_;
    }

private:
    bool readable(int fd, int milliseconds) {
        pollfd entry{fd, POLLIN, 0};
        return poll(&entry, 1, milliseconds) > 0;
    }

    void serve() {
        while (!stop_) {
            if (!readable(listener_, 50)) {
                continue;
            }
            const int client = accept(listener_, nullptr, nullptr);
            if (client < 0) {
                continue;
            }
            std::string request;
            char buffer[4096];
            while (request.find("\r\n\r\n") == std::string::npos && readable(client, 2000)) {
                const ssize_t got = read(client, buffer, sizeof buffer);
                if (got <= 0) {
                    break;
                }
                request.append(buffer, static_cast<size_t>(got));
            }
            {
                std::lock_guard lock(mutex_);
                requests_.push_back(request);
            }
            answer(client);
            close(client);
        }
    }

    void answer(int client) {
        const std::string head = "HTTP/1.1 " + reply_.substr(0, 3) + " X\r\nContent-Length: ";
        const std::string body = reply_.substr(4);
        switch (mode_) {
            case StubMode::Answer:
                send(client, head + std::to_string(body.size()) + "\r\n\r\n" + body);
                break;
            case StubMode::Cut:
                send(client, head + std::to_string(body.size() + 50) + "\r\n\r\n" + body);
                break;
            case StubMode::Chunks:
                send(client, head + std::to_string(body.size()) + "\r\n\r\n" + body.substr(0, 1));
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                send(client, body.substr(1));
                break;
            case StubMode::Stall:
                for (int i = 0; i < 60 && !stop_; ++i) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                }
                break;
        }
    }

    static void send(int client, const std::string& data) {
        (void)!write(client, data.data(), data.size());
    }

    StubMode mode_;
    std::string reply_;  // "STATUS BODY"
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_ = false;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> requests_;
};

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
    void SetUp() override { Platform::installHeadless().useRealConnections({0.5, ""}); }

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
