#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "predict/DataModel.h"
#include "predict/RacerStatsTable.h"
#include "results/ResultFile.h"
#include "results/ResultMatching.h"
#include "results/ReturnSummary.h"

namespace wakorin {

// One race of a checked venue.
struct RaceCheck {
  int race = 0;
  bool predicted = false;  // false: its statistics or equipment numbers did not convert
  bool estimated = false;  // some racer is not in the statistics file: fallback figures used
  RecommendedTickets tickets;
  PerBet<bool> skipped{};  // data mode: on sale but not bet (見送り); it holds no tickets
  ResultRowDisplay shown;
};

// One venue of a checked day, as the window's check of that venue shows it.
struct VenueCheck {
  std::string code;
  int raceCount = 0;
  bool resultFound = false;
  bool notPublished = false;  // the result file holds only the notice that results come later
  std::vector<RaceCheck> races;
  CheckTally tally;
};

// A whole day: every venue of the race program file, in the order of the venue list.
struct DayCheck {
  std::vector<VenueCheck> venues;
  CheckTally tally;
  std::vector<std::string> problems;  // why a venue or race could not be checked (UTF-8)
};

// Checks every venue of a day exactly as the window's check does, one venue after another:
// the same cards, predictions, tickets on sale, result search and matching. `resultFile` is
// nullopt when the day has no result file.
DayCheck CheckDay(std::string_view programFile, std::optional<std::string_view> resultFile,
                  const RacerStatsTable& stats);

class FormBook;
// The same in the data mode: each race forecast by `model`, with the racers' recent form from
// `forms` when given (result files of days before this one). No statistics file is needed. A
// bet type skipped holds no tickets, so the tally counts only the races bet.
DayCheck CheckDay(std::string_view programFile, std::optional<std::string_view> resultFile,
                  const DataModel& model, const FormBook* forms = nullptr);

}  // namespace wakorin
