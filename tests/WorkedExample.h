#pragma once

#include "tests/support/TicketText.h"

namespace wakorin::testing {

// The tickets of a predicted finishing order 3, 1, 5, 2, 6, 4.
using Tickets = TicketList;
inline const Tickets kKen2T = testsupport::Tickets({"3-1", "3-5", "1-5", "3-2", "3-6", "3-4"});
inline const Tickets kKen2F = testsupport::Tickets({"1-3", "3-5", "1-5", "2-3", "3-6", "3-4"});
inline const Tickets kKen3T =
    testsupport::Tickets({"3&1&5", "3&1&2", "3&5&2", "3-1-6", "1-5-2", "1-5-6"});
inline const Tickets kKen3F =
    testsupport::Tickets({"1-3-5", "1-2-3", "2-3-5", "1-3-6", "1-2-5", "1-5-6"});

}  // namespace wakorin::testing
