// Reading numbers out of the texts that settings and database columns hold.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The integer value of TEXT as the settings and the score database read it: optional leading
// whitespace, an optional sign, then the leading decimal digits. Empty or non-numeric text
// gives 0; a value beyond the 32-bit range is clamped to it.
int32_t intValue(std::string_view text);

// TEXT as a whole decimal integer (a script's or command line's argument), or empty when it is
// anything else or out of the 32-bit range.
std::optional<int32_t> exactIntValue(std::string_view text);
