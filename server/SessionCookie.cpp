// Session tokens, their stored hashes and the cookie that carries them.
#include "SessionCookie.h"

#include <sodium.h>

namespace {

constexpr size_t kTokenBytes = 32;

std::string hexadecimal(const unsigned char* bytes, size_t size) {
    std::string text(size * 2 + 1, '\0');
    sodium_bin2hex(text.data(), text.size(), bytes, size);
    text.pop_back();
    return text;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

std::string newSessionToken() {
    unsigned char bytes[kTokenBytes];
    randombytes_buf(bytes, sizeof bytes);
    return hexadecimal(bytes, sizeof bytes);
}

std::string sessionTokenHash(std::string_view token) {
    unsigned char hash[crypto_generichash_BYTES];
    crypto_generichash(hash, sizeof hash, reinterpret_cast<const unsigned char*>(token.data()),
                       token.size(), nullptr, 0);
    return hexadecimal(hash, sizeof hash);
}

bool sameSessionHash(std::string_view left, std::string_view right) {
    return left.size() == right.size() && !left.empty() &&
           sodium_memcmp(left.data(), right.data(), left.size()) == 0;
}

std::string sessionCookieIn(std::string_view cookieHeader) {
    while (!cookieHeader.empty()) {
        size_t end = cookieHeader.find(';');
        std::string_view pair = trimmed(cookieHeader.substr(0, end));
        size_t equals = pair.find('=');
        if (equals != std::string_view::npos &&
            trimmed(pair.substr(0, equals)) == kSessionCookieName) {
            return std::string(trimmed(pair.substr(equals + 1)));
        }
        if (end == std::string_view::npos) {
            break;
        }
        cookieHeader.remove_prefix(end + 1);
    }
    return {};
}

std::string sessionCookieHeader(std::string_view token, std::string_view path, bool secure) {
    std::string header = std::string(kSessionCookieName) + "=" + std::string(token) +
                         "; Max-Age=" + std::to_string(kSessionLifetimeSeconds) +
                         "; Path=" + std::string(path) + "; HttpOnly";
    if (secure) {
        header += "; Secure";
    }
    return header;
}
