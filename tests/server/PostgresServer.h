// A PostgreSQL server of the test's own: a fresh cluster in a temporary directory (trust
// authentication, UTF8), listening on 127.0.0.1 only, on a free port, with its socket inside
// that directory. Run as the postgres user when the test runs as root. The server is stopped and
// its directory removed when the object goes, whatever the test's outcome.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class PostgresServer {
public:
    // Makes the cluster and starts the server; throws when either fails.
    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // For outage tests: stopping cuts every client off at once; starting again keeps the data.
    void stop();
    void start();

    // Makes an empty database and returns its URL.
    std::string createDatabase();
    std::string url(const std::string& database) const;
    int port() const { return port_; }

private:
    int runTool(const std::string& tool, const std::vector<std::string>& arguments) const;

    std::filesystem::path directory_;
    int port_ = 0;
    bool running_ = false;
    int databasesMade_ = 0;
};

// One server for the whole test program, started on first use and stopped at its end.
PostgresServer& sharedPostgres();
