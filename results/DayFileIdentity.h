#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wakorin {

// What a file is, told by its bytes (the file itself, an archive already unpacked).
enum class DayFileKind {
  Program,  // a race program file: a "STARTB" line, venue blocks "NNBBGN"
  Result,   // a result file: a "STARTK" line, venue blocks "NNKBGN"
  Stats,    // a racer statistics file: fixed records, each ending in CR LF
  Html,     // a web page (a login page, an error page) instead of a data file
  Other,    // anything else: an archive not unpacked, noise, an empty file
};

// Why bytes of a program or result file are not quite what their kind promises.
enum class DayFileFlaw {
  None,
  DatesDisagree,  // its venues are of different days
  NoVenue,        // it holds no venue at all
  NoDate,         // no date can be read from it
};

struct DayFileIdentity {
  DayFileKind kind = DayFileKind::Other;
  // The day of a program or result file as yyyymmdd, read from the dates inside it; 0 when it
  // holds none, or when its venues disagree (`flaw` says so).
  int date = 0;
  // Venue codes ("01".."24") in file order: for a program file every venue present (a
  // placeholder of a venue not yet published included), for a result file the venues whose
  // results are published (a block holding only the notice that they come later is left out).
  std::vector<std::string> venues;
  DayFileFlaw flaw = DayFileFlaw::None;
};

DayFileIdentity IdentifyDayFile(std::string_view bytes);

// What a file should be for a download or a check: its kind, and for a program or result file
// its day as yyyymmdd (0: any day).
struct DayFileWanted {
  DayFileKind kind = DayFileKind::Program;
  int date = 0;
};

// How a file found differs from the one wanted.
struct DayFileMismatch {
  enum class Kind {
    None,         // it is the file wanted
    Html,         // a web page (a login or error page)
    NotDataFile,  // none of the three kinds
    OtherKind,    // a data file of another kind (of the day `date`, when it has one)
    Flawed,       // of the kind wanted, but with `flaw`
    NoDate,       // of the kind wanted, but without a date where one is needed
    OtherDay,     // of the kind wanted, but of the day `date`
  };
  Kind kind = Kind::None;
  DayFileKind found = DayFileKind::Other;  // set whatever the kind, None included
  int date = 0;                            // yyyymmdd, 0 when the file holds none
  DayFileFlaw flaw = DayFileFlaw::None;

  explicit operator bool() const { return kind != Kind::None; }
};

// How `found` differs from what is wanted; Kind::None when it does not.
// A result file without any date passes only while it holds no published results.
DayFileMismatch FindDayFileMismatch(const DayFileIdentity& found, DayFileWanted wanted);

}  // namespace wakorin
