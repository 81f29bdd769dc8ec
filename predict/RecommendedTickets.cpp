#include "predict/RecommendedTickets.h"

namespace wakorin {

RecommendedTickets TicketsFromLists(TicketSale sale, const TicketList& ken2T,
                           const TicketList& ken2F, const TicketList& ken3T,
                           const TicketList& ken3F) {
  RecommendedTickets slot;
  slot.onSale = BetsOnSale(sale);
  slot.tickets[BetType::Quinella] = ken2F;
  slot.tickets[BetType::Exacta] = ken2T;
  slot.tickets[BetType::Trio] = ken3F;
  slot.tickets[BetType::Trifecta] = ken3T;
  return slot;
}

Outcome<RaceForecast> ForecastRace(const TRaceCard& card, const LaneStats& stats) {
  return ForecastRace(NumbersOf(card), card.Sale, stats);
}

Outcome<RaceForecast> ForecastRace(const CardNumbers& numbers, TicketSale sale,
                                   const LaneStats& stats) {
  auto prediction = Predict(stats, numbers);
  if (!prediction) return prediction.error();
  // Filled where it is returned, not moved there.
  Outcome<RaceForecast> out{RaceForecast{}};
  RaceForecast& forecast = *out;
  forecast.prediction = *prediction;
  const TPrediction& p = forecast.prediction;
  forecast.tickets = TicketsFromLists(sale, p.Ken2T, p.Ken2F, p.Ken3T, p.Ken3F);
  forecast.missingLanes = MissingLanes(stats);
  return out;
}

}  // namespace wakorin
