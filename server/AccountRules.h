// The rules a user name, password and e-mail address must meet. Each check returns the message
// shown to the player when the value is refused, or nothing when it is acceptable.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// User names: 3 to 20 characters, ASCII letters, digits, '_', '-', '.' and single spaces between
// them (none at either end, never two in a row, so "John Smith" is one name and cannot be
// imitated by " John  Smith"). "defaultUser" (in any letter case) is the game's anonymous player
// and can never be registered.
std::optional<std::string> userNameProblem(std::string_view name);

// Passwords: 6 to 64 bytes of valid UTF-8 without control characters.
std::optional<std::string> passwordProblem(std::string_view password);

// E-mail addresses: at most 254 characters of the form local@domain.tld, no spaces or controls.
std::optional<std::string> mailProblem(std::string_view mail);

bool isValidUtf8(std::string_view text);
