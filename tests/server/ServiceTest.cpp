// The nine endpoints through Service, on a real database and outbox in a temporary directory.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "ServerTestSupport.h"
#include "Service.h"
#include "SqliteStorage.h"

namespace {

constexpr const char* kOk = "[1]";

class ServiceTest : public ::testing::Test {
protected:
    // Like the game: a log-in's or registration's session token is kept per player and sent
    // with that player's requests.
    ServiceReply send(std::string_view endpoint, const QueryValues& query) {
        auto name = query.find("username");
        const std::string player = name == query.end() ? "" : name->second;
        ServiceReply reply = service.handle(endpoint, query, sessions[player]);
        if (!reply.newSession.empty()) {
            sessions[player] = reply.newSession;
        }
        return reply;
    }
    std::string call(std::string_view endpoint, const QueryValues& query) {
        return send(endpoint, query).body;
    }

    void registerUser(const std::string& name, const std::string& password = "secret1",
                      const std::string& country = "Poland") {
        ASSERT_EQ(call("join.php", {{"username", name},
                                    {"password", password},
                                    {"mail", name + "@example.com"},
                                    {"country", country}}),
                  kOk);
    }

    std::string login(const std::string& name, const std::string& password) {
        return call("loginUser.php", {{"username", name}, {"password", password}});
    }

    // The password a reminder mail carries, or "" when it carries none.
    static std::string mailedPassword(const std::string& mail) {
        std::smatch match;
        return std::regex_search(mail, match, std::regex("password is: (\\S+)")) ? match.str(1)
                                                                                 : "";
    }
    std::vector<std::string> outboxFiles() {
        std::vector<std::string> texts;
        for (const auto& entry : std::filesystem::directory_iterator(directory.path() / "outbox")) {
            std::ifstream file(entry.path());
            std::stringstream text;
            text << file.rdbuf();
            texts.push_back(text.str());
        }
        return texts;
    }

    TemporaryDirectory directory;
    SqliteStorage storage{directory.path() / "kalvorn.sqlite"};
    // A connection of its own, to look at and change what the service stored.
    Database database{directory.path() / "kalvorn.sqlite"};
    Outbox outbox{directory.path() / "outbox"};
    Service service{storage, outbox};
    std::map<std::string, std::string> sessions;
};

}  // namespace

TEST_F(ServiceTest, RegistrationChecksTheNameThenCreatesTheAccountOnce) {
    EXPECT_EQ(call("checkUser.php", {{"username", "bob"}, {"password", "secret1"}}), kOk);
    EXPECT_EQ(call("checkUser.php", {{"username", "b"}, {"password", "secret1"}}),
              R"([0,"A user name has 3 to 20 characters."])");
    EXPECT_EQ(call("checkUser.php", {{"username", "bob"}, {"password", "123"}}),
              R"([0,"A password has 6 to 64 characters."])");
    EXPECT_EQ(call("checkUser.php", {{"username", "defaultUser"}, {"password", "secret1"}}),
              R"([0,"This user name is reserved."])");
    EXPECT_EQ(call("checkUser.php", {{"username", "bob"}}), R"([0,"Missing value: password."])");

    registerUser("bob", "secret1", "Cote d'Ivoire");
    EXPECT_EQ(call("checkUser.php", {{"username", "BOB"}, {"password", "secret1"}}),
              R"([0,"This user name is taken."])");
    EXPECT_EQ(call("join.php", {{"username", "Bob"},
                                {"password", "secret2"},
                                {"mail", "b@example.com"},
                                {"country", "Chad"}}),
              R"([0,"This user name is taken."])");
    EXPECT_EQ(login("bob", "secret1"), kOk) << "the first account is untouched";
}

TEST_F(ServiceTest, JoinRefusesAnUnknownCountryAndABadAddress) {
    QueryValues query{{"username", "carl"},
                      {"password", "secret1"},
                      {"mail", "carl@example.com"},
                      {"country", "Colombia"}};
    EXPECT_EQ(call("join.php", query), R"([0,"Choose a country from the list."])");
    query.find("country")->second = "Colombi";
    query.find("mail")->second = "carl.example.com";
    EXPECT_EQ(call("join.php", query), R"([0,"Enter a valid e-mail address."])");
    query.find("mail")->second = "carl@example.com";
    query.find("password")->second = std::string(300, 'x');
    EXPECT_EQ(call("join.php", query), R"([0,"Value too long: password."])");
    EXPECT_EQ(call("checkUser.php", {{"username", "carl"}, {"password", "secret1"}}), kOk)
        << "nothing was created";
}

