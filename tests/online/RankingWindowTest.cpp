// The ranking list and the hub's "Database" question in a real window (under a virtual X
// server), against the real kalvorn-server on a loopback port with a few players: on each
// profile a player logs in, out and in again (the second log-in asks about the database), then
// opens the ranking; the screenshots have the screen's size, show a picture, and differ.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "ServerProcess.h"
#include "tests/support/TemporaryDirectory.h"
#include "tests/support/WindowRun.h"

namespace {

class RankingWindowTest : public ::testing::TestWithParam<const char*> {};

TEST_P(RankingWindowTest, ShowsTheDatabaseQuestionAndTheRankingList) {
    const std::string profile = GetParam();
    const bool tablet = profile == "tablet";
    const std::string suffix = tablet ? "_ipad" : "";
    TemporaryDirectory work;
    ServerProcess server(work.path() / "service", work.path() / "service.log");
    std::unique_ptr<httplib::Client> client = server.client();
    const std::vector<std::vector<std::string>> players{
        {"Olek", "Poland", "2900"},      {"Maja", "Peru", "2650"},
        {"John+Smith", "Chile", "2210"}, {"ala+kot", "Cote+d%27Ivoire", "1860"},
        {"kasia_b", "Norway", "990"},    {"Zed", "Gambia%2C+The", "140"}};
    for (const std::vector<std::string>& player : players) {
        ASSERT_TRUE(client->Get("/join.php?username=" + player[0] +
                                "&password=secret1&mail=p@example.com&country=" + player[1]));
        ASSERT_TRUE(client->Get("/sendScore.php?username=" + player[0] + "&score=" + player[2]));
    }

    std::ostringstream script;
    script << "wait 6.5\naction game\nwait 1\nexpect-screen GameMenuController" << suffix
           << "\naction showSettingsView\nwait 0.7\ntype login kasia_b\ntype password secret1\n"
              "action loginClick\nwait 3\nexpect usernameLabel.text = kasia_b\n"
              "action showSettingsViewOrAfterLoginView\nwait 0.7\naction logoutClick\nwait 1\n"
              "action showSettingsViewOrAfterLoginView\nwait 0.7\n"
              "type login kasia_b\ntype password secret1\naction loginClick\nwait 1.5\n"
              "expect-alert Database\nscreenshot hub-database-alert.png\nalert-button NO\n"
              "wait 1\naction ranking\nwait 1.5\nexpect-screen RankingController"
           << suffix
           << "\nexpect tabelka/0/nazwa_usera.text = Olek\n"
              "expect tabelka/2/nazwa_usera.text = John Smith\nexpect userPosition.text = 5\n"
              "screenshot ranking.png\n";
    runInWindow(KALVORN_PROGRAM, profile, work, script.str(),
                "--service-url http://127.0.0.1:" + std::to_string(server.port()) + "/");
    if (HasFatalFailure()) {
        return;
    }

    const int width = tablet ? 1024 : 480;
    const int height = tablet ? 768 : 320;
    Picture alert = loadRgba(work.file("hub-database-alert.png"));
    Picture ranking = loadRgba(work.file("ranking.png"));
    for (const Picture* shot : {&alert, &ranking}) {
        ASSERT_TRUE(*shot) << IMG_GetError();
        EXPECT_EQ((*shot)->w, width);
        EXPECT_EQ((*shot)->h, height);
        EXPECT_GT(distinctColours(shot->get()), 50u);
    }
    const size_t samples = static_cast<size_t>((width / 8) * (height / 8));
    EXPECT_GT(differingSamples(alert.get(), ranking.get()), samples / 10);
}

INSTANTIATE_TEST_SUITE_P(BothProfiles, RankingWindowTest, ::testing::Values("phone", "tablet"));

}  // namespace
