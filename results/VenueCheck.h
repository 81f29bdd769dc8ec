#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/Error.h"
#include "predict/RecommendedTickets.h"
#include "results/ResultMatching.h"
#include "results/ReturnSummary.h"

namespace wakorin {

// One race of a checked venue.
struct RaceCheck {
  int race = 0;
  bool predicted = false;  // false: its statistics or equipment numbers did not convert
  bool estimated = false;  // some racer is not in the statistics file: fallback figures used
  std::optional<Error> failure;  // why it was not predicted
  RecommendedTickets tickets;
  PerBet<bool> skipped{};  // data mode: on sale but not bet (見送り); it holds no tickets
  // What its tickets staked and were paid, bet type by bet type, as the venue's tally counts it.
  PerBet<BetTally> tally{};
  // Data mode: the model's chance of the combination that won; negative where none can be said
  // (no result, a dead heat, a special payout, the standard mode).
  PerBet<double> outcomeChance{{-1, -1, -1, -1}};
};

// One venue of a checked day, as the window's grid shows it and the checker counts it.
struct VenueCheck {
  std::string code;
  int raceCount = 0;
  bool resultFileMissing = false;  // no result file beside the race program file
  // The result file is of another day: nothing is matched. Program day, result day (yyyymmdd).
  std::optional<std::pair<int, int>> otherDay;
  bool duplicateInResults = false;  // the result file holds the venue more than once
  bool resultFound = false;
  bool notPublished = false;  // the result file holds only the notice that results come later
  bool stopped = false;       // the search was stopped (the application is quitting)
  std::vector<RaceCheck> races;
  // All twelve rows of the grid: races the venue does not run show what stands in their row.
  std::array<RaceMatch, 12> rows{};
  CheckTally tally;
  // The six fixed favourites of each bet type bought in every race on sale, when asked for.
  CheckTally favourites;
};

}  // namespace wakorin
