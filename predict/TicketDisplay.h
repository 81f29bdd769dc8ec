#pragma once

#include <array>
#include <string>
#include <string_view>

#include "predict/BetType.h"
#include "predict/RecommendedTickets.h"

namespace wakorin {

// What one digit cell of the ticket display shows: a lane, drawn by the window in that lane's
// colours, or nothing (lane 0), drawn grey in the cell's own text colour.
struct TicketDigitCell {
  std::string text;  // the lane digit, or empty
  int lane = 0;
};

// Both sheets of the ticket display, decided from the tickets, the tickets on sale and the tab.
struct RecommendDisplay {
  std::string heading2, heading3;  // CP932
  int mode2 = 0, mode3 = 0;        // 0 not shown, 1 ordered, 2 unordered
  std::array<std::array<TicketDigitCell, 2>, 6> two;
  std::array<std::string, 6> twoSeparator;  // CP932, "－" or empty
  std::array<std::array<TicketDigitCell, 3>, 6> three;
  std::array<std::string, 6> threeSeparator;  // both separators of a row: "≡", "－" or empty
  // The data mode skipped (見送り) the bet type a sheet shows: its rows stay empty.
  bool skipped2 = false, skipped3 = false;
};

struct TicketLists {
  const std::array<std::string, 6>& Ken2T;
  const std::array<std::string, 6>& Ken2F;
  const std::array<std::string, 6>& Ken3T;
  const std::array<std::string, 6>& Ken3F;
};

// `tab` 0 shows the ordered bet types, any other index the unordered ones.
RecommendDisplay ComputeRecommend(std::string_view ticketsOnSale, int tab,
                                  const TicketLists& tickets, int twoBoatCount, int threeBoatCount);
// The sheets of a race's recommended tickets in either mode: the bet types on sale and the
// tickets as the forecast gave them, six of each, and the bet types the data mode skipped.
RecommendDisplay ComputeRecommend(const RecommendedTickets& tickets, int tab,
                                  const PerBet<bool>& skipped = {});
RecommendDisplay ComputeRecommend(const PerBet<bool>& onSale, int tab, const TicketLists& tickets,
                                  int twoBoatCount, int threeBoatCount,
                                  const PerBet<bool>& skipped);

}  // namespace wakorin
