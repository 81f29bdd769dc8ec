#include "day/SeasonLearning.h"

#include <algorithm>
#include <filesystem>

#include "base/ByteFile.h"
#include "base/DayDate.h"
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

std::optional<int> ProgramFileNameDate(const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  // A day's file, not some other name that happens to begin the same way.
  if (name.size() < 11) return std::nullopt;
  return DayOfFileName(name, 'B');
}

std::vector<SeasonDay> FindSeasonDays(const std::vector<std::string>& paths,
                                      std::vector<std::string>* notDays) {
  namespace fs = std::filesystem;
  std::vector<SeasonDay> days;
  for (const std::string& path : paths) {
    std::error_code error;
    if (fs::is_directory(path, error)) {
      for (const auto& entry : fs::directory_iterator(path, error)) {
        const std::string file = entry.path().string();
        if (auto date = ProgramFileNameDate(file); date && entry.is_regular_file(error)) {
          days.push_back({*date, file});
        }
      }
    } else if (auto date = ProgramFileNameDate(path)) {
      days.push_back({*date, path});
    } else if (notDays != nullptr) {
      notDays->push_back(path);
    }
  }
  // One file a day: a text file and its archive are the same day.
  std::sort(days.begin(), days.end(), [](const SeasonDay& a, const SeasonDay& b) {
    return a.date != b.date ? a.date < b.date : a.path < b.path;
  });
  days.erase(std::unique(days.begin(), days.end(),
                         [](const SeasonDay& a, const SeasonDay& b) { return a.date == b.date; }),
             days.end());
  return days;
}

SeasonRaces ReadSeason(const std::vector<SeasonDay>& days,
                       const std::function<SeasonPart(int date)>& partOf,
                       const std::function<bool(int done, int total)>& progress) {
  SeasonRaces season;
  FormBook forms;
  const int total = static_cast<int>(days.size());
  for (int i = 0; i < total; ++i) {
    if (progress && !progress(i, total)) break;
    const SeasonDay& day = days[static_cast<std::size_t>(i)];
    const SeasonPart part = partOf(day.date);
    auto program = ByteFile::ReadWhole(day.path);
    const std::string resultPath = FindResultFile(day.path);
    auto result = resultPath.empty() ? Outcome<std::shared_ptr<const std::string>>(
                                           Error::Missing(ResultFilePath(day.path)))
                                     : ByteFile::ReadWhole(resultPath);
    if (!program || !result) {
      season.problems.push_back(day.path + ": " + (!program ? "cannot be read"
                                                            : "no readable result file beside it"));
      continue;
    }
    if (part != SeasonPart::None) {
      std::vector<LearnRace> races = ReadLearningDay(**program, **result, day.date, &forms);
      std::vector<LearnRace>& into = part == SeasonPart::Test   ? season.test
                                     : part == SeasonPart::Tune ? season.tune
                                                                : season.learn;
      for (LearnRace& race : races) into.push_back(std::move(race));
    }
    // Only now: a day's own results inform the days after it, never itself.
    forms.AddResultFile(**result);
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
