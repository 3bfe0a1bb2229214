// kalvorn-server's front door under attack: strict requests, slow and idle clients, clients past
// their limits, a second service on the same port and a stop signal while clients drip.
#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "RawConnection.h"
#include "ServerProcess.h"
#include "ServerTestSupport.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

size_t countOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

std::string request(const std::string& method, const std::string& target) {
    return method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
}

class FrontDoorTest : public ::testing::Test {
protected:
    void startServer(const std::vector<std::string>& arguments = {}) {
        server = std::make_unique<ServerProcess>(directory.path() / "data",
                                                 directory.path() / "server.log", arguments);
        client = server->client();
    }
    std::string body(const std::string& path) {
        auto reply = client->Get(path.c_str());
        return reply ? reply->body : "<no reply>";
    }

    TemporaryDirectory directory;
    std::unique_ptr<ServerProcess> server;
    std::unique_ptr<httplib::Client> client;
};

}  // namespace

TEST_F(FrontDoorTest, ValuesArriveExactlyAsEncodedAndOnlyGetChangesAnything) {
    startServer();
    ASSERT_EQ(body("/join.php?username=bob&password=abc=secret9&mail=b%40example.com&country=Chad"),
              "[1]");
    EXPECT_EQ(body("/loginUser.php?username=bob&password=abc%3Dsecret9"), "[1]");
    EXPECT_EQ(body("/checkUser.php?username=%u0062ob&password=secret1"),
              R"([0,"A user name may contain only letters, digits, '_', '-', '.' and spaces."])")
        << "%u escapes are not decoded";
    EXPECT_EQ(body("/checkUser.php?username=al%FF&password=secret1"),
              R"([0,"Invalid value: username."])");

    auto sendScore = client->Get("/sendScore.php?username=bob&score=1%20OR%201=1");
    ASSERT_TRUE(sendScore);
    EXPECT_EQ(sendScore->status, 400);
    for (const std::string method : {"HEAD", "POST", "PUT", "DELETE"}) {
        RawConnection raw(server->port());
        ASSERT_TRUE(raw.send(method + " /sendScore.php?username=bob&score=500 HTTP/1.1\r\n"
                                      "Host: x\r\nContent-Length: 0\r\n\r\n"));
        std::string reply = raw.readUntil(
            2s, [](const std::string& text) { return text.find("\r\n\r\n") != std::string::npos; });
        EXPECT_EQ(reply.rfind("HTTP/1.1 405", 0), 0u) << method << ": " << reply;
        EXPECT_NE(reply.find("Allow: GET"), std::string::npos) << reply;
    }
    EXPECT_EQ(body("/getScores.php?username=bob"), R"([[],"-"])") << "no total was stored";
}

TEST_F(FrontDoorTest, PipelinedRequestsAreAnsweredInTheirOrder) {
    startServer();
    RawConnection raw(server->port());
    ASSERT_TRUE(raw.send(request("GET", "/checkUser.php?username=ab&password=secret1") +
                         request("GET", "/nothing.php") +
                         request("GET", "/sendScore.php?username=x&score=abc")));
    std::string replies = raw.readUntil(5s, [](const std::string& text) {
        return countOf(text, "HTTP/1.1 ") == 3 && text.size() > 3 &&
               text.compare(text.size() - 1, 1, "0") == 0;
    });
    size_t first = replies.find("HTTP/1.1 200");
    size_t second = replies.find("HTTP/1.1 404");
    size_t third = replies.find("HTTP/1.1 400");
    ASSERT_NE(first, std::string::npos) << replies;
    ASSERT_NE(second, std::string::npos) << replies;
    ASSERT_NE(third, std::string::npos) << replies;
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
    EXPECT_NE(replies.find("3 to 20 characters"), std::string::npos) << replies;
}

TEST_F(FrontDoorTest, ASecondServiceOnTheSamePortIsRefused) {
    startServer();
    ProgramRun second =
        runServerToItsEnd({"--listen", "127.0.0.1:" + std::to_string(server->port()), "--data",
                           (directory.path() / "other").string()});
    EXPECT_EQ(second.exitStatus, 1) << second.output;
    EXPECT_NE(second.output.find("cannot listen on 127.0.0.1:" + std::to_string(server->port())),
              std::string::npos)
        << second.output;
    EXPECT_EQ(body("/checkUser.php?username=anna&password=secret1"), "[1]");
}

