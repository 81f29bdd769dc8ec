#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/Error.h"
#include "day/RaceDays.h"
#include "predict/RacerStatsTable.h"

namespace wakorin {

// The statistics file of each day of a season (the standard mode): the one given, else the one
// beside its race program file, else the one in the working folder (Fan0510.txt, else the day's
// period file). Each folder is listed once and each file read once, however many days share it;
// a file that cannot be read costs only the days that need it.
class SeasonStats {
 public:
  explicit SeasonStats(std::optional<std::string> given, std::string workingFolder = ".");

  void Prepare(const std::vector<DayCopies>& days);

  // A day's table, or why it has none: the files passed over and why, and where it looked.
  // `named` is set when the file was named by the user (nothing was looked for).
  struct ForDay {
    std::shared_ptr<const RacerStatsTable> table;
    std::vector<std::pair<std::string, Error>> refused;
    std::vector<std::string> lookedFor;
    bool named = false;
  };
  ForDay For(const DayCopies& day) const;

  // Statistics files passed over for a later candidate (the day found another), each once.
  std::vector<std::pair<std::string, Error>> PassedOver() const;
  // The files read, each with its racers.
  std::vector<std::pair<std::string, std::size_t>> Tables() const;

 private:
  struct Missing {
    std::vector<std::string> lookedFor;
    std::vector<std::string> refused;
  };

  std::optional<std::string> given_;
  std::string working_;
  std::map<std::string, Missing> missing_;  // days that found no usable file
  std::map<std::string, std::string> statsOf_;
  std::map<std::string, std::shared_ptr<const RacerStatsTable>> tables_;
  std::map<std::string, Error> broken_;  // path, why it cannot be read
  std::set<std::string> passedOver_;
};

}  // namespace wakorin
