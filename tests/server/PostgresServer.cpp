// The tools run through posix_spawn (no code of this process runs in the child), their output
// going to a log file in the cluster's directory that a failure quotes.
#include "PostgresServer.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "PgConnection.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

int freePort() {
    int socketFd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (socketFd < 0 || bind(socketFd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        getsockname(socketFd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("no free loopback port");
    }
    close(socketFd);
    return ntohs(address.sin_port);
}

std::string logOf(const fs::path& directory) {
    std::ifstream in(directory / "tools.log");
    std::stringstream text;
    text << in.rdbuf();
    std::ifstream server(directory / "server.log");
    text << server.rdbuf();
    return text.str();
}

}  // namespace

PostgresServer::PostgresServer() {
    std::string pattern = (fs::temp_directory_path() / "kalvorn-pg-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary directory");
    }
    directory_ = pattern;
    try {
        if (geteuid() == 0) {
            passwd* postgres = getpwnam("postgres");
            if (postgres == nullptr ||
                chown(directory_.c_str(), postgres->pw_uid, postgres->pw_gid) != 0) {
                throw std::runtime_error("cannot hand the directory to the postgres user");
            }
        }
        if (runTool("initdb", {"--no-sync", "-D", (directory_ / "data").string(), "-U", "postgres",
                               "-A", "trust", "-E", "UTF8", "--locale=C"}) != 0) {
            throw std::runtime_error("initdb failed:\n" + logOf(directory_));
        }
        start();
    } catch (...) {
        std::error_code ignored;
        fs::remove_all(directory_, ignored);
        throw;
    }
}

PostgresServer::~PostgresServer() {
    if (running_) {
        runTool("pg_ctl", {"stop", "-w", "-m", "immediate", "-D", (directory_ / "data").string()});
    }
    std::error_code ignored;
    fs::remove_all(directory_, ignored);
}

void PostgresServer::start() {
    // The port is taken again at each start; another program may have taken it meanwhile, so a
    // start that fails is tried on other ports.
    for (int attempt = 0; attempt < 5 && !running_; ++attempt) {
        if (port_ == 0 || attempt > 0) {
            port_ = freePort();
        }
        // fsync is off: the tests stop the server, never the machine, so what the server wrote
        // is in the page cache and survives any stop.
        std::string settings = "-c listen_addresses=127.0.0.1 -p " + std::to_string(port_) +
                               " -k " + directory_.string() + " -c fsync=off -c max_connections=60";
        running_ =
            runTool("pg_ctl", {"start", "-w", "-t", "30", "-D", (directory_ / "data").string(),
                               "-l", (directory_ / "server.log").string(), "-o", settings}) == 0;
    }
    if (!running_) {
        throw std::runtime_error("PostgreSQL did not start:\n" + logOf(directory_));
    }
}

void PostgresServer::stop() {
    if (runTool("pg_ctl", {"stop", "-w", "-m", "fast", "-D", (directory_ / "data").string()}) !=
        0) {
        throw std::runtime_error("PostgreSQL did not stop:\n" + logOf(directory_));
    }
    running_ = false;
}

std::string PostgresServer::createDatabase() {
    std::string name = "test" + std::to_string(++databasesMade_);
    PgConnection connection(url("postgres"), 10, 30'000);
    connection.execute("CREATE DATABASE " + name);
    return url(name);
}

std::string PostgresServer::url(const std::string& database) const {
    return "postgresql://postgres@127.0.0.1:" + std::to_string(port_) + "/" + database;
}

int PostgresServer::runTool(const std::string& tool,
                            const std::vector<std::string>& arguments) const {
    std::vector<std::string> command;
    if (geteuid() == 0) {
        command = {"/usr/sbin/runuser", "-u", "postgres", "--"};
    }
    command.push_back(std::string(KALVORN_POSTGRES_BINDIR) + "/" + tool);
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& part : command) {
        argv.push_back(part.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string log = (directory_ / "tools.log").string();
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0666);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // The tools run in the cluster's directory: the postgres user may not enter the test's.
    posix_spawn_file_actions_addchdir_np(&actions, directory_.c_str());
    pid_t pid = -1;
    int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

PostgresServer& sharedPostgres() {
    static PostgresServer server;
    return server;
}
