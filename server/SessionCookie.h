// The session a log-in or registration opens: a random token the player's client keeps as a
// cookie and sends with every request. The service stores only the token's hash, so a copy of
// the database opens no one's session.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

constexpr std::string_view kSessionCookieName = "kalvorn_session";
constexpr int64_t kSessionLifetimeSeconds = 30 * 24 * 60 * 60;

// 32 random bytes as 64 hexadecimal digits.
std::string newSessionToken();
// The hexadecimal hash stored in place of the token.
std::string sessionTokenHash(std::string_view token);
// Constant-time comparison of two stored-form hashes.
bool sameSessionHash(std::string_view left, std::string_view right);

// The session cookie's value in a Cookie header ("a=1; kalvorn_session=..."), empty when the
// header has none.
std::string sessionCookieIn(std::string_view cookieHeader);
// The Set-Cookie value that hands `token` to the client for every request under `path`.
std::string sessionCookieHeader(std::string_view token, std::string_view path, bool secure);
