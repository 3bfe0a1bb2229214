// Address parsing with inet_pton, which accepts only complete addresses (no ports, names,
// scopes or surrounding text).
#include "ClientAddress.h"

#include <arpa/inet.h>

#include <cstring>

namespace {

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::optional<std::string> canonicalAddress(const std::string& text) {
    if (text.find('\0') != std::string::npos) {
        return std::nullopt;  // inet_pton would stop at it and read only what comes before
    }
    char written[INET6_ADDRSTRLEN] = {};
    in_addr v4{};
    if (inet_pton(AF_INET, text.c_str(), &v4) == 1) {
        return inet_ntop(AF_INET, &v4, written, sizeof written);
    }
    in6_addr v6{};
    if (inet_pton(AF_INET6, text.c_str(), &v6) != 1) {
        return std::nullopt;
    }
    if (IN6_IS_ADDR_V4MAPPED(&v6)) {
        std::memcpy(&v4, &v6.s6_addr[12], sizeof v4);
        return inet_ntop(AF_INET, &v4, written, sizeof written);
    }
    return inet_ntop(AF_INET6, &v6, written, sizeof written);
}

std::optional<std::string> forwardedClientAddress(const std::vector<std::string>& forwardedFor,
                                                  const std::vector<std::string>& realIp) {
    if (!forwardedFor.empty()) {
        const std::string& lastField = forwardedFor.back();
        size_t comma = lastField.rfind(',');
        return canonicalAddress(
            trimmed(comma == std::string::npos ? lastField : lastField.substr(comma + 1)));
    }
    if (!realIp.empty()) {
        return canonicalAddress(trimmed(realIp.back()));
    }
    return std::nullopt;
}
