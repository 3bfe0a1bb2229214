// Command-line parsing for kalvorn-server.
#include "ServerOptions.h"

#include <cctype>
#include <charconv>
#include <cstdlib>

#include "ClientAddress.h"

namespace {

std::filesystem::path defaultDataDirectory() {
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome && *dataHome) {
        return std::filesystem::path(dataHome) / "kalvorn" / "server";
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / ".local" / "share" / "kalvorn" /
           "server";
}

template <typename Number>
bool parseNumber(const std::string& text, Number& number) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size();
}

// "HOST:PORT"; the host may be an IPv6 address in brackets.
bool parseListen(const std::string& text, ServerOptions& options) {
    size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0) {
        return false;
    }
    std::string host = text.substr(0, colon);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    }
    int port = 0;
    if (!parseNumber(text.substr(colon + 1), port) || port < 0 || port > 65535) {
        return false;
    }
    options.host = host;
    options.port = port;
    return true;
}

// Slashes around segments of letters, digits, '-', '.', '_' and '~', none of them "." or "..".
bool isSafeBasePath(const std::string& path) {
    if (path.empty() || path.front() != '/' || path.back() != '/') {
        return false;
    }
    size_t segmentStart = 1;
    for (size_t i = 1; i < path.size(); ++i) {
        char c = path[i];
        if (c == '/') {
            std::string segment = path.substr(segmentStart, i - segmentStart);
            if (segment.empty() || segment == "." || segment == "..") {
                return path == "/";
            }
            segmentStart = i + 1;
        } else if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '.' &&
                   c != '_' && c != '~') {
            return false;
        }
    }
    return true;
}

bool parseSeconds(const std::string& text, std::chrono::milliseconds& duration) {
    double seconds = 0;
    if (!parseNumber(text, seconds) || !(seconds > 0) || seconds > 3600) {
        return false;
    }
    duration = std::chrono::milliseconds(static_cast<int64_t>(seconds * 1000));
    return duration.count() > 0;
}

}  // namespace

std::variant<ServerOptions, std::string> parseServerOptions(const std::vector<std::string>& args) {
    ServerOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.showHelp = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            return "unknown option or missing value: " + arg;
        }
        const std::string& value = args[++i];
        if (arg == "--listen") {
            if (!parseListen(value, options)) {
                return "--listen wants HOST:PORT, got " + value;
            }
        } else if (arg == "--data") {
            options.dataDirectory = value;
        } else if (arg == "--database") {
            if (value.rfind("postgresql://", 0) != 0 && value.rfind("postgres://", 0) != 0) {
                return "--database wants a postgresql:// URL";
            }
            options.databaseUrl = value;
        } else if (arg == "--database-connections") {
            if (!parseNumber(value, options.databaseConnections) ||
                options.databaseConnections == 0 || options.databaseConnections > 1000) {
                return "--database-connections wants a number from 1 to 1000, got " + value;
            }
        } else if (arg == "--base-path") {
            if (!isSafeBasePath(value)) {
                return "--base-path must start and end with '/' and hold only letters, digits, "
                       "'-', '.', '_' and '~' between single slashes (no \"..\"), got " +
                       value;
            }
            options.basePath = value;
        } else if (arg == "--max-connections" || arg == "--per-address-connections") {
            size_t count = 0;
            if (!parseNumber(value, count)) {
                return arg + " wants a number (0: no limit), got " + value;
            }
            (arg == "--max-connections" ? options.limits.maxConnections
                                        : options.limits.perAddressConnections) = count;
        } else if (arg == "--per-address-rate") {
            double rate = 0;
            if (!parseNumber(value, rate) || !(rate >= 0)) {
                return arg + " wants requests per second (0: no limit), got " + value;
            }
            options.limits.perAddressRate = rate;
        } else if (arg == "--request-timeout" || arg == "--idle-timeout") {
            if (!parseSeconds(value, arg == "--request-timeout" ? options.requestTimeout
                                                                : options.idleTimeout)) {
                return arg + " wants seconds, got " + value;
            }
        } else if (arg == "--tls-cert") {
            options.tlsCertificate = value;
        } else if (arg == "--tls-key") {
            options.tlsKey = value;
        } else if (arg == "--trusted-proxy") {
            std::optional<std::string> address = canonicalAddress(value);
            if (!address) {
                return "--trusted-proxy wants an IP address, got " + value;
            }
            options.trustedProxies.push_back(*address);
        } else if (arg == "--list-copies") {
            options.listCopiesOf = value;
        } else if (arg == "--bring-back-copy") {
            int64_t copyId = 0;
            if (!parseNumber(value, copyId)) {
                return "--bring-back-copy wants a copy number, got " + value;
            }
            options.copyToBringBack = copyId;
        } else {
            return "unknown option: " + arg;
        }
    }
    if (options.tlsCertificate.empty() != options.tlsKey.empty()) {
        return "--tls-cert and --tls-key go together";
    }
    if (options.dataDirectory.empty()) {
        options.dataDirectory = defaultDataDirectory();
    }
    return options;
}

std::string serverUsage() {
    return R"(usage: kalvorn-server [options]

Serves the Kalvorn web service: accounts, the global ranking and score backups.

  --listen HOST:PORT      address to listen on (default 127.0.0.1:8642; port 0 picks a free one)
  --data DIR              directory of the database and the mail outbox
                          (default $XDG_DATA_HOME/kalvorn/server)
  --database URL          keep the players' data in this PostgreSQL database instead
                          (postgresql://USER@HOST:PORT/DB), which several service
                          processes may share; the outbox stays in --data
  --database-connections N
                          connections to that database this process keeps at most (default 6)
  --base-path /PATH/      path under which the endpoints live (default /)
  --max-connections N     connections open at once, in all (default 10000)
  --per-address-connections N
                          connections open at once from one address (default 32)
  --per-address-rate N    requests per second from one address, bursts of twice that
                          (default 20); past a limit the reply is 503 or 429 at once;
                          0 means no limit
  --request-timeout S     a request must arrive whole within S seconds of its first byte
                          (default 5)
  --idle-timeout S        a connection without a request is closed after S seconds (default 5)
  --tls-cert FILE         serve HTTPS with this certificate chain (PEM, the server's first)
  --tls-key FILE          and this private key (PEM); both or neither
  --trusted-proxy ADDRESS a reverse proxy whose connections carry the client's address in
                          X-Forwarded-For (its last hop) or X-Real-IP: the per-address rate
                          then counts per client, and the proxy's connections count only
                          against --max-connections (repeatable)
  --help                  show this text

Operator commands (run against --data or --database, then exit):
  --list-copies USER      list the stored backup copies of USER, newest first
  --bring-back-copy ID    make backup copy ID its user's current copy again
)";
}
