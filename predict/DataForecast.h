#pragma once

#include <array>
#include <string>
#include <string_view>

#include "predict/BetType.h"
#include "predict/DataFigures.h"
#include "predict/DataModel.h"
#include "predict/RecommendedTickets.h"
#include "program/RaceCard.h"

namespace wakorin {

// A combination of a bet type as lanes in ticket order (quinella and trio lower lane first),
// with its probability under the model.
struct CombinationChance {
  std::array<int, 3> lanes{};  // the third is 0 for a two-boat bet
  double probability = 0.0;
  Ticket AsTicket() const;
};

// The learned mode's forecast of one race.
struct DataForecast {
  // Per lane (index lane - 1): the chance to win, to finish in the top two, in the top three.
  std::array<double, 6> win{}, top2{}, top3{};
  // The six most probable combinations of each bet type on sale, most probable first; a bet
  // type skipped (見送り) or not on sale holds no tickets, so a check leaves it out.
  RecommendedTickets tickets;
  PerBet<bool> skipped{};                    // on sale, but its estimated return is too low
  PerBet<TicketList> candidates{};           // the six tickets, skipped or not
  PerBet<std::array<double, 6>> chance{};    // each candidate's probability
  PerBet<double> estimatedReturn{};          // mean over the six of probability x payout / 100
  PlaceChances chances;                      // every order of finish, for any combination
};

// The forecast of a race from its card, its venue's code ("01".."24") and the model; the
// racers' recent form when known (without it the model still forecasts, less sharply).
DataForecast ForecastDataRace(const TRaceCard& card, std::string_view venueCode,
                              const DataModel& model, const LaneForms* forms = nullptr);
// The same from the race's figures, as the learner sees it; every bet type counts as on sale.
DataForecast ForecastFigures(const RaceFigures& race, const DataModel& model);

}  // namespace wakorin
