#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Error.h"
#include "predict/StatsFileLayout.h"

namespace wakorin {

struct TCourseStats {
  int EntryCount = 0;   // times the racer took the course
  int CourseRate = 0;   // the racer's rate for the course; larger is better
  int StartTiming = 0;  // start timing from the course, in hundredths of a second
};

struct TRacerStats {
  std::array<TCourseStats, 6> Courses{};  // index course - 1
  bool Found = false;                     // false: the racer number is not in the file

  const TCourseStats& Course(int course) const {
    return Courses[static_cast<std::size_t>(course - 1)];
  }
};

using LaneStats = std::array<TRacerStats, 6>;  // index lane - 1

// The record size of a statistics file, told by where the first record's CR LF stands: 412
// unless it ends only at 418.
std::size_t StatsRecordSize(std::string_view firstBytes);
// A racer missing from the file takes counts and rates of 0 and this timing: slower than any
// real start, so the boat comes last at the slit, yet its pictures stay inside their panels.
inline constexpr int kMissingStartTiming = 40;

// The lanes (1..6, ascending) whose racer is not in the statistics file: a prediction of the
// race rests on the missing-racer figures for them.
std::vector<int> MissingLanes(const LaneStats& stats);

// A month as year * 100 + month (202411), the year told from two digits: 70..99 are 19xx.
// The month of the day of a race program file from its name: the seven bytes before its first
// ".TXT" or ".LZH" (any case) are B, then YYMMDD ("b241115.lzh" -> 202411); nullopt when the
// name does not tell a date.
std::optional<int> ProgramFileMonth(std::string_view programPath);

// Why `bytes` (a whole file as the file layer delivers it) are no statistics file: a web page,
// less than one record, or not records of one size each ending in CR LF; nullopt when they are
// such records (a trailing part-record let pass).
std::optional<StatsFault> StatsContentFault(std::string_view bytes);

// Why the file at `path` cannot serve as the statistics file: its read failed (the file layer's
// error, with `path` as its text when the error names none) or its bytes are no statistics file
// (Error::Kind::NotStats); nullopt when it can.
std::optional<Error> CheckStatsFile(const std::string& path);

// The month (yyyymm) of the period file that serves a day of `month`: the April file from April
// to September, the October file from October to March.
int StatsPeriodOf(int month);

// The paths a day of `month` looks for its statistics file at in `folder`: Fan0510.txt, then
// the period file as text and as archive ("fan2310.txt", "fan2310.lzh"; "fanYYMM.txt" and
// "fanYYMM.lzh" when the month is not known). An earlier period's file is taken too.
std::vector<std::string> StatsFileNamesIn(const std::string& folder, std::optional<int> month);

// What a search for the statistics file found: the file to use, the files it passed over, and
// where it looked; so that a message can say all three.
struct StatsSearch {
  std::optional<std::string> path;
  std::vector<Error> refused;          // in the order tried; each names its path in `text`
  std::vector<std::string> lookedFor;  // as StatsFileNamesIn, folder after folder
};

// The statistics files of one folder, listed once, so that the days of a season kept in one
// folder find theirs without listing it again for each day.
class StatsFolder {
 public:
  explicit StatsFolder(const std::string& folder);
  // By name alone, best first: Fan0510.txt in any letter case (the exact name first), then the
  // period files fanYYMM.txt or fanYYMM.lzh (any case) of periods begun in or before `month`
  // (any period when it is not known), latest first, the text before the archive.
  std::vector<std::string> Candidates(std::optional<int> month) const;
  // The first of the candidates that CheckStatsFile takes; each refused one is added to
  // `search.refused`, and the names looked for to `search.lookedFor`.
  std::optional<std::string> Search(std::optional<int> month, StatsSearch& search) const;

 private:
  struct Period {
    int period;
    bool archive;
    std::string path;
  };
  std::string folder_;
  std::vector<std::string> fixed_;  // the exact name first, then by name
  std::vector<Period> periods_;     // latest first; the text before the archive; then by name
};

// The statistics file in `folder` for a day of `month`, as StatsFolder::Search finds it.
StatsSearch SearchStatsFileIn(const std::string& folder = ".",
                              std::optional<int> month = std::nullopt);
// The statistics file for the day of a race program file: beside that file, else in the
// working folder (when it is another folder), each searched for the day's month.
StatsSearch SearchStatsFile(const std::string& programPath, const std::string& workingFolder);

// The path alone of the searches above.
std::optional<std::string> FindStatsFileIn(const std::string& folder = ".",
                                           std::optional<int> month = std::nullopt);
std::optional<std::string> FindStatsFile(const std::string& programPath,
                                         const std::string& workingFolder);

// The eighteen figures of one record; a field that does not convert fails with its text.
Outcome<TRacerStats> ConvertStatsRecord(std::string_view record);

}  // namespace wakorin
