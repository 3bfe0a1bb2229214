// kalvorn-server over HTTPS: a throw-away certificate authority signs the server's certificate,
// libcurl (as the game uses it) trusts that authority only, and the front's limits and time-outs
// hold for connections that never finish their handshake.
#include <curl/curl.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "RawConnection.h"
#include "ServerProcess.h"
#include "ServerTestSupport.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

bool runQuietly(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// A certificate authority with a server certificate for 127.0.0.1 it signed, and a second
// authority that signed nothing the server has.
struct TestCertificates {
    explicit TestCertificates(const std::filesystem::path& directory)
        : authority(directory / "ca.pem"),
          otherAuthority(directory / "other-ca.pem"),
          otherAuthorityKey(directory / "other-ca.key"),
          certificate(directory / "server.pem"),
          key(directory / "server.key") {
        const std::string dir = directory.string();
        const std::string newKey = " -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
        std::ofstream(directory / "server.ext") << "subjectAltName=IP:127.0.0.1\n";
        made = runQuietly("openssl req -x509" + newKey + " -days 2 -subj '/CN=Kalvorn test CA'" +
                          " -keyout " + dir + "/ca.key -out " + authority.string()) &&
               runQuietly("openssl req -x509" + newKey + " -days 2 -subj '/CN=Someone else'" +
                          " -keyout " + otherAuthorityKey.string() + " -out " +
                          otherAuthority.string()) &&
               runQuietly("openssl req" + newKey + " -subj '/CN=127.0.0.1' -keyout " +
                          key.string() + " -out " + dir + "/server.csr") &&
               runQuietly("openssl x509 -req -days 2 -in " + dir + "/server.csr -CA " +
                          authority.string() + " -CAkey " + dir + "/ca.key -CAcreateserial" +
                          " -extfile " + dir + "/server.ext -out " + certificate.string());
    }

    std::vector<std::string> serverArguments() const {
        return {"--tls-cert", certificate.string(), "--tls-key", key.string()};
    }

    std::filesystem::path authority, otherAuthority, otherAuthorityKey, certificate, key;
    bool made = false;
};

struct Fetched {
    CURLcode result = CURLE_FAILED_INIT;
    long status = 0;
    std::string body;
    long newConnections = 0;
};

// One libcurl handle, set up as the game sets up its own: verification on, one trusted authority.
// Its connection is kept between requests.
class HttpsClient {
public:
    explicit HttpsClient(const std::filesystem::path& authority)
        : authority_(authority.string()), easy_(curl_easy_init()) {}
    ~HttpsClient() { curl_easy_cleanup(easy_); }
    HttpsClient(const HttpsClient&) = delete;
    HttpsClient& operator=(const HttpsClient&) = delete;

    Fetched get(int port, const std::string& path) {
        Fetched fetched;
        std::string url = "https://127.0.0.1:" + std::to_string(port) + path;
        curl_easy_setopt(easy_, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy_, CURLOPT_CAINFO, authority_.c_str());
        curl_easy_setopt(easy_, CURLOPT_NOPROXY, "*");
        curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy_, CURLOPT_TIMEOUT_MS, 10'000L);
        curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, collect);
        curl_easy_setopt(easy_, CURLOPT_WRITEDATA, &fetched.body);
        fetched.result = curl_easy_perform(easy_);
        curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &fetched.status);
        curl_easy_getinfo(easy_, CURLINFO_NUM_CONNECTS, &fetched.newConnections);
        return fetched;
    }

private:
    static size_t collect(char* data, size_t size, size_t count, void* body) {
        static_cast<std::string*>(body)->append(data, size * count);
        return size * count;
    }

    std::string authority_;
    CURL* easy_;
};

class TlsFrontTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(certificates.made) << "the openssl tool failed"; }

    void startServer(std::vector<std::string> arguments = {}) {
        auto tls = certificates.serverArguments();
        arguments.insert(arguments.end(), tls.begin(), tls.end());
        server = std::make_unique<ServerProcess>(directory.path() / "data", logFile(), arguments,
                                                 certificates.authority);
    }
    std::filesystem::path logFile() const { return directory.path() / "server.log"; }
    std::string body(const std::string& path) {
        HttpsClient client(certificates.authority);
        Fetched fetched = client.get(server->port(), path);
        return fetched.result == CURLE_OK ? fetched.body : curl_easy_strerror(fetched.result);
    }

    TemporaryDirectory directory;
    TestCertificates certificates{directory.path()};
    std::unique_ptr<ServerProcess> server;
};

}  // namespace

TEST_F(TlsFrontTest, ServesHttpsToClientsThatTrustItsAuthorityOnly) {
    startServer();
    HttpsClient stranger(certificates.otherAuthority);
    Fetched refused =
        stranger.get(server->port(),
                     "/join.php?username=eve&password=secret1&mail=e%40example.com&country=Chad");
    EXPECT_EQ(refused.result, CURLE_PEER_FAILED_VERIFICATION) << curl_easy_strerror(refused.result);
    EXPECT_EQ(refused.body, "");

    HttpsClient game(certificates.authority);
    Fetched joined =
        game.get(server->port(),
                 "/join.php?username=anna&password=secret1&mail=a%40example.com&country=Chad");
    ASSERT_EQ(joined.result, CURLE_OK) << curl_easy_strerror(joined.result);
    EXPECT_EQ(joined.status, 200);
    EXPECT_EQ(joined.body, "[1]");
    Fetched loggedIn = game.get(server->port(), "/loginUser.php?username=anna&password=secret1");
    EXPECT_EQ(loggedIn.body, "[1]");
    EXPECT_EQ(loggedIn.newConnections, 0) << "the TLS connection is kept alive between requests";
    EXPECT_EQ(game.get(server->port(), "/checkUser.php?username=eve&password=secret1").body, "[1]")
        << "the client that distrusted the server sent it nothing";

    std::ifstream log(logFile());
    std::stringstream logText;
    logText << log.rdbuf();
    EXPECT_NE(logText.str().find("listening on https://127.0.0.1:"), std::string::npos);
}

