// The kalvorn command line.
#include "Shared/LaunchOptions.h"

#include <gtest/gtest.h>

namespace {

std::variant<LaunchOptions, std::string> parse(std::vector<std::string> args) {
    return parseLaunchOptions(args);
}

TEST(LaunchOptionsTest, ReadsEveryOptionInBothForms) {
    auto parsed =
        parse({"--profile", "tablet", "--service-url=http://example.test/k/", "--documents",
               "/tmp/d", "--resources=/tmp/r", "--device-model", "iPhone1,1", "--headless",
               "--script", "s.txt", "--screenshot-dir", "shots"});
    ASSERT_TRUE(std::holds_alternative<LaunchOptions>(parsed)) << std::get<std::string>(parsed);
    const LaunchOptions& options = std::get<LaunchOptions>(parsed);
    EXPECT_EQ(options.profile, LaunchOptions::Profile::Tablet);
    EXPECT_EQ(options.serviceUrl, "http://example.test/k/");
    EXPECT_EQ(options.documentsDirectory, "/tmp/d");
    EXPECT_EQ(options.resourcesDirectory, "/tmp/r");
    EXPECT_EQ(options.deviceModel, std::optional<std::string>("iPhone1,1"));
    EXPECT_TRUE(options.headless);
    EXPECT_EQ(options.scriptPath, std::optional<std::string>("s.txt"));
    EXPECT_EQ(options.screenshotDirectory, std::optional<std::string>("shots"));
}

TEST(LaunchOptionsTest, DefaultsToThePhoneAndTheLocalService) {
    const LaunchOptions options = std::get<LaunchOptions>(parse({}));
    EXPECT_EQ(options.profile, LaunchOptions::Profile::Phone);
    EXPECT_EQ(options.serviceUrl, "http://127.0.0.1:8642/");
    EXPECT_FALSE(options.headless);
    EXPECT_FALSE(options.deviceModel);
    EXPECT_EQ(options.requestTimeoutSeconds, 30);
    EXPECT_EQ(options.caFile, "");
    EXPECT_FALSE(options.leaderboardFile);
}

TEST(LaunchOptionsTest, TheLeaderboardFileCanBeChosen) {
    const LaunchOptions options =
        std::get<LaunchOptions>(parse({"--leaderboard-file=/tmp/board.txt"}));
    EXPECT_EQ(options.leaderboardFile, std::optional<std::string>("/tmp/board.txt"));
    EXPECT_NE(launchOptionsUsage().find("--leaderboard-file"), std::string::npos);
}

TEST(LaunchOptionsTest, ServiceAddressEndsInASlashAndTimeoutTakesFractions) {
    const LaunchOptions options =
        std::get<LaunchOptions>(parse({"--service-url", "https://host:9/game", "--request-timeout",
                                       "2.5", "--ca-file", "/tmp/ca.pem"}));
    EXPECT_EQ(options.serviceUrl, "https://host:9/game/");
    EXPECT_EQ(options.requestTimeoutSeconds, 2.5);
    EXPECT_EQ(options.caFile, "/tmp/ca.pem");
}

TEST(LaunchOptionsTest, BadCommandLinesSayWhatIsWrong) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"--profile", "watch"}, "--profile takes phone or tablet, not 'watch'"},
        {{"--profile"}, "--profile needs a value (see --help)"},
        {{"--documents="}, "--documents needs a value (see --help)"},
        {{"--fullscreen"}, "unknown option '--fullscreen' (see --help)"},
        {{"stray"}, "unknown option 'stray' (see --help)"},
        {{"--service-url", "ftp://x/"},
         "--service-url takes an http:// or https:// address, not 'ftp://x/'"},
        {{"--request-timeout", "0"},
         "--request-timeout takes seconds from above 0 to 3600, not '0'"},
        {{"--request-timeout=5s"},
         "--request-timeout takes seconds from above 0 to 3600, not '5s'"},
    };
    for (const auto& [args, message] : cases) {
        auto parsed = parse(args);
        ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << message;
        EXPECT_EQ(std::get<std::string>(parsed), message);
    }
}

}  // namespace
