// Request log lines.
#include <gtest/gtest.h>

#include "QueryLog.h"

TEST(QueryLog, ShowsTheRequestButNeverThePassword) {
    RequestLogEntry entry{
        "127.0.0.1", "GET", "/loginUser.php", {{"username", "bob"}, {"password", "hunter22"}}, 200,
        3,           81.25};
    std::string line = requestLogLine(entry);
    EXPECT_NE(line.find(" 127.0.0.1 GET /loginUser.php?password=***&username=bob 200 3B 81.2ms"),
              std::string::npos)
        << line;
    EXPECT_EQ(line.find("hunter22"), std::string::npos);
}

TEST(QueryLog, EscapesControlBytesAndShortensLongValues) {
    RequestLogEntry entry{"::1", "GET", "/x\ny", {{"username", "a\nb&c=d %"}}, 404, 0, 0};
    std::string line = requestLogLine(entry);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_NE(line.find("/x%0Ay?username=a%0Ab%26c%3Dd%20%25 404"), std::string::npos) << line;

    entry.query = {{"json", std::string(5000, '[')}};
    line = requestLogLine(entry);
    EXPECT_LT(line.size(), 200u);
    EXPECT_NE(line.find(std::string(64, '[') + "... 404"), std::string::npos) << line;
}