TEST_F(FrontDoorTest, IdleAndDrippingClientsDoNotStarveOthers) {
    startServer({"--per-address-connections", "0", "--per-address-rate", "0", "--request-timeout",
                 "2", "--idle-timeout", "10"});
    std::vector<std::unique_ptr<RawConnection>> idle;
    for (int i = 0; i < 300; ++i) {
        idle.push_back(std::make_unique<RawConnection>(server->port()));
        ASSERT_TRUE(idle.back()->connected());
    }
    std::vector<std::unique_ptr<RawConnection>> dripping;
    for (int i = 0; i < 40; ++i) {
        dripping.push_back(std::make_unique<RawConnection>(server->port()));
        ASSERT_TRUE(dripping.back()->send("GET /getScores.php?username=drip HTTP/1.1\r\n"));
    }
    std::atomic<bool> dripOn = true;
    std::thread dripper([&] {
        for (int line = 0; dripOn && line < 100; ++line) {
            for (auto& connection : dripping) {
                connection->send("X-Drip-" + std::to_string(line) + ": 1\r\n");
            }
            std::this_thread::sleep_for(200ms);
        }
    });
    for (int probe = 0; probe < 10; ++probe) {
        auto started = Clock::now();
        EXPECT_EQ(body("/getScores.php?username=probe"), R"([[],"-"])");
        EXPECT_LT(Clock::now() - started, 1s) << "probe " << probe;
        std::this_thread::sleep_for(250ms);
    }
    // The dripping requests are not whole two seconds after their first byte: they are cut off.
    for (auto& connection : dripping) {
        connection->readAll(100ms);
    }
    std::this_thread::sleep_for(1s);
    int closed = 0;
    for (auto& connection : dripping) {
        connection->readAll(200ms);
        closed += connection->closedByPeer();
    }
    dripOn = false;
    dripper.join();
    EXPECT_EQ(closed, 40);
}

TEST_F(FrontDoorTest, ClientsPastTheirLimitsAreRefusedAtOnce) {
    startServer({"--per-address-connections", "8", "--per-address-rate", "5"});
    std::vector<std::unique_ptr<RawConnection>> held;
    for (int i = 0; i < 8; ++i) {
        held.push_back(std::make_unique<RawConnection>(server->port()));
    }
    std::this_thread::sleep_for(200ms);
    int refused = 0;
    for (int i = 0; i < 3; ++i) {
        RawConnection extra(server->port());
        extra.send(request("GET", "/getScores.php?username=x"));
        std::string reply = extra.readAll(1s);
        refused += reply.rfind("HTTP/1.1 503", 0) == 0;
    }
    EXPECT_EQ(refused, 3);
    held.clear();
    std::this_thread::sleep_for(200ms);

    // Ten requests at once are allowed (two seconds' worth), then one every fifth of a second.
    RawConnection raw(server->port());
    std::string burst;
    for (int i = 0; i < 14; ++i) {
        burst += request("GET", "/getScores.php?username=x");
    }
    ASSERT_TRUE(raw.send(burst));
    std::string replies =
        raw.readUntil(5s, [](const std::string& text) { return countOf(text, "HTTP/1.1 ") == 14; });
    EXPECT_GE(countOf(replies, "HTTP/1.1 429"), 3u) << replies;
    EXPECT_GE(countOf(replies, "HTTP/1.1 200"), 8u) << replies;
}

TEST_F(FrontDoorTest, StopsWithinFiveSecondsOfASignalWhileClientsDrip) {
    startServer({"--per-address-connections", "0", "--per-address-rate", "0"});
    ASSERT_EQ(body("/join.php?username=anna&password=secret1&mail=a%40example.com&country=Chad"),
              "[1]");
    std::vector<std::unique_ptr<RawConnection>> dripping;
    for (int i = 0; i < 40; ++i) {
        dripping.push_back(std::make_unique<RawConnection>(server->port()));
        dripping.back()->send("GET /getScores.php?username=drip HTTP/1.1\r\n");
    }
    std::atomic<bool> dripOn = true;
    std::thread dripper([&] {
        while (dripOn) {
            for (auto& connection : dripping) {
                connection->send("X-Drip: 1\r\n");
            }
            std::this_thread::sleep_for(100ms);
        }
    });
    auto login = std::async(std::launch::async, [&] {
        auto own = server->client();
        auto reply = own->Get("/loginUser.php?username=anna&password=secret1");
        return reply ? reply->body : "<no reply>";
    });
    std::this_thread::sleep_for(30ms);
    auto signalled = Clock::now();
    EXPECT_EQ(server->stop(SIGTERM), 0);
    EXPECT_LT(Clock::now() - signalled, 5s);
    dripOn = false;
    dripper.join();
    EXPECT_EQ(login.get(), "[1]") << "the request under way was answered";
}
