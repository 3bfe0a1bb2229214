// The command line of kalvorn-server.
#include <gtest/gtest.h>

#include "ServerOptions.h"

namespace {

std::variant<ServerOptions, std::string> parse(std::vector<std::string> args) {
    return parseServerOptions(args);
}

}  // namespace

TEST(ServerOptions, ReadsEveryOption) {
    auto parsed = parse({"--listen", "[::1]:9000", "--data", "/tmp/d", "--base-path", "/game/",
                         "--list-copies", "bob"});
    ASSERT_TRUE(std::holds_alternative<ServerOptions>(parsed));
    const auto& options = std::get<ServerOptions>(parsed);
    EXPECT_EQ(options.host, "::1");
    EXPECT_EQ(options.port, 9000);
    EXPECT_EQ(options.dataDirectory, "/tmp/d");
    EXPECT_EQ(options.basePath, "/game/");
    EXPECT_EQ(options.listCopiesOf, "bob");
    EXPECT_EQ(options.limits.perAddressConnections, 32u) << "the default";

    parsed = parse({"--per-address-rate", "0", "--per-address-connections", "500",
                    "--max-connections", "7", "--request-timeout", "1.5", "--idle-timeout", "2",
                    "--base-path", "/a.b/c-d_e~/"});
    ASSERT_TRUE(std::holds_alternative<ServerOptions>(parsed));
    EXPECT_EQ(std::get<ServerOptions>(parsed).limits.perAddressRate, 0);
    EXPECT_EQ(std::get<ServerOptions>(parsed).limits.perAddressConnections, 500u);
    EXPECT_EQ(std::get<ServerOptions>(parsed).limits.maxConnections, 7u);
    EXPECT_EQ(std::get<ServerOptions>(parsed).requestTimeout.count(), 1500);
    EXPECT_EQ(std::get<ServerOptions>(parsed).idleTimeout.count(), 2000);
    EXPECT_EQ(std::get<ServerOptions>(parsed).basePath, "/a.b/c-d_e~/");

    parsed = parse({"--tls-cert", "/etc/k/cert.pem", "--tls-key", "/etc/k/key.pem"});
    ASSERT_TRUE(std::holds_alternative<ServerOptions>(parsed));
    EXPECT_EQ(std::get<ServerOptions>(parsed).tlsCertificate, "/etc/k/cert.pem");
    EXPECT_EQ(std::get<ServerOptions>(parsed).tlsKey, "/etc/k/key.pem");
    EXPECT_TRUE(std::get<ServerOptions>(parse({})).tlsCertificate.empty()) << "plain by default";

    parsed = parse({"--trusted-proxy", "127.0.0.1", "--trusted-proxy", "::FFFF:10.0.0.2"});
    ASSERT_TRUE(std::holds_alternative<ServerOptions>(parsed));
    EXPECT_EQ(std::get<ServerOptions>(parsed).trustedProxies,
              (std::vector<std::string>{"127.0.0.1", "10.0.0.2"}));
    EXPECT_TRUE(std::get<ServerOptions>(parse({})).trustedProxies.empty()) << "none by default";

    parsed = parse({"--bring-back-copy", "17", "--help"});
    ASSERT_TRUE(std::holds_alternative<ServerOptions>(parsed));
    EXPECT_EQ(std::get<ServerOptions>(parsed).copyToBringBack, 17);
    EXPECT_TRUE(std::get<ServerOptions>(parsed).showHelp);

    EXPECT_EQ(std::get<ServerOptions>(parse({})).databaseUrl, "") << "SQLite by default";
    parsed = parse(
        {"--database", "postgresql://kal@db.example:5433/kalvorn", "--database-connections", "12"});
    ASSERT_TRUE(std::holds_alternative<ServerOptions>(parsed));
    EXPECT_EQ(std::get<ServerOptions>(parsed).databaseUrl,
              "postgresql://kal@db.example:5433/kalvorn");
    EXPECT_EQ(std::get<ServerOptions>(parsed).databaseConnections, 12u);
    EXPECT_EQ(std::get<ServerOptions>(parse({"--database", "postgres://kal@db/k"})).databaseUrl,
              "postgres://kal@db/k");
}

TEST(ServerOptions, RefusesMalformedValues) {
    for (auto args : std::vector<std::vector<std::string>>{{"--listen", "8642"},
                                                           {"--listen", "host:70000"},
                                                           {"--listen", "host:port"},
                                                           {"--trusted-proxy", "localhost"},
                                                           {"--trusted-proxy", "10.0.0.1:80"},
                                                           {"--base-path", "game"},
                                                           {"--base-path", "/game"},
                                                           {"--base-path", "/../"},
                                                           {"--base-path", "/a/../b/"},
                                                           {"--base-path", "/a b/"},
                                                           {"--base-path", "//"},
                                                           {"--base-path", "/a//b/"},
                                                           {"--base-path", "/a?b/"},
                                                           {"--request-timeout", "0"},
                                                           {"--idle-timeout", "-1"},
                                                           {"--per-address-rate", "x"},
                                                           {"--bring-back-copy", "x"},
                                                           {"--data"},
                                                           {"--database", "/var/lib/k.sqlite"},
                                                           {"--database", "mysql://db/k"},
                                                           {"--database"},
                                                           {"--database-connections", "0"},
                                                           {"--database-connections", "x"},
                                                           {"--tls-cert", "/etc/k/cert.pem"},
                                                           {"--tls-key", "/etc/k/key.pem"},
                                                           {"--verbose", "1"}}) {
        EXPECT_TRUE(std::holds_alternative<std::string>(parse(args))) << args[0];
    }
}