TEST_F(ServiceTest, LogInAcceptsOnlyTheRightPasswordAndStopsAGuesser) {
    registerUser("bob");
    registerUser("eve");
    const char* refused = R"([0,"Wrong user name or password."])";
    EXPECT_EQ(login("bob", "secret1"), kOk);
    EXPECT_EQ(login("BOB", "secret1"), kOk);
    EXPECT_EQ(login("bob", "Secret1"), refused);
    EXPECT_EQ(login("nobody", "secret1"), refused) << "an unknown name reads like a wrong password";

    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(login("bob", "guess" + std::to_string(i)), refused);
    }
    EXPECT_EQ(login("bob", "secret1"),
              R"([0,"Too many failed log-ins. Try again in 15 minutes."])");
    EXPECT_EQ(login("eve", "secret1"), kOk) << "other players are not affected";
}

TEST_F(ServiceTest, ForgotMailsAWorkingNewPasswordToKnownUsersOnly) {
    registerUser("bob");
    EXPECT_EQ(call("forgot.php", {{"username", "nobody"}}), R"([0,"Unknown user name."])");
    EXPECT_TRUE(outboxFiles().empty());

    EXPECT_EQ(call("forgot.php", {{"username", "bob"}}), kOk);
    auto mails = outboxFiles();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails[0].rfind("To: bob@example.com\nSubject: Your new Kalvorn password\n\n"
                             "Hello bob,\n\nyour new Kalvorn password is: ",
                             0),
              0u)
        << mails[0];
    std::string newPassword = mailedPassword(mails[0]);
    ASSERT_FALSE(newPassword.empty()) << mails[0];
    EXPECT_EQ(login("bob", newPassword), kOk);
    EXPECT_NE(login("bob", "secret1"), kOk) << "using the mailed password retires the old one";
    EXPECT_EQ(login("bob", newPassword), kOk) << "and the mailed one is now the player's own";

    EXPECT_EQ(call("forgot.php", {{"username", "bob"}}), kOk);
    EXPECT_EQ(call("forgot.php", {{"username", "bob"}}), kOk);
    EXPECT_EQ(call("forgot.php", {{"username", "bob"}}),
              R"([0,"A new password was sent a short while ago. Please check your e-mail."])");
    EXPECT_EQ(outboxFiles().size(), 3u);
}

TEST_F(ServiceTest, AReminderLocksNoOneOutAndItsPasswordGoesOnceTheOldOneIsUsed) {
    registerUser("bob");
    ASSERT_EQ(call("forgot.php", {{"username", "bob"}}), kOk);
    std::string mailed = mailedPassword(outboxFiles().at(0));
    ASSERT_FALSE(mailed.empty());

    EXPECT_EQ(login("bob", "secret1"), kOk) << "the old password still works";
    EXPECT_EQ(login("bob", mailed), R"([0,"Wrong user name or password."])")
        << "using the old password retires the mailed one";
}

TEST_F(ServiceTest, AMailedPasswordExpiresAfterADay) {
    registerUser("bob");
    ASSERT_EQ(call("forgot.php", {{"username", "bob"}}), kOk);
    std::string mailed = mailedPassword(outboxFiles().at(0));
    ASSERT_FALSE(mailed.empty());
    int64_t now = std::chrono::duration_cast<std::chrono::seconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
    {
        Query expiry = database.query("SELECT reminder_expires_at FROM users WHERE name = 'bob'");
        ASSERT_TRUE(expiry.step());
        EXPECT_NEAR(static_cast<double>(expiry.integer(0) - now), 24 * 3600, 60);
    }
    database.query("UPDATE users SET reminder_expires_at = ? WHERE name = 'bob'")
        .bind(1, now - 1)
        .run();
    EXPECT_EQ(login("bob", mailed), R"([0,"Wrong user name or password."])");
    EXPECT_EQ(login("bob", "secret1"), kOk);
}

