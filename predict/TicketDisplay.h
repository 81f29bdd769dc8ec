#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "predict/BetType.h"
#include "predict/RecommendedTickets.h"

namespace wakorin {

// What one digit cell of the ticket display shows: a lane, drawn by the window in that lane's
// colours, or nothing (lane 0), drawn grey in the cell's own text colour.
struct TicketDigitCell {
  int lane = 0;
};

// What stands between the lanes of a ticket row: nothing (no ticket), a dash (the lanes in that
// order, or in any order on an unordered sheet), or the box mark (a trifecta box).
enum class TicketJoin : std::uint8_t { None, Dash, Box };

// Both sheets of the ticket display, decided from the tickets, the tickets on sale and the tab.
// The window words each sheet's heading from its mode.
struct RecommendDisplay {
  int mode2 = 0, mode3 = 0;  // 0 not on sale, 1 ordered, 2 unordered
  std::array<std::array<TicketDigitCell, 2>, 6> two;
  std::array<TicketJoin, 6> twoJoin{};
  std::array<std::array<TicketDigitCell, 3>, 6> three;
  std::array<TicketJoin, 6> threeJoin{};  // both marks of a row
  // The data mode skipped (見送り) the bet type a sheet shows: its rows stay empty.
  bool skipped2 = false, skipped3 = false;
};

struct TicketLists {
  const TicketList& Ken2T;
  const TicketList& Ken2F;
  const TicketList& Ken3T;
  const TicketList& Ken3F;
};

// `tab` 0 shows the ordered bet types, any other index the unordered ones.
// The sheets of a race's recommended tickets in either mode: the bet types on sale and the
// tickets as the forecast gave them, six of each, and the bet types the data mode skipped.
RecommendDisplay ComputeRecommend(const RecommendedTickets& tickets, int tab,
                                  const PerBet<bool>& skipped = {});
RecommendDisplay ComputeRecommend(const PerBet<bool>& onSale, int tab, const TicketLists& tickets,
                                  int twoBoatCount, int threeBoatCount,
                                  const PerBet<bool>& skipped);

}  // namespace wakorin
