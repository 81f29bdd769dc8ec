#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "results/FinishTable.h"
#include "results/RacePayouts.h"

namespace wakorin {

// One boat's row of a race's finishing table, every column as the file writes it (CP932, blanks
// trimmed); `boat` holds the values the settlement and the form read from the same row.
struct FinishLine {
  Finisher boat;
  std::string name, motor, boatNo, exhibition, start, raceTime;
};

// A race's whole result as a venue's block of a result file gives it, fields in the file's bytes.
struct RaceResult {
  int race = 0;
  std::string raceName, distance;            // 予選, H1800m
  std::string weather, windDirection, wind;  // 曇り, 南西, 5m
  std::string wave;                          // 4cm
  std::string technique;                     // 決まり手: 逃げ, 抜き...
  std::vector<FinishLine> boats;             // in the table's order
  RacePayouts payouts;                       // race 0 and nothing settled when none stand
  bool cancelled = false;                    // 中　止: the summary table says it was not held
};

// Every race of a venue's result block (VenueResultBlock) that has a heading, in file order, then
// the races the summary table says were not held (cancelled, no boats, no payouts).
std::vector<RaceResult> ReadRaceResults(std::string_view venueBlock);

}  // namespace wakorin
