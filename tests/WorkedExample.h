#pragma once

#include <array>
#include <string>

namespace wakorin::testing {

// The tickets of a predicted finishing order 3, 1, 5, 2, 6, 4.
using Tickets = std::array<std::string, 6>;
inline const Tickets kKen2T{"3-1", "3-5", "1-5", "3-2", "3-6", "3-4"};
inline const Tickets kKen2F{"1-3", "3-5", "1-5", "2-3", "3-6", "3-4"};
inline const Tickets kKen3T{"3&1&5", "3&1&2", "3&5&2", "3-1-6", "1-5-2", "1-5-6"};
inline const Tickets kKen3F{"1-3-5", "1-2-3", "2-3-5", "1-3-6", "1-2-5", "1-5-6"};

}  // namespace wakorin::testing
