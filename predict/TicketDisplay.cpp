#include "predict/TicketDisplay.h"

#include "predict/BetType.h"

namespace wakorin {
namespace {

TicketDigitCell LaneCell(int lane) {
  return {lane};
}

}  // namespace

RecommendDisplay ComputeRecommend(const RecommendedTickets& slot, int tab,
                                  const PerBet<bool>& skipped) {
  const TicketLists lists{slot.tickets[BetType::Exacta], slot.tickets[BetType::Quinella],
                          slot.tickets[BetType::Trifecta], slot.tickets[BetType::Trio]};
  return ComputeRecommend(slot.onSale, tab, lists, 6, 6, skipped);
}

RecommendDisplay ComputeRecommend(const PerBet<bool>& onSale, int tab, const TicketLists& tickets,
                                  int twoBoatCount, int threeBoatCount,
                                  const PerBet<bool>& skipped) {
  RecommendDisplay d;
  const bool ordered = tab == 0;
  if (ordered && onSale[BetType::Exacta]) {
    d.mode2 = 1;
  } else if (!ordered && onSale[BetType::Quinella]) {
    d.mode2 = 2;
  }
  if (onSale[BetType::Trifecta]) d.mode3 = ordered ? 1 : 2;
  // A bet type the data mode does not bet on this race keeps its heading and shows no ticket.
  d.skipped2 = d.mode2 != 0 && skipped[d.mode2 == 1 ? BetType::Exacta : BetType::Quinella];
  d.skipped3 = d.mode3 != 0 && skipped[d.mode3 == 1 ? BetType::Trifecta : BetType::Trio];
  if (d.skipped2) twoBoatCount = 0;
  if (d.skipped3) threeBoatCount = 0;

  for (std::size_t row = 0; row < 6; ++row) {
    const int i = static_cast<int>(row) + 1;
    if (d.mode2 != 0 && i <= twoBoatCount) {
      const Ticket& ticket = d.mode2 == 1 ? tickets.Ken2T[row] : tickets.Ken2F[row];
      if (ticket.boats.count == 2) {
        d.two[row] = {LaneCell(ticket.boats.boats[0]), LaneCell(ticket.boats.boats[1])};
        d.twoJoin[row] = TicketJoin::Dash;
      }
    }
    if (d.mode3 != 0 && i <= threeBoatCount) {
      const Ticket& ticket = d.mode3 == 1 ? tickets.Ken3T[row] : tickets.Ken3F[row];
      if (ticket.boats.count == 3) {
        d.three[row] = {LaneCell(ticket.boats.boats[0]), LaneCell(ticket.boats.boats[1]),
                        LaneCell(ticket.boats.boats[2])};
        d.threeJoin[row] = d.mode3 == 1 && ticket.box ? TicketJoin::Box : TicketJoin::Dash;
      }
    }
  }
  return d;
}

}  // namespace wakorin
