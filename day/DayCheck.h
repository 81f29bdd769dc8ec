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

// Why a day, a venue or a race could not be checked in full.
struct DayProblem {
  enum class Kind {
    NotProgramFile,     // no start line: nothing to check
    OtherDay,           // the result file is of another day (DayCheck::otherDay): nothing checked
    ResultVenueTwice,   // `venue` stands twice in the result file: the first is checked
    ProgramVenueTwice,  // `venue` stands twice in the race program file: the first is checked
    NoVenue,            // the race program file holds no venue
    VenueUnchecked,     // `venue` could not be checked
    RaceNotConverted,   // `race` of `venue`: statistics or equipment numbers do not convert
    NotPublished,       // `venue`'s results are not published yet
    NoResult,           // no result found for `venue`
  };
  Kind kind = Kind::NotProgramFile;
  std::string venue;  // "01".."24"
  int race = 0;
  bool operator==(const DayProblem&) const = default;
};

// A whole day: every venue of the race program file, in the order of the venue list.
struct DayCheck {
  std::vector<VenueCheck> venues;
  CheckTally tally;
  std::vector<DayProblem> problems;
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
// The same for a day already open, predicted as `predictor` says.
struct Predictor;
DayCheck CheckDay(const OpenDay& day, std::optional<std::string_view> resultFile,
                  const Predictor& predictor);

}  // namespace wakorin
