// The command line of kalvorn-server.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "ConnectionLimits.h"

struct ServerOptions {
    std::string host = "127.0.0.1";
    int port = 8642;
    std::filesystem::path dataDirectory;
    // A postgresql:// URL: the players' data lives in that PostgreSQL database, which other
    // service processes may share. Empty: in a SQLite file in the data directory.
    std::string databaseUrl;
    // Connections this process keeps open to the PostgreSQL database at most.
    size_t databaseConnections = 6;
    std::string basePath = "/";  // starts and ends with "/"
    ConnectionLimits::Settings limits{10'000, 32, 20};
    std::chrono::milliseconds requestTimeout{5000};
    std::chrono::milliseconds idleTimeout{5000};
    // Both set: HTTPS with this certificate chain and private key (PEM files); neither: HTTP.
    std::filesystem::path tlsCertificate;
    std::filesystem::path tlsKey;
    // Reverse proxies (canonical addresses) whose forwarded client addresses are believed.
    std::vector<std::string> trustedProxies;
    bool showHelp = false;
    // Operator commands: run against the data directory instead of serving.
    std::optional<std::string> listCopiesOf;
    std::optional<int64_t> copyToBringBack;
};

// The options, or a message saying what is wrong with the command line. Without --data the data
// directory is $XDG_DATA_HOME/kalvorn/server (~/.local/share/kalvorn/server).
std::variant<ServerOptions, std::string> parseServerOptions(const std::vector<std::string>& args);

std::string serverUsage();
