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

struct DayFileIdentity {
  DayFileKind kind = DayFileKind::Other;
  // The day of a program or result file as yyyymmdd, read from the dates inside it; 0 when it
  // holds none, or when its venues disagree (`reason` says so).
  int date = 0;
  // Venue codes ("01".."24") in file order: for a program file every venue present (a
  // placeholder of a venue not yet published included), for a result file the venues whose
  // results are published (a block holding only the notice that they come later is left out).
  std::vector<std::string> venues;
  // Why the bytes are not quite what their kind promises (UTF-8, for messages); empty when they
  // are.
  std::string reason;
};

DayFileIdentity IdentifyDayFile(std::string_view bytes);

// What a file should be for a download or a check: its kind, and for a program or result file
// its day as yyyymmdd (0: any day).
struct DayFileWanted {
  DayFileKind kind = DayFileKind::Program;
  int date = 0;
};

// Empty when `found` is what is wanted; else what arrived instead, as a sentence for a message
// (UTF-8 Japanese): 「HTMLのページです。」, 「2024年4月1日の競走成績ファイルです。」...
// A result file without any date passes only while it holds no published results.
std::string DescribeDayFileMismatch(const DayFileIdentity& found, DayFileWanted wanted);

// The kind as messages name it (UTF-8): レース番組表ファイル, 競走成績ファイル, ...
std::string_view DayFileKindName(DayFileKind kind);

}  // namespace wakorin
