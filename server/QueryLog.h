// The one line written to standard error for each request. Query values are shown
// percent-escaped and shortened, so that no request can split or flood the log, and the value
// of "password" is never shown at all.
#pragma once

#include <cstddef>
#include <map>
#include <string>

struct RequestLogEntry {
    std::string remoteAddress;
    std::string method;
    std::string path;
    std::multimap<std::string, std::string> query;
    int status = 0;
    size_t replyBytes = 0;
    double milliseconds = 0;
};

// "2026-12-06T09:30:00.123Z 127.0.0.1 GET /loginUser.php?username=bob&password=*** 200 5B 81.2ms"
std::string requestLogLine(const RequestLogEntry& entry);