TEST_F(ServiceTest, SendScoreStoresValidTotalsOfKnownUsersAndAnswersThePosition) {
    registerUser("anna");
    registerUser("bert");
    auto send = [&](const std::string& name, const std::string& score) {
        return ServiceTest::send("sendScore.php", {{"username", name}, {"score", score}});
    };
    EXPECT_EQ(send("anna", "1500").body, "1");
    EXPECT_EQ(send("bert", "87000").body, "1");
    EXPECT_EQ(send("anna", "1500").body, "2");
    EXPECT_EQ(send("anna", "87000").body, "1") << "a tie shares the position";

    ServiceReply unknown = send("nobody", "10");
    EXPECT_EQ(unknown.status, 404);
    EXPECT_EQ(unknown.body, "0");
    EXPECT_EQ(unknown.contentType.rfind("text/plain", 0), 0u);
    for (const char* bad : {"87001", "-1", "12a", "", "1.5", "+5", "0x10", "99999999999"}) {
        ServiceReply reply = send("bert", bad);
        EXPECT_EQ(reply.status, 400) << bad;
        EXPECT_EQ(reply.body, "0") << bad;
    }
    EXPECT_EQ(call("getScores.php", {{"username", "bert"}}),
              R"([[["bert","87000","Poland"],["anna","87000","Poland"]],"1"])");
}

TEST_F(ServiceTest, GetScoresListsTheRankingWithADashForPlayersWithoutATotal) {
    EXPECT_EQ(call("getScores.php", {{"username", "defaultUser"}}), R"([[],"-"])");
    registerUser("anna", "secret1", "Korea, South");
    registerUser("bert");
    send("sendScore.php", {{"username", "anna"}, {"score", "300"}});
    EXPECT_EQ(call("getScores.php", {{"username", "bert"}}),
              R"([[["anna","300","Korea, South"]],"-"])");
    EXPECT_EQ(call("getScores.php", {{"username", "anna"}}),
              R"([[["anna","300","Korea, South"]],"1"])");
    EXPECT_EQ(call("getScores.php", {}), R"([0,"Missing value: username."])");
}

TEST_F(ServiceTest, BackupsReplaceTheCopyOfTheNamedKnownUserOnly) {
    registerUser("bob");
    registerUser("eve");
    EXPECT_EQ(call("restoreCopy.php", {{"username", "bob"}}), R"([[],"-"])");
    EXPECT_EQ(call("createCopy.php", {{"json", "[['5','2000','handgun']]"}, {"username", "eve"}}),
              kOk);
    EXPECT_EQ(call("createCopy.php", {{"json", "[['3','1250','handgun'],['4','900','handgun']]"},
                                      {"username", "bob"}}),
              kOk);
    send("sendScore.php", {{"username", "bob"}, {"score", "2150"}});
    EXPECT_EQ(call("restoreCopy.php", {{"username", "bob"}}),
              R"([[["3","1250","handgun"],["4","900","handgun"]],"1"])");

    // A malformed text stores nothing; the copy stays as it was.
    EXPECT_EQ(call("createCopy.php",
                   {{"json", "[['3','100','handgun'],['17','1','x']]"}, {"username", "bob"}}),
              R"([0,"The backup is not valid."])");
    EXPECT_EQ(call("createCopy.php", {{"json", "[['3','100','handgun']"}, {"username", "bob"}}),
              R"([0,"The backup is not valid."])");
    EXPECT_EQ(call("createCopy.php", {{"json", "[]"}, {"username", "defaultUser"}}),
              R"([0,"Unknown user."])");
    EXPECT_EQ(call("restoreCopy.php", {{"username", "defaultUser"}}), R"([0,"Unknown user."])");
    EXPECT_EQ(call("createCopy.php", {{"username", "bob"}}), R"([0,"Missing value: json."])");

    EXPECT_EQ(call("createCopy.php", {{"json", "[['1','10','handgun']]"}, {"username", "bob"}}),
              kOk);
    EXPECT_EQ(call("restoreCopy.php", {{"username", "bob"}}), R"([[["1","10","handgun"]],"1"])");
    EXPECT_EQ(call("restoreCopy.php", {{"username", "eve"}}), R"([[["5","2000","handgun"]],"-"])");
}

