// kalvorn-server as the game meets it: a real process on a loopback port, driven over HTTP.
#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <fstream>
#include <future>
#include <map>
#include <regex>
#include <sstream>
#include <thread>

#include "Database.h"
#include "ServerProcess.h"
#include "ServerTestSupport.h"

namespace {

constexpr const char* kOk = "[1]";

struct Reply {
    int status = 0;  // 0 when no reply came
    std::string body;
    std::string contentType;
};

Reply get(httplib::Client& client, const std::string& path) {
    auto result = client.Get(path.c_str());
    if (!result) {
        return {};
    }
    return {result->status, result->body, result->get_header_value("Content-Type")};
}

class ServerIntegrationTest : public ::testing::Test {
protected:
    void startServer(const std::vector<std::string>& extraArguments = {}) {
        server =
            std::make_unique<ServerProcess>(directory.path() / "data", logFile(), extraArguments);
        client = server->client();
    }

    std::filesystem::path logFile() const { return directory.path() / "server.log"; }

    std::string logText() const {
        std::ifstream file(logFile());
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    Reply get(const std::string& path) { return ::get(*client, path); }

    // Runs kalvorn-server with the arguments to its end and returns what it printed.
    static std::string runCommand(const std::vector<std::string>& arguments) {
        ProgramRun run = runServerToItsEnd(arguments);
        EXPECT_EQ(run.exitStatus, 0) << run.output;
        return run.output;
    }

    void registerUser(const std::string& name, const std::string& password = "secret1") {
        ASSERT_EQ(get("/join.php?username=" + name + "&password=" + password + "&mail=" + name +
                      "%40example.com&country=Poland")
                      .body,
                  kOk);
    }

    TemporaryDirectory directory;
    std::unique_ptr<ServerProcess> server;
    std::unique_ptr<httplib::Client> client;
};

}  // namespace

TEST_F(ServerIntegrationTest, TheNineEndpointsServeAGameSession) {
    startServer();
    EXPECT_EQ(get("/checkUser.php?username=anna&password=my+secret").body, kOk);
    Reply joined = get(
        "/join.php?username=anna&password=my+secret&mail=anna%40example.com&country=United+States");
    EXPECT_EQ(joined.body, kOk);
    EXPECT_EQ(joined.contentType, "application/json");
    EXPECT_EQ(get("/loginUser.php?username=anna&password=my%20secret").body, kOk);
    EXPECT_EQ(get("/loginUser.php?username=anna&password=my+secreT").body,
              R"([0,"Wrong user name or password."])");

    // The game sends backup texts unescaped, with single quotes for double ones.
    EXPECT_EQ(get("/createFirstLoginCopy.php?json=[['3','1250','handgun'],['4','900','handgun']]"
                  "&username=anna")
                  .body,
              R"([[["3","1250","handgun"],["4","900","handgun"]],"-"])");
    Reply score = get("/sendScore.php?username=anna&score=2150");
    EXPECT_EQ(score.body, "1");
    EXPECT_EQ(score.contentType.rfind("text/plain", 0), 0u) << score.contentType;
    EXPECT_EQ(get("/getScores.php?username=anna").body,
              R"([[["anna","2150","United States"]],"1"])");
    EXPECT_EQ(get("/createCopy.php?json=[['4','1000','handgun'],['26','50','sniper']]"
                  "&username=anna")
                  .body,
              kOk);
    EXPECT_EQ(get("/restoreCopy.php?username=anna").body,
              R"([[["4","1000","handgun"],["26","50","sniper"]],"1"])");

    EXPECT_EQ(get("/forgot.php?username=anna").body, kOk);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.path() / "data/outbox"),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_EQ(get("/loginUser.php?username=anna&password=my+secret").body, kOk)
        << "a reminder adds a password and takes none away";
}

TEST_F(ServerIntegrationTest, ParallelLogInsAndRemindersCannotPassTheirLimits) {
    startServer();
    registerUser("anna");
    auto inParallel = [&](int count, const std::string& path) {
        std::vector<std::future<Reply>> replies;
        for (int i = 0; i < count; ++i) {
            replies.push_back(std::async(std::launch::async, [&] {
                auto own = server->client();
                return ::get(*own, path);
            }));
        }
        std::map<std::string, int> bodies;
        for (auto& reply : replies) {
            ++bodies[reply.get().body];
        }
        return bodies;
    };

    auto logins = inParallel(20, "/loginUser.php?username=anna&password=wrong-guess");
    EXPECT_EQ(logins[R"([0,"Wrong user name or password."])"], 5);
    EXPECT_EQ(logins[R"([0,"Too many failed log-ins. Try again in 15 minutes."])"], 15);

    auto reminders = inParallel(12, "/forgot.php?username=anna");
    EXPECT_EQ(reminders[kOk], 3);
    EXPECT_EQ(
        reminders[R"([0,"A new password was sent a short while ago. Please check your e-mail."])"],
        9);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.path() / "data/outbox"),
                            std::filesystem::directory_iterator()),
              3);
}

