#include "predict/DataForecast.h"

#include <algorithm>

namespace wakorin {

std::string CombinationChance::Text() const {
  std::string text(1, static_cast<char>('0' + lanes[0]));
  for (std::size_t k = 1; k < 3 && lanes[k] != 0; ++k) {
    text += '-';
    text += static_cast<char>('0' + lanes[k]);
  }
  return text;
}

std::vector<CombinationChance> AllCombinations(const PlaceChances& chances, BetType bet) {
  std::vector<CombinationChance> all;
  for (int a = 1; a <= 6; ++a) {
    for (int b = 1; b <= 6; ++b) {
      if (b == a) continue;
      if (IsTwoBoat(bet)) {
        if (bet == BetType::Quinella && b < a) continue;
        double p = chances.Exacta(a, b);
        if (bet == BetType::Quinella) p += chances.Exacta(b, a);
        all.push_back(CombinationChance{{a, b, 0}, p});
        continue;
      }
      for (int c = 1; c <= 6; ++c) {
        if (c == a || c == b) continue;
        if (bet == BetType::Trio) {
          if (!(a < b && b < c)) continue;
          const double p = chances.Trifecta(a, b, c) + chances.Trifecta(a, c, b) +
                           chances.Trifecta(b, a, c) + chances.Trifecta(b, c, a) +
                           chances.Trifecta(c, a, b) + chances.Trifecta(c, b, a);
          all.push_back(CombinationChance{{a, b, c}, p});
        } else {
          all.push_back(CombinationChance{{a, b, c}, chances.Trifecta(a, b, c)});
        }
      }
    }
  }
  return all;
}

namespace {

DataForecast Forecast(const RaceFigures& race, const DataModel& model, const PerBet<bool>& onSale) {
  DataForecast forecast;
  const PlaceChances chances = ChancesOf(model.weights, race);
  const PlaceChances headline = ChancesOf(model.headline, race);
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
    std::vector<CombinationChance> all = AllCombinations(chances, bet);
    // Most probable first; equal ones in combination order, so the tickets never depend on
    // the sort's whims.
    std::stable_sort(all.begin(), all.end(), [](const CombinationChance& x, const CombinationChance& y) {
      return x.probability > y.probability;
    });
    double expected = 0.0;
    for (std::size_t j = 0; j < 6 && j < all.size(); ++j) {
      forecast.candidates[bet][j] = all[j].Text();
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
