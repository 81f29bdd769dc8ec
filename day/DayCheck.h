#pragma once

#include <optional>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

#include "predict/RacerStatsTable.h"
#include "results/VenueCheck.h"

namespace wakorin {

class OpenDay;

// A whole day: every venue of the race program file, in the order of the venue list.
struct DayCheck {
  std::vector<VenueCheck> venues;
  CheckTally tally;
  std::vector<std::string> problems;  // why a venue or race could not be checked (UTF-8)
  // Set when the result file is of another day than the race program file: nothing is
  // checked, since another day's results would score tickets they have nothing to do with.
  std::optional<std::pair<int, int>> otherDay;  // program day, result day (yyyymmdd)
};



// Checks every venue of a day through the same road as the window's check of a venue
// (OpenDay::CheckVenue). `resultFile` is nullopt when the day has no result file.
DayCheck CheckDay(std::string_view programFile, std::optional<std::string_view> resultFile,
                  const RacerStatsTable& stats);
struct DataModel;
class FormBook;
// The same in the data mode: each race forecast by `model`, with the racers' recent form from
// `forms` when given (result files of days before this one). No statistics file is needed. A
// bet type skipped holds no tickets, so the tally counts only the races bet.
DayCheck CheckDay(std::string_view programFile, std::optional<std::string_view> resultFile,
                  const DataModel& model, const FormBook* forms = nullptr);
// The same for a day already open, whose statistics were given with OpenDay::UseStats.
DayCheck CheckDay(const OpenDay& day, std::optional<std::string_view> resultFile);

}  // namespace wakorin
