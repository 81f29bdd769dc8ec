#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/Error.h"
#include "predict/BetType.h"
#include "predict/Prediction.h"
#include "predict/RacerStats.h"
#include "predict/Ticket.h"
#include "program/RaceCard.h"

namespace wakorin {

using TicketList = std::array<Ticket, 6>;  // ticket j at index j - 1, in recommended order

// The six recommended tickets of each bet type of one race, and which types are on sale. Empty
// (nothing on sale, no tickets) for a race no prediction filled.
struct RecommendedTickets {
  PerBet<bool> onSale;
  // Quinella 1-3 and trio 1-3-5 lower lane first; exacta 3-1 and trifecta 3-1-6 in predicted
  // order, the standard mode's trifecta tickets 1..3 as boxes.
  PerBet<TicketList> tickets;

  bool TwoBoatOnSale() const { return onSale[BetType::Quinella] || onSale[BetType::Exacta]; }
  bool ThreeBoatOnSale() const { return onSale[BetType::Trio] || onSale[BetType::Trifecta]; }
};

// The tickets on sale (the venue's) with the four lists of a prediction.
RecommendedTickets TicketsFromLists(TicketSale sale, const TicketList& ken2T,
                           const TicketList& ken2F, const TicketList& ken3T,
                           const TicketList& ken3F);

// Whether ticket j (0..5) of a bet type covers a winning combination: the same boats in the
// same order, or for a box its three boats in any order.
inline bool Covers(const RecommendedTickets& slot, BetType bet, std::size_t j, const Combination& winner) {
  if (j >= 6) return false;
  const Ticket& ticket = slot.tickets[bet][j];
  if (ticket.Empty()) return false;
  if (bet == BetType::Trifecta && ticket.box) {
    // A box is bought as its trio ticket, which names the same three boats.
    const Combination& trio = slot.tickets[BetType::Trio][j].boats;
    return winner.count == 3 && trio.count == 3 && InOrder(trio) == InOrder(winner);
  }
  return ticket.boats == winner;
}

// A race predicted from its card: the prediction, its tickets and the lanes whose racer is not
// in the statistics file (predicted from estimated figures).
struct RaceForecast {
  TPrediction prediction;
  RecommendedTickets tickets;
  std::vector<int> missingLanes;
};

// The one road from a race card and its six racers' statistics to the recommended tickets, taken
// by the window and by the checker alike. Fails with the text of a motor or boat number that is
// not an integer.
Outcome<RaceForecast> ForecastRace(const TRaceCard& card, const LaneStats& stats);
// The same from only the numbers of the card and the venue's tickets on sale.
Outcome<RaceForecast> ForecastRace(const CardNumbers& numbers, TicketSale sale,
                                   const LaneStats& stats);

}  // namespace wakorin
