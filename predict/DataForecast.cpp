#include "predict/DataForecast.h"

#include <algorithm>

namespace wakorin {

Ticket RankedCombination::AsTicket() const {
  return lanes[2] == 0 ? MakeTicket({lanes[0], lanes[1]}) : MakeTicket({lanes[0], lanes[1], lanes[2]});
}

namespace {

// Calls visit(combination) for every combination of a bet type, in combination order.
template <typename Visit>
void EachCombination(const PlaceChances& chances, BetType bet, Visit&& visit) {
  for (int a = 1; a <= 6; ++a) {
    for (int b = 1; b <= 6; ++b) {
      if (b == a) continue;
      if (IsTwoBoat(bet)) {
        if (bet == BetType::Quinella && b < a) continue;
        double p = chances.Exacta(a, b);
        if (bet == BetType::Quinella) p += chances.Exacta(b, a);
        visit(RankedCombination{{a, b, 0}, p});
        continue;
      }
      for (int c = 1; c <= 6; ++c) {
        if (c == a || c == b) continue;
        if (bet == BetType::Trio) {
          if (!(a < b && b < c)) continue;
          const double p = chances.Trifecta(a, b, c) + chances.Trifecta(a, c, b) +
                           chances.Trifecta(b, a, c) + chances.Trifecta(b, c, a) +
                           chances.Trifecta(c, a, b) + chances.Trifecta(c, b, a);
          visit(RankedCombination{{a, b, c}, p});
        } else {
          visit(RankedCombination{{a, b, c}, chances.Trifecta(a, b, c)});
        }
      }
    }
  }
}

}  // namespace

std::vector<RankedCombination> AllCombinations(const PlaceChances& chances, BetType bet) {
  std::vector<RankedCombination> all;
  EachCombination(chances, bet, [&](const RankedCombination& c) { all.push_back(c); });
  return all;
}

namespace {

DataForecast Forecast(const RaceFigures& race, const DataModel& model, const PerBet<bool>& onSale) {
  DataForecast forecast;
  const auto [chances, headline] = ChancesOf(model.weights, model.headline, race);
  for (int a = 1; a <= 6; ++a) {
    for (int b = 1; b <= 6; ++b) {
      if (b == a) continue;
      const double ab = chances.Exacta(a, b);
      forecast.top2[static_cast<std::size_t>(a - 1)] += ab;
      forecast.top2[static_cast<std::size_t>(b - 1)] += ab;
      for (int c = 1; c <= 6; ++c) {
        if (c == a || c == b) continue;
        forecast.top3[static_cast<std::size_t>(c - 1)] += chances.Trifecta(a, b, c);
      }
    }
    forecast.win[static_cast<std::size_t>(a - 1)] = chances.Win(a);
  }
  for (std::size_t k = 0; k < 6; ++k) forecast.top3[k] += forecast.top2[k];
  forecast.tickets.onSale = onSale;
  for (BetType bet : kBetTypes) {
    // The six most probable, most probable first; equal ones in combination order, so the
    // tickets never depend on a sort's whims. Kept in place as the combinations come: a race
    // has up to 120, and only six are wanted.
    std::array<RankedCombination, 6> all{};
    std::size_t kept = 0;
    EachCombination(chances, bet, [&](const RankedCombination& c) {
      // Most are no better than the sixth kept: passed over at once.
      if (kept == 6 && !(all[5].probability < c.probability)) return;
      std::size_t at = 0;
      while (at < kept && !(all[at].probability < c.probability)) ++at;
      if (at >= 6) return;
      if (kept < 6) ++kept;
      for (std::size_t k = kept - 1; k > at; --k) all[k] = all[k - 1];
      all[at] = c;
    });
    double expected = 0.0;
    for (std::size_t j = 0; j < 6 && j < kept; ++j) {
      forecast.candidates[bet][j] = all[j].AsTicket();
      forecast.chance[bet][j] = all[j].probability;
      expected += all[j].probability *
                  model.ExpectedPayout(bet, all[j].probability, ChanceOf(headline, bet, all[j].lanes)) /
                  100.0;
    }
    forecast.estimatedReturn[bet] = expected / 6.0;
    forecast.skipped[bet] = onSale[bet] && forecast.estimatedReturn[bet] < model.threshold[bet];
    if (onSale[bet] && !forecast.skipped[bet]) forecast.tickets.tickets[bet] = forecast.candidates[bet];
  }
  return forecast;
}

}  // namespace

DataForecast ForecastDataRace(const TRaceCard& card, std::string_view venueCode,
                              const DataModel& model, const LaneForms* forms) {
  return Forecast(FiguresOf(card, venueCode, forms), model, BetsOnSale(card.SaleText));
}

DataForecast ForecastFigures(const RaceFigures& race, const DataModel& model) {
  PerBet<bool> all;
  all.values.fill(true);
  return Forecast(race, model, all);
}

}  // namespace wakorin
