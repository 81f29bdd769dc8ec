#include "day/DayCheck.h"

#include <memory>

#include "day/OpenDay.h"
#include "program/VenueBlockScan.h"
#include "results/ResultFile.h"

namespace wakorin {

DayCheck CheckDay(std::string_view programFile, std::optional<std::string_view> resultFile,
                  const RacerStatsTable& stats) {
  auto open = OpenDay::FromBytes({}, std::make_shared<const std::string>(programFile));
  if (!open) {
    DayCheck day;
    day.problems.push_back({DayProblem::Kind::NotProgramFile, {}, 0});
    return day;
  }
  // The day is this call's own and ends with it: it may borrow the caller's table.
  Predictor predictor;
  predictor.stats = std::shared_ptr<const RacerStatsTable>(std::shared_ptr<const RacerStatsTable>(), &stats);
  return CheckDay(*open, resultFile, predictor);
}

DayCheck CheckDay(std::string_view programFile, std::optional<std::string_view> resultFile,
                  const DataModel& model, const FormBook* forms) {
  auto open = OpenDay::FromBytes({}, std::make_shared<const std::string>(programFile));
  if (!open) {
    DayCheck day;
    day.problems.push_back({DayProblem::Kind::NotProgramFile, {}, 0});
    return day;
  }
  // The call borrows the caller's model and form for as long as it runs.
  Predictor predictor;
  predictor.model = std::shared_ptr<const DataModel>(std::shared_ptr<const DataModel>(), &model);
  predictor.forms = std::shared_ptr<const FormBook>(std::shared_ptr<const FormBook>(), forms);
  return CheckDay(*open, resultFile, predictor);
}

DayCheck CheckDay(const OpenDay& open, std::optional<std::string_view> resultFile,
                  const Predictor& predictor) {
  DayCheck day;
  if (!open.HasStartLine()) {
    day.problems.push_back({DayProblem::Kind::NotProgramFile, {}, 0});
    return day;
  }
  // Without a result file the venues are still predicted, so that their races are counted.
  static const std::string kNoResults = "STARTK\r\nFINALK\r\n";
  const std::string_view results = resultFile ? *resultFile : std::string_view(kNoResults);
  const ResultFileOutline outline = OutlineResultFile(results);
  if (resultFile) {
    const std::optional<int> programDay = open.Day();
    const std::optional<int> resultDay = outline.day;
    if (programDay && resultDay && *programDay != *resultDay) {
      day.otherDay = std::make_pair(*programDay, *resultDay);
      day.problems.push_back({DayProblem::Kind::OtherDay, {}, 0});
      return day;
    }
    for (const std::string& code : outline.duplicates) {
      day.problems.push_back({DayProblem::Kind::ResultVenueTwice, code, 0});
    }
  }
  for (const std::string& code : open.DuplicateVenues()) {
    day.problems.push_back({DayProblem::Kind::ProgramVenueTwice, code, 0});
  }
  if (open.Venues().empty()) day.problems.push_back({DayProblem::Kind::NoVenue, {}, 0});
  ResultSearchObserver quiet;
  day.venues.reserve(open.Venues().size());
  for (std::size_t i = 0; i < open.Venues().size(); ++i) {
    auto checked = open.CheckVenue(i, quiet, predictor, results, outline);
    if (!checked) {
      day.problems.push_back({DayProblem::Kind::VenueUnchecked, open.Venues()[i].code, 0});
      continue;
    }
    VenueCheck& venue = *checked;
    for (const RaceCheck& race : venue.races) {
      if (!race.predicted) {
        day.problems.push_back({DayProblem::Kind::RaceNotConverted, venue.code, race.race});
      }
    }
    if (resultFile) {
      if (venue.notPublished) {
        day.problems.push_back({DayProblem::Kind::NotPublished, venue.code, 0});
      } else if (!venue.resultFound) {
        day.problems.push_back({DayProblem::Kind::NoResult, venue.code, 0});
      }
    }
    day.tally += venue.tally;
    day.venues.push_back(std::move(venue));
  }
  return day;
}

}  // namespace wakorin
