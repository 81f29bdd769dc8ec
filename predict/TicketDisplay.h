#pragma once

#include <array>
#include <string>
#include <string_view>

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

}  // namespace wakorin
