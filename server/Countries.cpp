// The closed list of country names accepted at registration: the game's own picker list.
#include "Countries.h"

#include <algorithm>

#include "online/CountryNames.h"

bool isKnownCountry(std::string_view name) {
    return std::find(kCountryNames.begin(), kCountryNames.end(), name) != kCountryNames.end();
}