TEST_F(ServerIntegrationTest, ManyParallelWritersAreAllAcknowledgedAndAllStored) {
    startServer({"--per-address-rate", "0", "--per-address-connections", "0"});
    constexpr int kPlayers = 12;
    constexpr int kWritesEach = 20;
    for (int player = 0; player < kPlayers; ++player) {
        registerUser("player" + std::to_string(player));
    }
    // Per player, one writer of ever larger totals and one of ever larger backup scores.
    std::atomic<int> acknowledged = 0;
    std::vector<std::thread> writers;
    for (int player = 0; player < kPlayers; ++player) {
        std::string name = "player" + std::to_string(player);
        writers.emplace_back([&, name] {
            auto own = server->client();
            for (int total = 1; total <= kWritesEach; ++total) {
                std::string path =
                    "/sendScore.php?username=" + name + "&score=" + std::to_string(total * 100);
                acknowledged += ::get(*own, path).status == 200;
            }
        });
        writers.emplace_back([&, name] {
            auto own = server->client();
            for (int score = 1; score <= kWritesEach; ++score) {
                std::string path = "/createCopy.php?json=[['2','" + std::to_string(score) +
                                   "','handgun']]&username=" + name;
                acknowledged += ::get(*own, path).body == kOk;
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    EXPECT_EQ(acknowledged, 2 * kPlayers * kWritesEach);

    std::string ranking = get("/getScores.php?username=player0").body;
    for (int player = 0; player < kPlayers; ++player) {
        std::string name = "player" + std::to_string(player);
        EXPECT_NE(ranking.find("[\"" + name + "\",\"2000\",\"Poland\"]"), std::string::npos)
            << name << " in " << ranking;
        EXPECT_EQ(get("/restoreCopy.php?username=" + name).body, R"([[["2","20","handgun"]],"1"])");
    }
}

TEST_F(ServerIntegrationTest, ReadsAreAnsweredWhileManyWritesWaitForTheDatabase) {
    startServer({"--per-address-rate", "0", "--per-address-connections", "0"});
    registerUser("anna");
    ASSERT_EQ(get("/sendScore.php?username=anna&score=300").body, "1");
    // Another writer on the file holds its write lock, as a long operator's command would: more
    // writes pile up than the service has threads to wait with.
    Database otherWriter(directory.path() / "data" / "kalvorn.sqlite");
    otherWriter.execute("BEGIN IMMEDIATE");
    constexpr int kWriters = 40;
    std::vector<std::future<Reply>> writes;
    for (int i = 0; i < kWriters; ++i) {
        writes.push_back(std::async(std::launch::async, [&, i] {
            auto own = server->client();
            return ::get(*own, "/sendScore.php?username=anna&score=" + std::to_string(1000 + i));
        }));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));

    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(get("/getScores.php?username=anna").body, R"([[["anna","300","Poland"]],"1"])");
    EXPECT_EQ(get("/restoreCopy.php?username=anna").body, R"([[],"1"])");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    for (auto& write : writes) {
        EXPECT_EQ(write.wait_for(std::chrono::seconds(0)), std::future_status::timeout);
    }

    otherWriter.execute("ROLLBACK");
    for (auto& write : writes) {
        EXPECT_EQ(write.get().body, "1");
    }
    EXPECT_EQ(get("/getScores.php?username=anna").body.find("[[[\"anna\",\"1"), 0u);
}

TEST_F(ServerIntegrationTest, KeepsItsDataFromOtherLocalUsers) {
    startServer();
    registerUser("anna");
    ASSERT_EQ(get("/forgot.php?username=anna").body, kOk);
    EXPECT_EQ(get("/loginUser.php?username=anna&password=secret1").body, kOk)
        << "the player who did not ask for the reminder can still log in";
    namespace fs = std::filesystem;
    fs::path data = directory.path() / "data";
    auto modeOf = [](const fs::path& path) { return fs::status(path).permissions(); };
    EXPECT_EQ(modeOf(data), fs::perms::owner_all);
    EXPECT_EQ(modeOf(data / "outbox"), fs::perms::owner_all);
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(data)) {
        if (entry.is_regular_file()) {
            ++files;
            EXPECT_EQ(modeOf(entry.path()), fs::perms::owner_read | fs::perms::owner_write)
                << entry.path();
        }
    }
    EXPECT_GE(files, 3) << "the database, its log and the mail";

    // A data directory left readable by an earlier version is closed on start.
    server->stop(SIGTERM);
    fs::permissions(data, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read |
                              fs::perms::group_exec | fs::perms::others_exec);
    fs::permissions(data / "kalvorn.sqlite", fs::perms::others_read, fs::perm_options::add);
    startServer();
    EXPECT_EQ(modeOf(data), fs::perms::owner_all);
    EXPECT_EQ(modeOf(data / "kalvorn.sqlite"), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(ServerIntegrationTest, TheOperatorBringsBackAnOverwrittenCopyWhileTheServiceRuns) {
    startServer();
    registerUser("anna");
    ASSERT_EQ(get("/createCopy.php?json=[['1','2900','handgun']]&username=anna").body, kOk);
    // Someone else names anna in a request and overwrites her copy.
    ASSERT_EQ(get("/createCopy.php?json=[]&username=anna").body, kOk);
    ASSERT_EQ(get("/restoreCopy.php?username=anna").body, R"([[],"-"])");

    std::string data = (directory.path() / "data").string();
    std::string listing = runCommand({"--data", data, "--list-copies", "anna"});
    std::smatch copy;
    // A header, then the copies newest first: the second copy, with its one row, is the good one.
    ASSERT_TRUE(
        std::regex_search(listing, copy, std::regex(R"(\n\d+\t[^\n]*\n(\d+)\t[^\t]*\t1\t)")))
        << listing;
    runCommand({"--data", data, "--bring-back-copy", copy[1]});
    EXPECT_EQ(get("/restoreCopy.php?username=anna").body, R"([[["1","2900","handgun"]],"-"])");
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 3) << listing;
    EXPECT_NE(runCommand({"--data", data, "--list-copies", "anna"}).find("operator"),
              std::string::npos);
}

TEST_F(ServerIntegrationTest, MalformedRequestsGetFailureRepliesAndHarmNoOne) {
    startServer({"--base-path", "/kalvorn/"});
    auto at = [&](const std::string& path) { return get("/kalvorn/" + path); };
    ASSERT_EQ(at("join.php?username=bob&password=secret1&mail=b%40example.com&country=Chad").body,
              kOk);
    ASSERT_EQ(at("createCopy.php?json=[['1','2500','handgun']]&username=bob").body, kOk);

    EXPECT_EQ(get("/join.php?username=x").status, 404) << "outside the base path";
    EXPECT_EQ(at("admin.php").status, 404);
    EXPECT_EQ(at("sub/join.php").status, 404);
    EXPECT_EQ(client->Post("/kalvorn/join.php", "", "text/plain")->status, 405);

    EXPECT_EQ(at("join.php?username=carl").body, R"([0,"Missing value: password."])");
    EXPECT_EQ(at("createCopy.php?username=bob").body, R"([0,"Missing value: json."])");
    EXPECT_EQ(at("sendScore.php?username=bob").body, "0");
    EXPECT_EQ(at("sendScore.php?username=bob&score=87001").body, "0");
    EXPECT_EQ(at("createCopy.php?json=[['1','0','handgun'&username=bob").body,
              R"([0,"The backup is not valid."])");
    EXPECT_EQ(at("createCopy.php?json=%00[]&username=bob").body,
              R"([0,"The backup is not valid."])");
    EXPECT_EQ(at("createCopy.php?json=[]&username=" + std::string(5000, 'b')).body,
              R"([0,"Value too long: username."])");
    EXPECT_EQ(at("restoreCopy.php?username=bob%27%20OR%20%271%27=%271").body,
              R"([0,"Unknown user."])");
    EXPECT_EQ(at("restoreCopy.php?username=%FF%FE%00").body, R"([0,"Invalid value: username."])");
    EXPECT_EQ(at("createCopy.php?json=[]&username=bob%22%5D%5B").body, R"([0,"Unknown user."])");
    EXPECT_EQ(at("checkUser.php?username=bo%27b%22[]&password=secret1").body,
              R"([0,"A user name may contain only letters, digits, '_', '-', '.' and spaces."])");
    EXPECT_EQ(at("checkUser.php?username=ala+kot&password=secret1").body, "[1]");
    EXPECT_EQ(at("checkUser.php?username=ala++kot&password=secret1").body,
              R"([0,"A user name may not start or end with a space or hold two in a row."])");
    EXPECT_EQ(at("checkUser.php?username=DEFAULTuser&password=secret1").body,
              R"([0,"This user name is reserved."])");
    EXPECT_EQ(at("createCopy.php?json=[]&username=defaultUser").body, R"([0,"Unknown user."])");
    Reply tooLong = at("getScores.php?username=" + std::string(20'000, 'x'));
    EXPECT_GE(tooLong.status, 400) << "a request line past the limit is refused";
    EXPECT_EQ(at("getScores.php?username=%").status, 200);

    // After all that, the server still runs and bob's copy is as it was.
    EXPECT_EQ(at("restoreCopy.php?username=bob").body, R"([[["1","2500","handgun"]],"-"])");
}

TEST_F(ServerIntegrationTest, LogsOneLinePerRequestAndNeverAPassword) {
    startServer();
    registerUser("anna", "Pw-4711-secret");
    get("/loginUser.php?username=anna&password=Pw-4711-secret");
    get("/loginUser.php?username=anna&password=Pw-4711-wrong");
    get("/checkUser.php?username=carl&password=Pw-4711-other");
    get("/nothing.php");
    EXPECT_EQ(server->stop(SIGTERM), 0);

    std::string log = logText();
    EXPECT_EQ(log.find("Pw-4711"), std::string::npos) << log;
    std::istringstream lines(log);
    std::string line;
    int requestLines = 0;
    while (std::getline(lines, line)) {
        requestLines += line.find(" GET /") != std::string::npos;
    }
    // The start-up probe, the join, two log-ins, the check and the unknown page.
    EXPECT_EQ(requestLines, 6) << log;
    EXPECT_NE(log.find(" GET /loginUser.php?password=***&username=anna 200 "), std::string::npos);
    EXPECT_NE(log.find(" GET /nothing.php 404 "), std::string::npos);
}

TEST_F(ServerIntegrationTest, StopsOnASignalAfterFinishingTheRequestsUnderWay) {
    startServer();
    registerUser("anna");
    // Log-ins take a password hash each and at most two hash at once. Once the first log-in is
    // logged, all four connections are long established and at least two are still waiting to
    // be served when the signal arrives.
    std::vector<std::future<Reply>> logins;
    for (int i = 0; i < 4; ++i) {
        logins.push_back(std::async(std::launch::async, [&] {
            auto own = server->client();
            return ::get(*own, "/loginUser.php?username=anna&password=secret1");
        }));
    }
    while (logText().find("GET /loginUser.php") == std::string::npos) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(server->stop(SIGTERM), 0);
    for (auto& login : logins) {
        EXPECT_EQ(login.get().body, kOk);
    }
    EXPECT_NE(logText().find("kalvorn-server: stopped"), std::string::npos);

    startServer();
    EXPECT_EQ(get("/loginUser.php?username=anna&password=secret1").body, kOk);
    EXPECT_EQ(server->stop(SIGINT), 0);
}

TEST_F(ServerIntegrationTest, AcknowledgedWritesSurviveAKillMidLoad) {
    // Unlimited, so that the writers are acknowledged as fast as their commits are durable.
    startServer({"--per-address-rate", "0"});
    registerUser("anna");
    registerUser("bert");

    // Two writers, each sending ever larger values and noting the last one acknowledged.
    std::atomic<bool> running = true;
    std::atomic<int> acknowledgedCopy = -1;
    std::atomic<int> acknowledgedTotal = -1;
    std::atomic<int> acknowledgements = 0;
    std::thread copies([&] {
        auto own = server->client();
        for (int score = 0; running && score <= 3000; ++score) {
            std::string path = "/createCopy.php?json=[['2','" + std::to_string(score) +
                               "','handgun']]&username=anna";
            if (::get(*own, path).body == kOk) {
                acknowledgedCopy = score;
                ++acknowledgements;
            }
        }
    });
    std::thread totals([&] {
        auto own = server->client();
        for (int total = 0; running && total <= 87000; ++total) {
            std::string path = "/sendScore.php?username=bert&score=" + std::to_string(total);
            if (::get(*own, path).body == "1") {
                acknowledgedTotal = total;
                ++acknowledgements;
            }
        }
    });
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (acknowledgements < 200 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_GE(acknowledgements, 200) << "the writers were not acknowledged";
    server->stop(SIGKILL);
    running = false;
    copies.join();
    totals.join();

    startServer();
    // A write that was under way when the process died may or may not be there; every
    // acknowledged one must be.
    std::string restored = get("/restoreCopy.php?username=anna").body;
    int copyScore = std::stoi(restored.substr(restored.find("[[[\"2\",\"") + 8));
    EXPECT_GE(copyScore, acknowledgedCopy.load()) << restored;
    EXPECT_LE(copyScore, acknowledgedCopy.load() + 1) << restored;
    std::string ranking = get("/getScores.php?username=bert").body;
    int total = std::stoi(ranking.substr(ranking.find("[[[\"bert\",\"") + 11));
    EXPECT_GE(total, acknowledgedTotal.load()) << ranking;
    EXPECT_LE(total, acknowledgedTotal.load() + 1) << ranking;
}
