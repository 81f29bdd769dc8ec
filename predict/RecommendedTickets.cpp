#include "predict/RecommendedTickets.h"

#include <algorithm>

namespace wakorin {
namespace {

// The lane digits of a combination in ascending order: "5-1-2" and "5&1&2" are both "125".
std::string Boats(std::string_view combination) {
  std::string digits;
  for (char c : combination) {
    if (c >= '1' && c <= '6') digits += c;
  }
  std::sort(digits.begin(), digits.end());
  return digits;
}

}  // namespace

RecommendedTickets TicketsFromLists(std::string_view ticketsOnSale, const TicketList& ken2T,
                           const TicketList& ken2F, const TicketList& ken3T,
                           const TicketList& ken3F) {
  RecommendedTickets slot;
  slot.onSale = BetsOnSale(ticketsOnSale);
  slot.tickets[BetType::Quinella] = ken2F;
  slot.tickets[BetType::Exacta] = ken2T;
  slot.tickets[BetType::Trio] = ken3F;
  slot.tickets[BetType::Trifecta] = ken3T;
  return slot;
}

bool Covers(const RecommendedTickets& slot, BetType bet, std::size_t j,
            std::string_view combination) {
  if (j >= 6 || combination.find_first_not_of(' ') == std::string_view::npos) return false;
  const std::string& ticket = slot.tickets[bet][j];
  if (bet == BetType::Trifecta && IsBoxTicket(ticket)) {
    // A box is bought as its trio ticket, which names the same three boats.
    return Boats(slot.tickets[BetType::Trio][j]) == Boats(combination) &&
           Boats(combination).size() == 3;
  }
  return ticket == combination;
}

Outcome<RaceForecast> ForecastRace(const TRaceCard& card, const LaneStats& stats) {
  auto prediction = Predict(stats, NumbersOf(card));
  if (!prediction) return prediction.error();
  // Filled where it is returned: a forecast holds some sixty strings, each moved at a cost.
  Outcome<RaceForecast> out{RaceForecast{}};
  RaceForecast& forecast = *out;
  forecast.prediction = std::move(*prediction);
  const TPrediction& p = forecast.prediction;
  forecast.tickets = TicketsFromLists(card.SaleText, p.Ken2T, p.Ken2F, p.Ken3T, p.Ken3F);
  forecast.missingLanes = MissingLanes(stats);
  return out;
}

}  // namespace wakorin
