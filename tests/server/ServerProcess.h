// Runs the real kalvorn-server for a test: on a free loopback port, with its own data directory
// and its standard error in a file. The process is killed when the object goes, so no server
// outlives a test, passed or failed. Given a certificate authority, the server is one started
// with TLS and spoken to over HTTPS, trusting only that authority.
#pragma once

#include <httplib.h>
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

class ServerProcess {
public:
    // Starts the server and waits until it answers; throws when it does not.
    ServerProcess(const std::filesystem::path& dataDirectory, const std::filesystem::path& logFile,
                  const std::vector<std::string>& extraArguments = {},
                  std::filesystem::path certificateAuthority = {});
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    int port() const { return port_; }
    // A client for the server that sends request paths exactly as given (no encoding).
    std::unique_ptr<httplib::Client> client() const;

    // Sends the signal and waits for the process to end; returns its exit status, or -1 when it
    // ended by a signal (or had to be killed after 20 s).
    int stop(int signal);

private:
    bool start(const std::filesystem::path& dataDirectory, const std::filesystem::path& logFile,
               const std::vector<std::string>& extraArguments);
    bool waitUntilAnswering();
    int waitForExit();
    std::unique_ptr<httplib::Client> clientWithTimeouts(time_t connectSeconds,
                                                        time_t readSeconds) const;

    pid_t pid_ = -1;
    int port_ = 0;
    std::string basePath_ = "/";
    std::filesystem::path certificateAuthority_;
};

// A loopback port that was free a moment ago.
int freeLoopbackPort();

struct ProgramRun {
    int exitStatus = -1;  // -1 when it ended by a signal
    std::string output;   // standard output and error together
};

// Runs kalvorn-server with the arguments (none holding a single quote) to its end.
ProgramRun runServerToItsEnd(const std::vector<std::string>& arguments);
