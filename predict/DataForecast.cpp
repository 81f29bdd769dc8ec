#include "predict/DataForecast.h"

#include <algorithm>
#include <cstdint>
#include <utility>

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
    // The new one goes in at `at`, each below it one further down (the sixth drops out): carried
    // down in turns, a few moves rather than a library call.
    std::array<int, 3> carried{a, b, c};
    for (std::size_t k = at; k < kept; ++k) {
      std::swap(probability[k], p);
      std::swap(lanes[k], carried);
    }
  }
};

// The pairs a, b (lanes 1..6) in the order their combinations are offered, and the trios a < b < c.
// Listed once, so that the passes over them branch on the chances alone.
struct Order {
  int a, b, c;
};
constexpr std::array<Order, 30> kPairs = [] {
  std::array<Order, 30> pairs{};
  std::size_t n = 0;
  for (int a = 1; a <= 6; ++a) {
    for (int b = 1; b <= 6; ++b) {
      if (a != b) pairs[n++] = {a, b, 0};
    }
  }
  return pairs;
}();
constexpr std::array<Order, 20> kTrios = [] {
  std::array<Order, 20> trios{};
  std::size_t n = 0;
  for (int a = 1; a <= 6; ++a) {
    for (int b = a + 1; b <= 6; ++b) {
      for (int c = b + 1; c <= 6; ++c) trios[n++] = {a, b, c};
    }
  }
  return trios;
}();

DataForecast Forecast(const RaceFigures& race, const DataModel& model, const PerBet<bool>& onSale) {
  DataForecast forecast;
  PlaceChances headline;
  ChancesOf(model.weights, model.headline, race, forecast.chances, headline);
  const PlaceChances& chances = forecast.chances;
  // The place chances: each lane's sums in the order of the orders of finish, as one pass over
  // them would add them up. A chance of 0 (a lane already placed) adds exactly nothing.
  std::array<double, 6> top2{}, top3{};
  for (int a = 1; a <= 6; ++a) {
    const auto i = static_cast<std::size_t>(a - 1);
    for (int b = 1; b <= 6; ++b) {
      if (b == a) continue;
      const double ab = chances.Exacta(a, b);
      top2[i] += ab;
      top2[static_cast<std::size_t>(b - 1)] += ab;
      for (std::size_t c = 0; c < 6; ++c) top3[c] += chances.Trifecta(a, b, static_cast<int>(c) + 1);
    }
    forecast.win[i] = chances.Win(a);
  }
  for (std::size_t k = 0; k < 6; ++k) {
    forecast.top2[k] = top2[k];
    forecast.top3[k] = top3[k] + top2[k];
  }
  // Each bet type's six best, each in its own combination order.
  PerBet<SixBest> best;
  for (const Order& o : kPairs) best[BetType::Exacta].Offer(chances.Exacta(o.a, o.b), o.a, o.b, 0);
  for (const Order& o : kPairs) {
    if (o.a < o.b) best[BetType::Quinella].Offer(chances.Exacta(o.a, o.b) + chances.Exacta(o.b, o.a), o.a, o.b, 0);
  }
  // Once six are kept, a pair whose likeliest third is no better than the sixth has nothing to
  // offer that would be taken: most pairs are passed over on one comparison.
  SixBest& trifecta = best[BetType::Trifecta];
  for (const Order& o : kPairs) {
    if (trifecta.kept == 6) {
      double top = 0.0;
      for (int c = 1; c <= 6; ++c) top = std::max(top, chances.Trifecta(o.a, o.b, c));
      if (!(trifecta.probability[5] < top)) continue;
    }
    for (int c = 1; c <= 6; ++c) {
      if (c != o.a && c != o.b) trifecta.Offer(chances.Trifecta(o.a, o.b, c), o.a, o.b, c);
    }
  }
  for (const Order& o : kTrios) {
    const int a = o.a, b = o.b, c = o.c;
    const double p = chances.Trifecta(a, b, c) + chances.Trifecta(a, c, b) + chances.Trifecta(b, a, c) +
                     chances.Trifecta(b, c, a) + chances.Trifecta(c, a, b) + chances.Trifecta(c, b, a);
    best[BetType::Trio].Offer(p, a, b, c);
  }
  forecast.tickets.onSale = onSale;
  for (BetType bet : kBetTypes) {
    const SixBest& six = best[bet];
    double expected = 0.0;
    for (std::size_t j = 0; j < 6 && j < six.kept; ++j) {
      const std::array<int, 3>& lanes = six.lanes[j];
      const double p = six.probability[j];
      Ticket& ticket = forecast.candidates[bet][j];
      ticket.boats.boats = {static_cast<std::uint8_t>(lanes[0]), static_cast<std::uint8_t>(lanes[1]),
                            static_cast<std::uint8_t>(lanes[2])};
      ticket.boats.count = lanes[2] == 0 ? 2 : 3;
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
  return Forecast(FiguresOf(card, venueCode, forms), model, BetsOnSale(card.Sale));
}

DataForecast ForecastFigures(const RaceFigures& race, const DataModel& model) {
  PerBet<bool> all;
  all.values.fill(true);
  return Forecast(race, model, all);
}

}  // namespace wakorin
