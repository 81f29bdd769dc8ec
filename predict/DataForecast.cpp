#include "predict/DataForecast.h"

#include <algorithm>

namespace wakorin {

Ticket CombinationChance::AsTicket() const {
  return lanes[2] == 0 ? MakeTicket({lanes[0], lanes[1]}) : MakeTicket({lanes[0], lanes[1], lanes[2]});
}

namespace {

// The six most probable combinations of a bet type, most probable first; equal ones in
// combination order, so the tickets never depend on a sort's whims. Kept in place as the
// combinations come in that order: a race has up to 120, and only six are wanted.
struct SixBest {
  std::array<double, 6> probability{};
  std::array<std::array<int, 3>, 6> lanes{};
  std::size_t kept = 0;

  void Offer(double p, int a, int b, int c) {
    // Most are no better than the sixth kept: passed over at once.
    if (kept == 6 && !(probability[5] < p)) return;
    std::size_t at = 0;
    while (at < kept && !(probability[at] < p)) ++at;
    if (kept < 6) ++kept;
    for (std::size_t k = kept - 1; k > at; --k) {
      probability[k] = probability[k - 1];
      lanes[k] = lanes[k - 1];
    }
    probability[at] = p;
    lanes[at] = {a, b, c};
  }
};

DataForecast Forecast(const RaceFigures& race, const DataModel& model, const PerBet<bool>& onSale) {
  DataForecast forecast;
  PlaceChances headline;
  ChancesOf(model.weights, model.headline, race, forecast.chances, headline);
  const PlaceChances& chances = forecast.chances;
  // One pass over the orders of finish feeds the place chances and all four bet types, each in
  // its own combination order and with the sums of a pass of its own.
  PerBet<SixBest> best;
  std::array<double, 6> top2{}, top3{};
  for (int a = 1; a <= 6; ++a) {
    for (int b = 1; b <= 6; ++b) {
      if (b == a) continue;
      const double ab = chances.Exacta(a, b);
      top2[static_cast<std::size_t>(a - 1)] += ab;
      top2[static_cast<std::size_t>(b - 1)] += ab;
      best[BetType::Exacta].Offer(ab, a, b, 0);
      if (a < b) best[BetType::Quinella].Offer(ab + chances.Exacta(b, a), a, b, 0);
      for (int c = 1; c <= 6; ++c) {
        if (c == a || c == b) continue;
        const double abc = chances.Trifecta(a, b, c);
        top3[static_cast<std::size_t>(c - 1)] += abc;
        best[BetType::Trifecta].Offer(abc, a, b, c);
        if (a < b && b < c) {
          const double p = abc + chances.Trifecta(a, c, b) + chances.Trifecta(b, a, c) +
                           chances.Trifecta(b, c, a) + chances.Trifecta(c, a, b) +
                           chances.Trifecta(c, b, a);
          best[BetType::Trio].Offer(p, a, b, c);
        }
      }
    }
    forecast.win[static_cast<std::size_t>(a - 1)] = chances.Win(a);
  }
  for (std::size_t k = 0; k < 6; ++k) {
    forecast.top2[k] = top2[k];
    forecast.top3[k] = top3[k] + top2[k];
  }
  forecast.tickets.onSale = onSale;
  for (BetType bet : kBetTypes) {
    const SixBest& six = best[bet];
    double expected = 0.0;
    for (std::size_t j = 0; j < 6 && j < six.kept; ++j) {
      const std::array<int, 3>& lanes = six.lanes[j];
      const double p = six.probability[j];
      forecast.candidates[bet][j] = CombinationChance{lanes, p}.AsTicket();
      forecast.chance[bet][j] = p;
      expected += p * model.ExpectedPayout(bet, p, ChanceOf(headline, bet, lanes)) / 100.0;
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
