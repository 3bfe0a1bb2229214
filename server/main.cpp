// kalvorn-server: the web service of the game over HTTP or HTTPS. Maps the nine endpoints under the
// base path to Service and stops cleanly on SIGINT or SIGTERM, letting the requests under way
// finish.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <iostream>
#include <memory>

#include "HttpFront.h"
#include "OperatorCommands.h"
#include "Outbox.h"
#include "PostgresStorage.h"
#include "ServerOptions.h"
#include "Service.h"
#include "SessionCookie.h"
#include "SqliteStorage.h"

namespace {

// The endpoint name of a path under the base path, or empty when the path is not one.
std::string endpointOf(const std::string& path, const std::string& basePath) {
    if (path.size() <= basePath.size() || path.compare(0, basePath.size(), basePath) != 0) {
        return {};
    }
    std::string rest = path.substr(basePath.size());
    return rest.find('/') == std::string::npos ? rest : std::string();
}

// Every connection holds a file descriptor: take all the process may have, and keep some for
// the database, the outbox and the log.
size_t connectionsTheProcessCanHold() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        return 1000;
    }
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
    getrlimit(RLIMIT_NOFILE, &limit);
    return limit.rlim_cur > 1100 ? static_cast<size_t>(limit.rlim_cur) - 100 : 1000;
}

// Where the service keeps its data: the PostgreSQL database named, or else the SQLite file in the
// data directory.
std::unique_ptr<Storage> openStorage(const ServerOptions& options) {
    if (!options.databaseUrl.empty()) {
        PgPoolSettings settings;
        settings.size = options.databaseConnections;
        try {
            return std::make_unique<PostgresStorage>(options.databaseUrl, settings);
        } catch (const PgError& error) {
            throw std::runtime_error("cannot use the database " +
                                     withoutPassword(options.databaseUrl) + ": " + error.what());
        }
    }
    return std::make_unique<SqliteStorage>(options.dataDirectory / "kalvorn.sqlite");
}

int serve(const ServerOptions& options, Storage& storage) {
    Outbox outbox(options.dataDirectory / "outbox");
    Service service(storage, outbox);

    FrontSettings settings;
    settings.host = options.host;
    settings.port = options.port;
    settings.limits = options.limits;
    settings.limits.maxConnections =
        std::min(options.limits.maxConnections, connectionsTheProcessCanHold());
    settings.requestTimeout = options.requestTimeout;
    settings.idleTimeout = options.idleTimeout;
    settings.trustedProxies = options.trustedProxies;
    settings.tlsCertificate = options.tlsCertificate;
    settings.tlsKey = options.tlsKey;
    settings.onlyReads = [&](const RequestTarget& target) {
        return Service::onlyReads(endpointOf(target.path, options.basePath));
    };
    const bool secure = !options.tlsCertificate.empty();
    HttpFront front(settings, [&](const RequestTarget& target, const std::string& cookies) {
        ServiceReply reply = service.handle(endpointOf(target.path, options.basePath), target.query,
                                            sessionCookieIn(cookies));
        std::string setCookie;
        if (!reply.newSession.empty()) {
            setCookie = sessionCookieHeader(reply.newSession, options.basePath, secure);
        }
        return FrontReply{reply.status, std::move(reply.contentType), std::move(reply.body),
                          std::move(setCookie)};
    });
    std::cerr << "kalvorn-server: listening on "
              << (options.tlsCertificate.empty() ? "http://" : "https://") << options.host << ":"
              << front.port() << options.basePath << ", data in " << options.dataDirectory.string()
              << std::endl;
    front.run();
    std::cerr << "kalvorn-server: stopped" << std::endl;
    return 0;
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

    signal(SIGPIPE, SIG_IGN);

    try {
        prepareDataDirectory(options.dataDirectory);
        std::unique_ptr<Storage> storage = openStorage(options);
        if (options.listCopiesOf || options.copyToBringBack) {
            return runOperatorCommand(options, *storage);
        }
        return serve(options, *storage);
    } catch (const std::exception& error) {
        std::cerr << "kalvorn-server: " << error.what() << "\n";
        return 1;
    }
}
