// The file-backed leaderboard: completions come later through the run loop, each successful
// report appends one line, and failures are reported without writing anything.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/FileLeaderboard.h"
#include "platform/Platform.h"
#include "platform/RunLoop.h"
#include "tests/support/TemporaryDirectory.h"

namespace {

class FileLeaderboardTest : public ::testing::Test {
protected:
    void SetUp() override { Platform::installHeadless(); }

    std::function<void(const std::string&)> remember() {
        return [this](const std::string& error) { answers.push_back(error); };
    }
    std::vector<std::string> lines() const {
        std::ifstream file(path);
        std::vector<std::string> read;
        for (std::string line; std::getline(file, line);) {
            read.push_back(line);
        }
        return read;
    }

    TemporaryDirectory directory;
    std::string path = (directory.path() / "leaderboard.txt").string();
    FileLeaderboard leaderboard{path};
    std::vector<std::string> answers;
};

TEST_F(FileLeaderboardTest, ReportsAppendTheCategoryValueAndTimeAfterAuthentication) {
    leaderboard.authenticateLocalPlayer(remember());
    EXPECT_TRUE(answers.empty()) << "never inside the call";
    RunLoop::main().runFor(0.1);
    ASSERT_EQ(answers, std::vector<std::string>{""});
    EXPECT_TRUE(leaderboard.isLocalPlayerAuthenticated());

    const long long before = static_cast<long long>(std::time(nullptr));
    leaderboard.reportScore(12884901882, "kalvorn2", remember());
    leaderboard.reportScore(0, "kalvorn2", remember());
    RunLoop::main().runFor(0.1);
    EXPECT_EQ(answers, (std::vector<std::string>{"", "", ""}));
    const std::vector<std::string> written = lines();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_TRUE(written[0].starts_with("kalvorn2 12884901882 ")) << written[0];
    EXPECT_TRUE(written[1].starts_with("kalvorn2 0 ")) << written[1];
    const long long time = std::stoll(written[0].substr(written[0].rfind(' ') + 1));
    EXPECT_GE(time, before);
    EXPECT_LE(time, before + 60);
}

TEST_F(FileLeaderboardTest, FailuresAreAnsweredAndNothingIsWritten) {
    leaderboard.reportScore(5, "kalvorn2", remember());  // not authenticated yet
    leaderboard.setAuthenticationError("no player");
    leaderboard.authenticateLocalPlayer(remember());
    RunLoop::main().runFor(0.1);
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_FALSE(answers[0].empty());
    EXPECT_EQ(answers[1], "no player");
    EXPECT_FALSE(leaderboard.isLocalPlayerAuthenticated());

    leaderboard.setAuthenticationError("");
    leaderboard.authenticateLocalPlayer(remember());
    leaderboard.setReportError("offline");
    leaderboard.reportScore(7, "kalvorn2", remember());
    RunLoop::main().runFor(0.1);
    EXPECT_EQ(answers.back(), "offline");
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(FileLeaderboardTest, AFileThatCannotBeWrittenFailsTheReport) {
    FileLeaderboard nowhere((directory.path() / "missing" / "leaderboard.txt").string());
    nowhere.authenticateLocalPlayer(remember());
    nowhere.reportScore(9, "kalvorn2", remember());
    RunLoop::main().runFor(0.1);
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0], "");
    EXPECT_NE(answers[1].find("cannot write"), std::string::npos) << answers[1];
}

}  // namespace