TEST_F(TlsFrontTest, PlainHttpOnTheTlsPortGetsNoData) {
    startServer();
    RawConnection plain(server->port());
    ASSERT_TRUE(
        plain.send("GET /join.php?username=bob&password=secret1&mail=b%40example.com"
                   "&country=Chad HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"));
    std::string reply = plain.readAll(3s);
    EXPECT_TRUE(plain.closedByPeer());
    EXPECT_EQ(reply.find("HTTP/"), std::string::npos) << reply;
    EXPECT_EQ(reply.find("[1]"), std::string::npos) << reply;
    EXPECT_EQ(body("/checkUser.php?username=bob&password=secret1"), "[1]") << "bob was not made";
}

TEST_F(TlsFrontTest, HandshakesThatNeverFinishAreCutOffWithoutStarvingOthers) {
    // The idle time-out is long: a connection that has not finished its handshake is held to the
    // request time-out.
    startServer({"--per-address-connections", "0", "--per-address-rate", "0", "--request-timeout",
                 "1", "--idle-timeout", "30"});
    std::vector<std::unique_ptr<RawConnection>> silent;
    for (int i = 0; i < 100; ++i) {
        silent.push_back(std::make_unique<RawConnection>(server->port()));
        ASSERT_TRUE(silent.back()->connected());
    }
    // The start of a ClientHello whose record claims 512 bytes, then one more byte at a time.
    const std::string helloStart("\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03", 11);
    std::vector<std::unique_ptr<RawConnection>> dripping;
    for (int i = 0; i < 40; ++i) {
        dripping.push_back(std::make_unique<RawConnection>(server->port()));
        ASSERT_TRUE(dripping.back()->send(helloStart));
    }
    std::atomic<bool> dripOn = true;
    std::thread dripper([&] {
        for (int byte = 0; dripOn && byte < 200; ++byte) {
            for (auto& connection : dripping) {
                connection->send(std::string(1, static_cast<char>(byte)));
            }
            std::this_thread::sleep_for(100ms);
        }
    });
    for (int probe = 0; probe < 5; ++probe) {
        auto started = Clock::now();
        EXPECT_EQ(body("/getScores.php?username=probe"), R"([[],"-"])");
        EXPECT_LT(Clock::now() - started, 1s) << "probe " << probe;
        std::this_thread::sleep_for(200ms);
    }
    std::this_thread::sleep_for(1s);
    int closed = 0;
    for (auto* group : {&silent, &dripping}) {
        for (auto& connection : *group) {
            EXPECT_EQ(connection->readAll(200ms), "");
            closed += connection->closedByPeer();
        }
    }
    EXPECT_EQ(closed, 140);

    // Fresh half-finished handshakes do not hold up the stop either.
    std::vector<std::unique_ptr<RawConnection>> more;
    for (int i = 0; i < 20; ++i) {
        more.push_back(std::make_unique<RawConnection>(server->port()));
        more.back()->send(helloStart);
    }
    std::this_thread::sleep_for(100ms);
    auto signalled = Clock::now();
    EXPECT_EQ(server->stop(SIGTERM), 0);
    EXPECT_LT(Clock::now() - signalled, 5s);
    dripOn = false;
    dripper.join();
}

TEST_F(TlsFrontTest, ClientsPastTheConnectionLimitAreToldSoOverTls) {
    startServer({"--per-address-connections", "2"});
    std::vector<std::unique_ptr<RawConnection>> held;
    for (int i = 0; i < 2; ++i) {
        held.push_back(std::make_unique<RawConnection>(server->port()));
    }
    std::this_thread::sleep_for(200ms);
    HttpsClient client(certificates.authority);
    Fetched refused = client.get(server->port(), "/getScores.php?username=x");
    ASSERT_EQ(refused.result, CURLE_OK) << curl_easy_strerror(refused.result);
    EXPECT_EQ(refused.status, 503);
    EXPECT_EQ(refused.body, "Too many connections\n");

    held.clear();
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(body("/getScores.php?username=x"), R"([[],"-"])");
}

TEST_F(TlsFrontTest, AnUnusableCertificateOrKeyStopsTheStart) {
    const std::string data = (directory.path() / "data").string();
    const std::string missing = (directory.path() / "missing.pem").string();
    ProgramRun run = runServerToItsEnd({"--listen", "127.0.0.1:0", "--data", data, "--tls-cert",
                                        missing, "--tls-key", certificates.key.string()});
    EXPECT_EQ(run.exitStatus, 1) << run.output;
    EXPECT_NE(run.output.find("cannot use the TLS certificate " + missing), std::string::npos)
        << run.output;

    run = runServerToItsEnd({"--listen", "127.0.0.1:0", "--data", data, "--tls-cert",
                             certificates.certificate.string(), "--tls-key",
                             certificates.otherAuthorityKey.string()});
    EXPECT_EQ(run.exitStatus, 1) << run.output;
    EXPECT_NE(run.output.find("cannot use the TLS key " + certificates.otherAuthorityKey.string()),
              std::string::npos)
        << run.output;
}
