// The address a request comes from. Behind a reverse proxy every connection comes from the
// proxy, so on connections from a proxy the operator trusts, the client is the last hop the
// proxy names in X-Forwarded-For (or, without that header, X-Real-IP): the one the proxy itself
// saw. Anyone else's headers are never read, so a client cannot choose its own address.
#pragma once

#include <optional>
#include <string>
#include <vector>

// The address in one canonical text form (IPv4 dotted, IPv6 as inet_ntop writes it, an
// IPv4-mapped IPv6 address as its IPv4 one), or nothing when the text is not a bare address.
std::optional<std::string> canonicalAddress(const std::string& text);

// The last address of the X-Forwarded-For fields (in their order, each a comma-separated
// list), or when there are none, the last X-Real-IP field; nothing when that last hop is
// missing or not an address.
std::optional<std::string> forwardedClientAddress(const std::vector<std::string>& forwardedFor,
                                                  const std::vector<std::string>& realIp);
