// Splitting a request target into its path and query values. Strict on purpose: each pair is
// split at its first "=", and only "%XX" escapes are decoded ("+" is a space), so a value
// arrives exactly as the client encoded it.
#pragma once

#include <map>
#include <string>
#include <string_view>

// A key may come more than once; the first value counts.
using QueryValues = std::multimap<std::string, std::string>;

struct RequestTarget {
    std::string path;  // decoded
    QueryValues query;
};

// "%" followed by anything but two hex digits is kept as it stands.
std::string percentDecoded(std::string_view text);

RequestTarget parseRequestTarget(std::string_view target);
