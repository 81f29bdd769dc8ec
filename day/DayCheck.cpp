#include "day/DayCheck.h"

#include <memory>

#include "base/DayDate.h"
#include "day/OpenDay.h"
#include "program/VenueBlockScan.h"
#include "results/ResultFile.h"

namespace wakorin {

DayCheck CheckDay(std::string_view programFile, std::optional<std::string_view> resultFile,
                  const RacerStatsTable& stats) {
  auto open = OpenDay::FromBytes({}, std::make_shared<const std::string>(programFile));
  if (!open) {
    DayCheck day;
    day.problems.push_back("not a race program file");
    return day;
  }
  open->UseStats(stats);
  return CheckDay(*open, resultFile);
}

DayCheck CheckDay(std::string_view programFile, std::optional<std::string_view> resultFile,
                  const DataModel& model, const FormBook* forms) {
  auto open = OpenDay::FromBytes({}, std::make_shared<const std::string>(programFile));
  if (!open) {
    DayCheck day;
    day.problems.push_back("not a race program file");
    return day;
  }
  open->UseModel(&model, forms);
  return CheckDay(*open, resultFile);
}

DayCheck CheckDay(const OpenDay& open, std::optional<std::string_view> resultFile) {
  DayCheck day;
  if (!open.HasStartLine()) {
    day.problems.push_back("not a race program file");
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
      day.problems.push_back("the race program file is of " + DayText(*programDay) +
                             ", the result file of " + DayText(*resultDay) + ": not checked");
      return day;
    }
    for (const std::string& code : outline.duplicates) {
      day.problems.push_back("the result file holds venue " + code +
                             " more than once: the first is checked");
    }
  }
  for (const std::string& code : open.DuplicateVenues()) {
    day.problems.push_back("venue " + code + " stands more than once in the race program file: " +
                           "the first is checked");
  }
  if (open.Venues().empty()) day.problems.push_back("no venue found");
  ResultSearchObserver quiet;
  day.venues.reserve(open.Venues().size());
  for (std::size_t i = 0; i < open.Venues().size(); ++i) {
    auto checked = open.CheckVenue(i, quiet, results, outline);
    if (!checked) {
      day.problems.push_back("venue " + open.Venues()[i].code + ": cannot be checked");
      continue;
    }
    VenueCheck& venue = *checked;
    for (const RaceCheck& race : venue.races) {
      if (!race.predicted) {
        day.problems.push_back("venue " + venue.code + " race " + std::to_string(race.race) +
                               ": statistics or equipment numbers do not convert");
      }
    }
    if (resultFile) {
      if (venue.notPublished) {
        day.problems.push_back("venue " + venue.code + ": results not published yet");
      } else if (!venue.resultFound) {
        day.problems.push_back("venue " + venue.code + ": no result found");
      }
    }
    day.tally += venue.tally;
    day.venues.push_back(std::move(venue));
  }
  return day;
}

}  // namespace wakorin
