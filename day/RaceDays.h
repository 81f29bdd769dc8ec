#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Error.h"
#include "results/DayFileIdentity.h"
#include "results/RecentForm.h"

namespace wakorin {

// The days that files and folders of official files hold, each day once and each read only from
// files that are what they say. The checker (both modes), the learner and the data mode's form
// all read days this way, so that a file one of them refuses feeds none of them.

// A day as the names of the files tell it: every copy of its race program file and of its result
// file, in the order they are tried: a text file before an archive, then by path.
struct DayCopies {
  int date = 0;  // yyyymmdd
  std::vector<std::string> programs, results;
};

// Why something given names no day at all.
enum class PathFault {
  NotFound,       // no such file or folder
  NoDayInFolder,  // a folder without any race program or result file
  Unreadable,     // a file whose name tells no day, and which cannot be read: `error`
  NoDateInside,   // a file whose name tells no day, and in which no day's date is found
};

struct PathProblem {
  std::string path;
  PathFault fault = PathFault::NotFound;
  std::optional<Error> error;
};

struct DayListing {
  std::vector<DayCopies> days;  // in date order, each date once
  std::vector<PathProblem> problems;
};

// Lists the days of `paths`: folders (their race program files B*/b*, result files K*/k*, each
// YYMMDD.TXT or .LZH in any letter case), or race program files given by name (one whose name
// tells no day is read for the date inside it; its result file is looked for beside it). A folder
// or file given twice counts once.
DayListing ListRaceDays(const std::vector<std::string>& paths);

// Why a copy was not taken for its day.
enum class FileRefusal {
  Unreadable,  // the file layer failed: `error` (an archive that cannot be unpacked, UTF-16, ...)
  WrongKind,   // another kind of file: `found` (a result file under a program file's name, HTML)
  OtherDay,    // a file of another day: `foundDate`
  NoDate,      // no date inside it
};

struct RefusedFile {
  std::string path;
  DayFileKind wanted = DayFileKind::Program;
  FileRefusal refusal = FileRefusal::Unreadable;
  std::optional<Error> error;
  DayFileKind found = DayFileKind::Other;
  int foundDate = 0;
};

// What a day must have to be of use.
enum class DayNeeds {
  Program,            // a race program file; the result file when there is a good one
  ProgramAndResults,  // both: a check, a day to learn from
  Results,            // the result file alone: the racers' recent form
};

// Why a day was left out.
enum class DayGap {
  NoProgramFile,  // no copy of the race program file could be taken (see `refused`)
  NoResultFile,   // no copy of the result file could be taken (see `refused`)
};

// One day read: the first good copy of each file, the copies refused on the way, and `gap` when
// the day lacks what it was read for.
struct RaceDay {
  int date = 0;
  std::string programPath, resultPath;  // empty when none was taken
  std::shared_ptr<const std::string> program, result;
  std::vector<RefusedFile> refused;
  std::optional<DayGap> gap;
};

// Reads the day's copies in order until one of each kind needed is good: readable, of the kind
// its name says (told by its content) and of the day (told by the date inside it). A result file
// without any date is taken only while it holds no published results (a day still racing).
RaceDay ReadRaceDay(const DayCopies& copies, DayNeeds needs);

// The racers' form before day `day` (yyyymmdd) from the result files of the days before it in
// `folder` (at most the last `days` of them, more than the form looks back on), each read as
// ReadRaceDay reads it. Files refused go to `refused` when given: the form is only less sharp
// without them.
FormBook ReadFormsBefore(const std::string& folder, int day, int days = 120,
                         std::vector<RefusedFile>* refused = nullptr);

}  // namespace wakorin
