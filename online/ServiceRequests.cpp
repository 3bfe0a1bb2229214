// Building the web service's request URLs.
#include "online/ServiceRequests.h"

#include <initializer_list>

namespace {

std::string baseUrl = "http://127.0.0.1:8642/";

bool isUnreserved(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
           (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' || byte == '~';
}

// PATTERN is the endpoint's request text; each "%@" takes the next value, encoded.
UrlRequest build(std::string_view pattern, std::initializer_list<std::string_view> values,
                 ServiceRequests::Space space, bool accept = true) {
    std::string url = baseUrl;
    auto value = values.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.substr(i, 2) == "%@" && value != values.end()) {
            url += ServiceRequests::encodeValue(*value++, space);
            ++i;
        } else {
            url += pattern[i];
        }
    }
    UrlRequest request{std::move(url), {}, {}};
    if (accept) {
        request.headerField = "Accept";
        request.headerValue = "application/json";
    }
    return request;
}

}  // namespace

namespace ServiceRequests {

void setServiceBaseUrl(std::string url) {
    if (!url.ends_with('/')) {
        url += '/';
    }
    baseUrl = std::move(url);
}

const std::string& serviceBaseUrl() {
    return baseUrl;
}

std::string encodeValue(std::string_view value, Space space) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(value.size() * 3);
    for (char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (isUnreserved(byte)) {
            encoded += c;
        } else if (byte == ' ' && space == Space::Plus) {
            encoded += '+';
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0xf];
        }
    }
    return encoded;
}

UrlRequest loginUser(std::string_view userName, std::string_view password) {
    return build("loginUser.php?username=%@&password=%@", {userName, password}, Space::Plus);
}

UrlRequest checkUser(std::string_view userName, std::string_view password) {
    return build("checkUser.php?username=%@&password=%@", {userName, password}, Space::Plus);
}

UrlRequest join(std::string_view userName, std::string_view password, std::string_view mail,
                std::string_view country) {
    return build("join.php?username=%@&password=%@&mail=%@&country=%@",
                 {userName, password, mail, country}, Space::Plus);
}

UrlRequest forgot(std::string_view userName) {
    return build("forgot.php?username=%@", {userName}, Space::Plus);
}

UrlRequest sendScore(std::string_view userName, std::string_view score) {
    return build("sendScore.php?username=%@&score=%@", {userName, score}, Space::Plus, false);
}

UrlRequest getScores(std::string_view userName) {
    return build("getScores.php?username=%@", {userName}, Space::Plus);
}

UrlRequest createCopy(std::string_view backupText, std::string_view userName) {
    return build("createCopy.php?json=%@&username=%@", {backupText, userName}, Space::Percent20);
}

UrlRequest createFirstLoginCopy(std::string_view backupText, std::string_view userName) {
    return build("createFirstLoginCopy.php?json=%@&username=%@", {backupText, userName},
                 Space::Percent20);
}

UrlRequest restoreCopy(std::string_view userName) {
    return build("restoreCopy.php?username=%@", {userName}, Space::Percent20);
}

}  // namespace ServiceRequests
