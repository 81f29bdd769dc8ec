#include "day/SeasonLearning.h"

#include <algorithm>
#include <cmath>

#include "predict/DataForecast.h"
#include "results/LearningDay.h"
#include "results/RecentForm.h"
#include "results/ResultFile.h"

namespace wakorin {
namespace {

std::vector<int> Keys(const TicketList& tickets) {
  std::vector<int> keys;
  for (const std::string& t : tickets) {
    if (!t.empty()) keys.push_back(TicketKey(t));
  }
  return keys;
}

// Every combination of a bet type once.
std::vector<int> EveryCombination(BetType bet) {
  std::vector<int> keys;
  for (int a = 1; a <= 6; ++a) {
    for (int b = 1; b <= 6; ++b) {
      if (a == b || (bet == BetType::Quinella && b < a)) continue;
      if (IsTwoBoat(bet)) {
        keys.push_back(a * 10 + b);
        continue;
      }
      for (int c = 1; c <= 6; ++c) {
        if (c == a || c == b || (bet == BetType::Trio && !(a < b && b < c))) continue;
        keys.push_back(a * 100 + b * 10 + c);
      }
    }
  }
  return keys;
}

}  // namespace

void PartDays::Add(int date) {
  if (days++ == 0) from = date;
  to = date;
}

SeasonRaces ReadSeason(const std::vector<DayCopies>& days,
                       const std::function<SeasonPart(int date)>& partOf,
                       const std::function<bool(int done, int total)>& progress) {
  SeasonRaces season;
  FormBook forms;
  const int total = static_cast<int>(days.size());
  for (int i = 0; i < total; ++i) {
    if (progress && !progress(i, total)) break;
    const DayCopies& copies = days[static_cast<std::size_t>(i)];
    const SeasonPart part = partOf(copies.date);
    RaceDay day = ReadRaceDay(copies, part == SeasonPart::None ? DayNeeds::Results
                                                               : DayNeeds::ProgramAndResults);
    if (part != SeasonPart::None && !day.gap) {
      std::vector<LearnRace> races = ReadLearningDay(*day.program, *day.result, day.date, &forms);
      std::vector<LearnRace>& into = part == SeasonPart::Test   ? season.test
                                     : part == SeasonPart::Tune ? season.tune
                                                                : season.learn;
      PartDays& counted = part == SeasonPart::Test   ? season.testDays
                          : part == SeasonPart::Tune ? season.tuneDays
                                                     : season.learnDays;
      if (!races.empty()) counted.Add(day.date);
      for (LearnRace& race : races) into.push_back(std::move(race));
    }
    // Only now: a day's own results inform the days after it, never itself.
    if (day.result) forms.AddResultFile(*day.result);
    if (part == SeasonPart::None) day.gap.reset();  // a day of no part is missed by nobody
    if (day.gap || !day.refused.empty()) {
      day.program.reset();
      day.result.reset();
      season.troubles.push_back(std::move(day));
    }
  }
  if (progress) progress(total, total);
  return season;
}

HeldOutFigures MeasureHeldOut(const DataModel& model, const std::vector<LearnRace>& test) {
  HeldOutFigures figures;
  figures.races = static_cast<int>(test.size());
  if (test.empty()) return figures;
  figures.from = test.front().date;
  figures.to = test.back().date;
  PerBet<std::vector<RaceReturn>> mine, all, every, fixed;
  PerBet<double> lossModel{}, lossMarket{};
  for (const LearnRace& race : test) {
    const DataForecast forecast = ForecastFigures(race.figures, model);
    const PlaceChances chances = ChancesOf(model.weights, race.figures);
    for (BetType bet : kBetTypes) {
      const BetOutcome& outcome = race.outcome[bet];
      if (!outcome.settled) continue;
      const std::vector<int> six = Keys(forecast.candidates[bet]);
      mine[bet].push_back(Settle(outcome, race.refunded, forecast.skipped[bet] ? std::vector<int>() : six));
      all[bet].push_back(Settle(outcome, race.refunded, six));
      if (outcome.winners.size() == 1 && outcome.special < 0 && outcome.winners[0].second > 0) {
        const auto [key, yen] = outcome.winners[0];
        const std::array<int, 3> lanes =
            key >= 100 ? std::array<int, 3>{key / 100, key / 10 % 10, key % 10}
                       : std::array<int, 3>{key / 10, key % 10, 0};
        // A combination the model all but rules out still costs a finite loss.
        const double p = std::max(ChanceOf(chances, bet, lanes), 1e-9);
        const double market = std::min(75.0 / static_cast<double>(yen), 1.0);
        lossModel[bet] -= std::log(p);
        lossMarket[bet] -= std::log(market);
        ++figures.logLoss[bet].races;
      }
      every[bet].push_back(Settle(race.outcome[bet], race.refunded, EveryCombination(bet)));
      fixed[bet].push_back(Settle(race.outcome[bet], race.refunded, Keys(FixedFavourites()[bet])));
    }
  }
  for (BetType bet : kBetTypes) {
    figures.model[bet] = Summarise(mine[bet]);
    figures.all[bet] = Summarise(all[bet]);
    figures.skipGain[bet] = GainOver(mine[bet], all[bet]);
    LogLossFigures& loss = figures.logLoss[bet];
    if (loss.races > 0) {
      loss.model = lossModel[bet] / loss.races;
      loss.market = lossMarket[bet] / loss.races;
      loss.uniform = std::log(static_cast<double>(EveryCombination(bet).size()));
    }
    figures.every[bet] = Summarise(every[bet]);
    figures.fixed[bet] = Summarise(fixed[bet]);
  }
  return figures;
}

}  // namespace wakorin
