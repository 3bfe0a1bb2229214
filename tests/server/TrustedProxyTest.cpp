// kalvorn-server behind a reverse proxy: on connections from a trusted proxy address each
// forwarded client has its own request allowance and log address, the proxy's connections are
// not held to the per-address limit, and the same headers from anyone else change nothing.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>

#include "RawConnection.h"
#include "ServerProcess.h"
#include "ServerTestSupport.h"

namespace {

using namespace std::chrono_literals;

constexpr const char* kProxy = "127.0.0.2";

size_t countOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

std::string requestWith(const std::string& headers) {
    return "GET /getScores.php?username=x HTTP/1.1\r\nHost: 127.0.0.1\r\n" + headers + "\r\n";
}

std::string forwardedFor(const std::string& client) {
    return requestWith("X-Forwarded-For: " + client + "\r\n");
}

// Sends the requests pipelined on one connection and returns the replies' status lines.
std::string sendPipelined(RawConnection& connection, const std::vector<std::string>& requests) {
    std::string bytes;
    for (const auto& request : requests) {
        bytes += request;
    }
    if (!connection.send(bytes)) {
        return "<not sent>";
    }
    size_t expected = requests.size();
    return connection.readUntil(
        5s, [&](const std::string& text) { return countOf(text, "HTTP/1.1 ") == expected; });
}

class TrustedProxyTest : public ::testing::Test {
protected:
    // One request per second per address, bursts of two.
    void startServer(const std::vector<std::string>& extra = {}) {
        std::vector<std::string> arguments{"--per-address-rate", "1", "--per-address-connections",
                                           "2"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        server = std::make_unique<ServerProcess>(directory.path() / "data", logFile(), arguments);
    }
    std::filesystem::path logFile() const { return directory.path() / "server.log"; }

    // The request log once it holds `lines` lines mentioning getScores (or after 3 s).
    std::string requestLog(size_t lines) const {
        std::string text;
        for (int attempt = 0; attempt < 60; ++attempt) {
            std::ifstream file(logFile());
            std::stringstream contents;
            contents << file.rdbuf();
            text = contents.str();
            if (countOf(text, " GET /getScores.php?username=x") >= lines) {
                break;
            }
            std::this_thread::sleep_for(50ms);
        }
        return text;
    }

    TemporaryDirectory directory;
    std::unique_ptr<ServerProcess> server;
};

}  // namespace

TEST_F(TrustedProxyTest, ForwardedClientsOfATrustedProxyHaveTheirOwnAllowances) {
    startServer({"--trusted-proxy", kProxy});

    // One client's allowance used up: its next requests are refused, another's are not.
    RawConnection proxy(server->port(), kProxy);
    ASSERT_TRUE(proxy.connected());
    std::vector<std::string> greedy(8, forwardedFor("203.0.113.7"));
    std::string replies = sendPipelined(proxy, greedy);
    EXPECT_LE(countOf(replies, "HTTP/1.1 200"), 3u) << replies;
    EXPECT_GE(countOf(replies, "HTTP/1.1 429"), 5u) << replies;
    replies = sendPipelined(proxy, {forwardedFor("203.0.113.8"), forwardedFor("203.0.113.8")});
    EXPECT_EQ(countOf(replies, "HTTP/1.1 200"), 2u) << replies;

    // Many clients at once over more proxy connections than one address may hold: each gets
    // its own burst, and no connection is refused.
    std::vector<std::future<std::string>> results;
    for (int i = 0; i < 8; ++i) {
        results.push_back(std::async(std::launch::async, [this, i] {
            RawConnection connection(server->port(), kProxy);
            std::string client = "198.51.100." + std::to_string(10 + i);
            return sendPipelined(connection, {forwardedFor(client), forwardedFor(client)});
        }));
    }
    for (auto& result : results) {
        std::string text = result.get();
        EXPECT_EQ(countOf(text, "HTTP/1.1 200"), 2u) << text;
    }

    std::string log = requestLog(8 + 2 + 16);
    EXPECT_NE(log.find(" 203.0.113.7 GET /getScores.php?username=x"), std::string::npos) << log;
    EXPECT_NE(log.find(" 198.51.100.17 GET /getScores.php?username=x"), std::string::npos) << log;
    EXPECT_EQ(log.find(std::string(" ") + kProxy + " GET"), std::string::npos)
        << "every request named its client: " << log;
}

TEST_F(TrustedProxyTest, ForwardedHeadersFromAnyoneElseAreIgnored) {
    startServer({"--trusted-proxy", kProxy});
    RawConnection direct(server->port());
    ASSERT_TRUE(direct.connected());
    std::vector<std::string> forged;
    for (int i = 0; i < 8; ++i) {
        forged.push_back(requestWith("X-Forwarded-For: 192.0.2." + std::to_string(i) +
                                     "\r\nX-Real-IP: 192.0.2.9" + std::to_string(i) + "\r\n"));
    }
    std::string replies = sendPipelined(direct, forged);
    EXPECT_LE(countOf(replies, "HTTP/1.1 200"), 3u)
        << "one allowance for the one peer: " << replies;
    EXPECT_GE(countOf(replies, "HTTP/1.1 429"), 5u) << replies;

    // The peer's own connection limit still holds.
    RawConnection second(server->port());
    RawConnection third(server->port());
    std::string refused = third.readAll(1s);
    EXPECT_EQ(refused.rfind("HTTP/1.1 503", 0), 0u) << refused;

    std::string log = requestLog(8);
    EXPECT_EQ(countOf(log, " 127.0.0.1 GET /getScores.php?username=x"), 8u) << log;
    EXPECT_EQ(log.find("192.0.2."), std::string::npos) << log;
}

TEST_F(TrustedProxyTest, WithoutATrustedProxyTheProxyIsOneClient) {
    startServer();
    RawConnection proxy(server->port(), kProxy);
    std::vector<std::string> requests;
    for (int i = 0; i < 8; ++i) {
        requests.push_back(forwardedFor("192.0.2." + std::to_string(i)));
    }
    std::string replies = sendPipelined(proxy, requests);
    EXPECT_GE(countOf(replies, "HTTP/1.1 429"), 5u) << replies;
}

TEST_F(TrustedProxyTest, OnlyAWellFormedLastHopIsBelieved) {
    startServer({"--trusted-proxy", "::ffff:" + std::string(kProxy), "--per-address-rate", "0"});
    std::string longList;
    for (int i = 0; i < 400; ++i) {
        longList += "10.0.0." + std::to_string(i % 250) + ", ";
    }
    // Each value with the address the log must show for it: the last hop when it is a bare
    // address, else the proxy's own.
    const std::vector<std::pair<std::string, std::string>> cases{
        {"X-Forwarded-For: 192.0.2.1, 203.0.113.50\r\n", "203.0.113.50"},
        {"X-Forwarded-For: 192.0.2.1\r\nX-Forwarded-For: 203.0.113.51\r\n", "203.0.113.51"},
        {"X-Forwarded-For: ::ffff:203.0.113.52\r\n", "203.0.113.52"},
        {"X-Forwarded-For: 2001:DB8:0:0::1\r\n", "2001:db8::1"},
        {"X-Real-IP: 203.0.113.53\r\n", "203.0.113.53"},
        {"X-Forwarded-For: 203.0.113.54\r\nX-Real-IP: 192.0.2.2\r\n", "203.0.113.54"},
        {"X-Forwarded-For: " + longList + "203.0.113.55\r\n", "203.0.113.55"},
        {"X-Forwarded-For: 203.0.113.60, not-an-address\r\n", kProxy},
        {"X-Forwarded-For: 203.0.113.61:4431\r\n", kProxy},
        {"X-Forwarded-For: [2001:db8::2]\r\n", kProxy},
        {"X-Forwarded-For: 203.0.113.62,\r\n", kProxy},
        {"X-Forwarded-For:\r\n", kProxy},
        {"X-Forwarded-For: 203.0.113.63 GET /forged 200\r\n", kProxy},
        {"X-Real-IP: 256.1.1.1\r\n", kProxy},
        {"X-Forwarded-For: fe80::1%lo\r\n", kProxy},
    };
    RawConnection proxy(server->port(), kProxy);
    std::vector<std::string> requests;
    for (const auto& [headers, client] : cases) {
        requests.push_back(requestWith(headers));
    }
    std::string replies = sendPipelined(proxy, requests);
    EXPECT_EQ(countOf(replies, "HTTP/1.1 200"), cases.size()) << replies;

    std::string log = requestLog(cases.size());
    std::istringstream lines(log);
    std::vector<std::string> clients;
    for (std::string line; std::getline(lines, line);) {
        if (line.find(" GET /getScores.php?username=x") != std::string::npos) {
            clients.push_back(
                line.substr(line.find(' ') + 1, line.find(" GET ") - line.find(' ') - 1));
        }
    }
    ASSERT_EQ(clients.size(), cases.size()) << log;
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(clients[i], cases[i].second) << cases[i].first;
    }
    EXPECT_EQ(log.find("/forged"), std::string::npos) << log;

    // A header the parser refuses gets a 400, and the proxy's connections are served after it.
    RawConnection broken(server->port(), kProxy);
    std::string reply =
        sendPipelined(broken, {requestWith("X-Forwarded-For: 203.0.113.70\x01\r\n")});
    EXPECT_EQ(reply.rfind("HTTP/1.1 400", 0), 0u) << reply;
    RawConnection after(server->port(), kProxy);
    reply = sendPipelined(after, {forwardedFor("203.0.113.71")});
    EXPECT_EQ(reply.rfind("HTTP/1.1 200", 0), 0u) << reply;
}
