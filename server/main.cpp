// kalvorn-server: the web service of the game over HTTP (cpp-httplib). Maps the nine endpoints
// under the base path to Service, logs one line per request and stops cleanly on SIGINT or
// SIGTERM, letting the requests under way finish.
#include <httplib.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <iostream>
#include <mutex>
#include <thread>

#include "Database.h"
#include "OperatorCommands.h"
#include "Outbox.h"
#include "QueryLog.h"
#include "ServerOptions.h"
#include "Service.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kWorkerThreads = 32;

// Each request is served start to finish by one worker thread, so the time it started can live
// in that thread until the logger runs.
thread_local Clock::time_point requestStart;

std::mutex logMutex;

void logRequest(const httplib::Request& request, const httplib::Response& response) {
    double milliseconds = 0;
    if (requestStart != Clock::time_point{}) {
        milliseconds =
            std::chrono::duration<double, std::milli>(Clock::now() - requestStart).count();
        requestStart = {};
    }
    RequestLogEntry entry{request.remote_addr, request.method,       request.path, request.params,
                          response.status,     response.body.size(), milliseconds};
    std::string line = requestLogLine(entry) + "\n";
    std::lock_guard lock(logMutex);
    std::cerr << line << std::flush;
}

// The endpoint name of a path under the base path, or empty when the path is not one.
std::string endpointOf(const std::string& path, const std::string& basePath) {
    if (path.size() <= basePath.size() || path.compare(0, basePath.size(), basePath) != 0) {
        return {};
    }
    std::string rest = path.substr(basePath.size());
    return rest.find('/') == std::string::npos ? rest : std::string();
}

int serve(const ServerOptions& options, Database& database) {
    Outbox outbox(options.dataDirectory / "outbox");
    Service service(database, outbox);

    httplib::Server server;
    // A worker thread serves one connection at a time, for as long as it is kept alive; enough
    // of them that idle keep-alive connections do not hold up new ones.
    server.new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    server.set_keep_alive_max_count(1000);
    // Replies are small and written in pieces (headers, then body); without this, Nagle's
    // algorithm holds the body back until the client's delayed acknowledgement, about 40 ms.
    server.set_tcp_nodelay(true);
    server.set_payload_max_length(64 * 1024);
    server.set_pre_routing_handler([](const httplib::Request&, httplib::Response&) {
        requestStart = Clock::now();
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server.Get(".*", [&](const httplib::Request& request, httplib::Response& response) {
        std::string endpoint = endpointOf(request.path, options.basePath);
        ServiceReply reply = service.handle(endpoint, request.params);
        response.status = reply.status;
        response.set_content(reply.body, reply.contentType.c_str());
    });
    server.set_logger(logRequest);

    int port = options.port;
    bool bound = port == 0 ? (port = server.bind_to_any_port(options.host)) > 0
                           : server.bind_to_port(options.host, port);
    if (!bound) {
        std::cerr << "kalvorn-server: cannot listen on " << options.host << ":" << options.port
                  << "\n";
        return 1;
    }
    std::cerr << "kalvorn-server: listening on http://" << options.host << ":" << port
              << options.basePath << ", data in " << options.dataDirectory.string() << std::endl;

    // SIGINT and SIGTERM are blocked in every thread (the mask is inherited) and taken by this
    // one, which stops the server; stop() is retried until listening has ended, because a
    // signal may arrive before the server has started to listen.
    std::atomic<bool> listeningDone = false;
    std::atomic<bool> signalReceived = false;
    std::thread signalWaiter([&] {
        sigset_t signals;
        sigemptyset(&signals);
        sigaddset(&signals, SIGINT);
        sigaddset(&signals, SIGTERM);
        int received = 0;
        sigwait(&signals, &received);
        signalReceived = true;
        while (!listeningDone) {
            server.stop();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    bool listened = server.listen_after_bind();
    listeningDone = true;
    if (!signalReceived) {
        // Listening ended for another reason: wake the signal thread so it can be joined.
        pthread_kill(signalWaiter.native_handle(), SIGTERM);
    }
    signalWaiter.join();
    std::cerr << "kalvorn-server: stopped" << std::endl;
    return listened ? 0 : 1;
}

// The data directory holds password hashes and e-mail addresses: only the service's user may
// read it. The umask covers every file made later (SQLite's log files, the outbox); what an
// earlier version left readable is closed here.
void prepareDataDirectory(const std::filesystem::path& directory) {
    namespace fs = std::filesystem;
    umask(077);
    fs::create_directories(directory);
    fs::permissions(directory, fs::perms::owner_all);
    for (const auto& entry : fs::recursive_directory_iterator(directory)) {
        if (entry.is_symlink()) {
            continue;  // chmod would change what the link points to
        }
        fs::permissions(entry.path(), entry.is_directory()
                                          ? fs::perms::owner_all
                                          : fs::perms::owner_read | fs::perms::owner_write);
    }
}

}  // namespace

int main(int argc, char** argv) {
    auto parsed = parseServerOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (auto* error = std::get_if<std::string>(&parsed)) {
        std::cerr << "kalvorn-server: " << *error << "\n\n" << serverUsage();
        return 2;
    }
    const ServerOptions& options = std::get<ServerOptions>(parsed);
    if (options.showHelp) {
        std::cout << serverUsage();
        return 0;
    }

    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    signal(SIGPIPE, SIG_IGN);

    try {
        prepareDataDirectory(options.dataDirectory);
        Database database(options.dataDirectory / "kalvorn.sqlite");
        if (options.listCopiesOf || options.copyToBringBack) {
            return runOperatorCommand(options, database);
        }
        return serve(options, database);
    } catch (const std::exception& error) {
        std::cerr << "kalvorn-server: " << error.what() << "\n";
        return 1;
    }
}
