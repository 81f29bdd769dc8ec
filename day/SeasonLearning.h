#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "predict/BetType.h"
#include "predict/DataModel.h"
#include "predict/Learner.h"

namespace wakorin {

// One day of a season: the date its race program file's name tells, and that file.
struct SeasonDay {
  int date = 0;  // yyyymmdd
  std::string path;
};

// The date a race program file's name tells ("b240101.lzh", "B060415.TXT"), or nullopt.
std::optional<int> ProgramFileNameDate(const std::string& path);

// Every day in `paths` (race program files, or folders of them), one a day, in date order.
// Files given by name that tell no date go to `notDays`.
std::vector<SeasonDay> FindSeasonDays(const std::vector<std::string>& paths,
                                      std::vector<std::string>* notDays = nullptr);

// Which part of the figures a day is for.
enum class SeasonPart { None, Learn, Tune, Test };

struct SeasonRaces {
  std::vector<LearnRace> learn, tune, test;
  std::vector<std::string> problems;  // days that could not be read, and why (UTF-8)
};

// Reads the days in date order, each day's races with the racers' form from the days before it,
// into the part `partOf` gives. `progress` is told each day read; false from it stops the
// reading (the races so far are returned).
SeasonRaces ReadSeason(const std::vector<SeasonDay>& days,
                       const std::function<SeasonPart(int date)>& partOf,
                       const std::function<bool(int done, int total)>& progress = {});

// What a model's tickets returned on days it never saw, beside the two lists that need no model
// (every combination once; six fixed favourites), on the same races.
struct HeldOutFigures {
  int races = 0;
  int from = 0, to = 0;  // yyyymmdd
  PerBet<ReturnFigures> model, every, fixed;
};
HeldOutFigures MeasureHeldOut(const DataModel& model, const std::vector<LearnRace>& test);

}  // namespace wakorin
