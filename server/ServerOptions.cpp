// Command-line parsing for kalvorn-server.
#include "ServerOptions.h"

#include <charconv>
#include <cstdlib>

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
        } else if (arg == "--base-path") {
            if (value.empty() || value.front() != '/' || value.back() != '/') {
                return "--base-path must start and end with '/', got " + value;
            }
            options.basePath = value;
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
  --base-path /PATH/      path under which the endpoints live (default /)
  --help                  show this text

Operator commands (run against --data, then exit):
  --list-copies USER      list the stored backup copies of USER, newest first
  --bring-back-copy ID    make backup copy ID its user's current copy again
)";
}
