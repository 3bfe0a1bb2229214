// The closed list of country names accepted at registration.
#pragma once

#include <string_view>

bool isKnownCountry(std::string_view name);
