// The nine requests of the web service: each builds the GET request for its endpoint under
// ServiceBaseUrl, with the query keys in their fixed order and the values percent-encoded so
// that the service receives them byte for byte, whatever they hold ("&", "=", "#", "%", "'",
// any UTF-8). A space goes out as "+" in the account, score and ranking requests and as "%20"
// in the backup and restore requests, whose values the service reads without that rule.
#pragma once

#include <string>
#include <string_view>

#include "platform/UrlConnection.h"

namespace ServiceRequests {

// Scheme, host and directory of the service; "/" is added when missing.
void setServiceBaseUrl(std::string url);
const std::string& serviceBaseUrl();

enum class Space { Plus, Percent20 };
// Every byte but A-Z a-z 0-9 - . _ ~ becomes %XX (upper-case hex); a space as SPACE says.
std::string encodeValue(std::string_view value, Space space);

UrlRequest loginUser(std::string_view userName, std::string_view password);
UrlRequest checkUser(std::string_view userName, std::string_view password);
UrlRequest join(std::string_view userName, std::string_view password, std::string_view mail,
                std::string_view country);
UrlRequest forgot(std::string_view userName);
// The one request without the "Accept" header field.
UrlRequest sendScore(std::string_view userName, std::string_view score);
UrlRequest getScores(std::string_view userName);
UrlRequest createCopy(std::string_view backupText, std::string_view userName);
UrlRequest createFirstLoginCopy(std::string_view backupText, std::string_view userName);
UrlRequest restoreCopy(std::string_view userName);

}  // namespace ServiceRequests
