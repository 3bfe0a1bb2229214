// Formatting of request log lines.
#include "QueryLog.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

constexpr size_t kMaxLoggedValueLength = 64;

// Printable ASCII stays as it is, except the characters that delimit the query; everything else
// becomes %XX.
void appendEscaped(std::string& out, const std::string& text) {
    size_t shown = std::min(text.size(), kMaxLoggedValueLength);
    for (size_t i = 0; i < shown; ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (byte > 0x20 && byte < 0x7f && byte != '%' && byte != '&' && byte != '=') {
            out += static_cast<char>(byte);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            out += escaped;
        }
    }
    if (shown < text.size()) {
        out += "...";
    }
}

std::string utcTimestamp() {
    auto now = std::chrono::system_clock::now();
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    char text[32];
    size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &parts);
    std::snprintf(text + length, sizeof text - length, ".%03dZ", static_cast<int>(millis.count()));
    return text;
}

}  // namespace

std::string requestLogLine(const RequestLogEntry& entry) {
    std::string line = utcTimestamp();
    line += ' ';
    appendEscaped(line, entry.remoteAddress);
    line += ' ';
    appendEscaped(line, entry.method);
    line += ' ';
    appendEscaped(line, entry.path);
    char separator = '?';
    for (const auto& [key, value] : entry.query) {
        line += separator;
        separator = '&';
        appendEscaped(line, key);
        line += '=';
        if (key == "password") {
            line += "***";
        } else {
            appendEscaped(line, value);
        }
    }
    char tail[64];
    std::snprintf(tail, sizeof tail, " %d %zuB %.1fms", entry.status, entry.replyBytes,
                  entry.milliseconds);
    line += tail;
    return line;
}
