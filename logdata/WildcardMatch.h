// File-name matching as the Windows directory search does it, for platforms without one:
// case-insensitive for ASCII letters, '*' for any run of characters, '?' for exactly one, and
// "*.*" for every name, with or without a full stop.
#pragma once

#include <string_view>

namespace logdata {

bool WildcardMatch(std::string_view name, std::string_view pattern);

}  // namespace logdata