TEST_F(ServiceTest, FirstLoginCopyMergesKeepingTheBetterScoreAndRepliesWithTheResult) {
    registerUser("bob");
    call("createCopy.php",
         {{"json", "[['3','1250','handgun'],['26','100','sniper']]"}, {"username", "bob"}});
    EXPECT_EQ(
        call("createFirstLoginCopy.php",
             {{"json", "[['3','1000','handgun'],['26','2000','sniper'],['28','5','shotgun']]"},
              {"username", "bob"}}),
        R"([[["3","1250","handgun"],["26","2000","sniper"],["28","5","shotgun"]],"-"])");
    EXPECT_EQ(call("restoreCopy.php", {{"username", "bob"}}),
              R"([[["3","1250","handgun"],["26","2000","sniper"],["28","5","shotgun"]],"-"])");
    EXPECT_EQ(call("createFirstLoginCopy.php", {{"json", "[]"}, {"username", "bob"}}),
              R"([[["3","1250","handgun"],["26","2000","sniper"],["28","5","shotgun"]],"-"])");
    EXPECT_EQ(call("createFirstLoginCopy.php", {{"json", "[{}]"}, {"username", "bob"}}),
              R"([0,"The backup is not valid."])");
    EXPECT_EQ(call("createFirstLoginCopy.php", {{"json", "[]"}, {"username", "nobody"}}),
              R"([0,"Unknown user."])");
}

