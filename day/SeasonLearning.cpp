#include "day/SeasonLearning.h"

#include <algorithm>

#include "predict/DataForecast.h"
#include "results/LearningDay.h"
#include "results/RecentForm.h"
#include "results/ResultFile.h"

namespace wakorin {
namespace {

std::vector<int> Keys(const TicketList& tickets) {
  std::vector<int> keys;
  for (const Ticket& t : tickets) {
    if (!t.Empty()) keys.push_back(TicketKey(t));
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
  PerBet<std::vector<RaceReturn>> mine, every, fixed;
  for (const LearnRace& race : test) {
    const DataForecast forecast = ForecastFigures(race.figures, model);
    for (BetType bet : kBetTypes) {
      if (!race.outcome[bet].settled) continue;
      const std::vector<int> tickets =
          forecast.skipped[bet] ? std::vector<int>() : Keys(forecast.candidates[bet]);
      mine[bet].push_back(Settle(race.outcome[bet], race.refunded, tickets));
      every[bet].push_back(Settle(race.outcome[bet], race.refunded, EveryCombination(bet)));
      fixed[bet].push_back(Settle(race.outcome[bet], race.refunded, Keys(FixedFavourites()[bet])));
    }
  }
  for (BetType bet : kBetTypes) {
    figures.model[bet] = Summarise(mine[bet]);
    figures.every[bet] = Summarise(every[bet]);
    figures.fixed[bet] = Summarise(fixed[bet]);
  }
  return figures;
}

}  // namespace wakorin
