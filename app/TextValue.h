// Reading numbers out of the texts that settings and database columns hold.
#pragma once

#include <cstdint>
#include <string_view>

// The integer value of TEXT as the settings and the score database read it: optional leading
// whitespace, an optional sign, then the leading decimal digits. Empty or non-numeric text
// gives 0; a value beyond the 32-bit range is clamped to it.
int32_t intValue(std::string_view text);