TEST_F(ServiceTest, HostileValuesAreJustValues) {
    registerUser("bob");
    call("createCopy.php", {{"json", "[['3','1250','handgun']]"}, {"username", "bob"}});
    const std::string injections[] = {
        "bob' OR '1'='1", "bob\"; DROP TABLE users;--", "[bob]", std::string("bob\0x", 5), "%", ""};
    for (const std::string& name : injections) {
        EXPECT_EQ(call("restoreCopy.php", {{"username", name}}), R"([0,"Unknown user."])");
        EXPECT_EQ(call("createCopy.php", {{"json", "[]"}, {"username", name}}),
                  R"([0,"Unknown user."])");
        EXPECT_EQ(call("sendScore.php", {{"username", name}, {"score", "5"}}), "0");
        EXPECT_EQ(call("getScores.php", {{"username", name}}), R"([[],"-"])");
        EXPECT_NE(call("checkUser.php", {{"username", name}, {"password", "secret1"}}), kOk);
    }
    EXPECT_EQ(call("restoreCopy.php", {{"username", "bob"}}), R"([[["3","1250","handgun"]],"-"])");
    EXPECT_EQ(call("restoreCopy.php", {{"username", std::string(100'000, 'b')}}),
              R"([0,"Value too long: username."])");
    for (std::string notText : {"bob\xff\xfe", "\xc0\xaf", "\xed\xa0\x80"}) {
        EXPECT_EQ(call("restoreCopy.php", {{"username", notText}}),
                  R"([0,"Invalid value: username."])");
        EXPECT_EQ(call("createCopy.php", {{"json", "[]" + notText}, {"username", "bob"}}),
                  R"([0,"Invalid value: json."])");
        ServiceReply score = send("sendScore.php", {{"username", notText}, {"score", "5"}});
        EXPECT_EQ(score.body, "0");
        EXPECT_EQ(score.status, 400);
    }
    EXPECT_EQ(service.handle("../etc/passwd", {}).status, 404);
    EXPECT_EQ(service.handle("", {}).status, 404);
}

TEST_F(ServiceTest, TotalsAndBackupsAreWrittenAndReadOnlyWithTheSessionOfTheNamedPlayer) {
    registerUser("anna");
    registerUser("bert");
    const std::string annas = sessions["anna"];
    const std::string berts = sessions["bert"];
    ASSERT_EQ(annas.size(), 64u);
    EXPECT_NE(annas, berts);
    EXPECT_EQ(call("createCopy.php", {{"json", "[['1','10','handgun']]"}, {"username", "anna"}}),
              kOk);
    EXPECT_EQ(call("sendScore.php", {{"username", "anna"}, {"score", "10"}}), "1");

    // Without a session, with another player's, or with one made up, anna's data stays hers.
    for (const std::string& session : {std::string(), berts, std::string(64, '0'), annas + "x"}) {
        ServiceReply score =
            service.handle("sendScore.php", {{"username", "anna"}, {"score", "900"}}, session);
        EXPECT_EQ(score.status, 404);
        EXPECT_EQ(score.body, "0");
        for (const char* endpoint : {"createCopy.php", "createFirstLoginCopy.php"}) {
            EXPECT_EQ(
                service
                    .handle(endpoint, {{"json", "[['1','900','handgun']]"}, {"username", "anna"}},
                            session)
                    .body,
                R"([0,"Unknown user."])")
                << endpoint;
        }
        EXPECT_EQ(service.handle("restoreCopy.php", {{"username", "anna"}}, session).body,
                  R"([0,"Unknown user."])");
    }
    EXPECT_EQ(call("restoreCopy.php", {{"username", "anna"}}), R"([[["1","10","handgun"]],"1"])");

    // A new log-in replaces the session: the old token opens nothing any more.
    EXPECT_EQ(login("anna", "secret1"), kOk);
    EXPECT_NE(sessions["anna"], annas);
    EXPECT_EQ(service.handle("restoreCopy.php", {{"username", "anna"}}, annas).body,
              R"([0,"Unknown user."])");
    EXPECT_EQ(call("restoreCopy.php", {{"username", "anna"}}), R"([[["1","10","handgun"]],"1"])");
    // A failed log-in opens none and leaves the current one.
    EXPECT_TRUE(service.handle("loginUser.php", {{"username", "anna"}, {"password", "wrong12"}})
                    .newSession.empty());
    EXPECT_EQ(call("sendScore.php", {{"username", "anna"}, {"score", "20"}}), "1");
}

TEST_F(ServiceTest, TheDatabaseHoldsOnlyAHashOfASessionThatRunsOut) {
    registerUser("anna");
    const std::string token = sessions["anna"];
    std::string stored;
    {
        Query query =
            database.query("SELECT session_hash, session_expires_at - created_at FROM users");
        ASSERT_TRUE(query.step());
        stored = query.text(0);
        EXPECT_NEAR(query.integer(1), 30 * 24 * 60 * 60, 1);
    }
    EXPECT_EQ(stored.size(), 64u);
    EXPECT_NE(stored, token);
    database.query("UPDATE users SET session_expires_at = ?").bind(1, int64_t{1}).run();
    EXPECT_EQ(call("restoreCopy.php", {{"username", "anna"}}), R"([0,"Unknown user."])");
    EXPECT_EQ(login("anna", "secret1"), kOk);
    EXPECT_EQ(call("restoreCopy.php", {{"username", "anna"}}), R"([[],"-"])");
}

TEST(ServiceRestartTest, ARestartedServiceStillRefusesAGuesser) {
    TemporaryDirectory directory;
    Outbox outbox{directory.path() / "outbox"};
    auto login = [](Service& service, const std::string& password) {
        return service.handle("loginUser.php", {{"username", "bob"}, {"password", password}}).body;
    };
    {
        SqliteStorage storage(directory.path() / "kalvorn.sqlite");
        Service service(storage, outbox);
        ASSERT_EQ(service
                      .handle("join.php", {{"username", "bob"},
                                           {"password", "secret1"},
                                           {"mail", "bob@example.com"},
                                           {"country", "Poland"}})
                      .body,
                  kOk);
        for (int i = 0; i < 5; ++i) {
            ASSERT_EQ(login(service, "guess" + std::to_string(i)),
                      R"([0,"Wrong user name or password."])");
        }
    }
    SqliteStorage storage(directory.path() / "kalvorn.sqlite");
    Service service(storage, outbox);
    EXPECT_EQ(login(service, "secret1"),
              R"([0,"Too many failed log-ins. Try again in 15 minutes."])");
}
