// Starting, watching and stopping a kalvorn-server child process.
#include "ServerProcess.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace {

using namespace std::chrono_literals;

}  // namespace

int freeLoopbackPort() {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("no free loopback port");
    }
    close(fd);
    return ntohs(address.sin_port);
}

ProgramRun runServerToItsEnd(const std::vector<std::string>& arguments) {
    std::string command = KALVORN_SERVER_PATH;
    for (const std::string& argument : arguments) {
        command += " '" + argument + "'";
    }
    command += " 2>&1";
    ProgramRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return run;
    }
    char buffer[256];
    while (size_t read = fread(buffer, 1, sizeof buffer, pipe)) {
        run.output.append(buffer, read);
    }
    int status = pclose(pipe);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

ServerProcess::ServerProcess(const std::filesystem::path& dataDirectory,
                             const std::filesystem::path& logFile,
                             const std::vector<std::string>& extraArguments,
                             std::filesystem::path certificateAuthority)
    : certificateAuthority_(std::move(certificateAuthority)) {
    for (size_t i = 0; i + 1 < extraArguments.size(); ++i) {
        if (extraArguments[i] == "--base-path") {
            basePath_ = extraArguments[i + 1];
        }
    }
    // Another process may take the port between our probe and the server's bind: try again.
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (start(dataDirectory, logFile, extraArguments)) {
            return;
        }
    }
    throw std::runtime_error("kalvorn-server did not start; see " + logFile.string());
}

ServerProcess::~ServerProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::unique_ptr<httplib::Client> ServerProcess::client() const {
    return clientWithTimeouts(5, 20);
}

std::unique_ptr<httplib::Client> ServerProcess::clientWithTimeouts(time_t connectSeconds,
                                                                   time_t readSeconds) const {
    std::string scheme = certificateAuthority_.empty() ? "http://" : "https://";
    auto client = std::make_unique<httplib::Client>(scheme + "127.0.0.1:" + std::to_string(port_));
    if (!certificateAuthority_.empty()) {
        client->set_ca_cert_path(certificateAuthority_.string());
    }
    client->set_url_encode(false);
    client->set_connection_timeout(connectSeconds);
    client->set_read_timeout(readSeconds);
    return client;
}

int ServerProcess::stop(int signal) {
    if (pid_ <= 0) {
        return -1;
    }
    kill(pid_, signal);
    return waitForExit();
}

bool ServerProcess::start(const std::filesystem::path& dataDirectory,
                          const std::filesystem::path& logFile,
                          const std::vector<std::string>& extraArguments) {
    port_ = freeLoopbackPort();
    std::vector<std::string> arguments{KALVORN_SERVER_PATH, "--listen",
                                       "127.0.0.1:" + std::to_string(port_), "--data",
                                       dataDirectory.string()};
    arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    pid_ = fork();
    if (pid_ == 0) {
        int log = open(logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        dup2(log, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (pid_ > 0 && waitUntilAnswering()) {
        return true;
    }
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    return false;
}

// False when the process ended (pid_ is then -1) or did not answer in time.
bool ServerProcess::waitUntilAnswering() {
    auto deadline = std::chrono::steady_clock::now() + 20s;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1;
            return false;
        }
        auto probe = clientWithTimeouts(1, 5);
        if (auto reply = probe->Get((basePath_ + "getScores.php?username=probe").c_str())) {
            return reply->status == 200;
        }
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

int ServerProcess::waitForExit() {
    auto deadline = std::chrono::steady_clock::now() + 20s;
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        std::this_thread::sleep_for(10ms);
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
    return -1;
}
