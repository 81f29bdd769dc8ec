#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/Error.h"
#include "base/FileNames.h"
#include "predict/BetType.h"
#include "results/ResultBlock.h"

namespace wakorin {

// The eight texts of one race's row of the payout table, as read: combinations of 3 or 5 bytes
// and payouts of 8, blanks kept. An all-blank combination means the bet type has no result.
struct ResultRow {
  std::string QuinellaCombination, QuinellaPayout;
  std::string ExactaCombination, ExactaPayout;
  std::string TrioCombination, TrioPayout;
  std::string TrifectaCombination, TrifectaPayout;

  // Set only where the table is not twelve clean rows: a race that was not run ("中　止"), a
  // bet declared void ("不成立"), a bet nobody held the winning combination of ("特払い": its
  // combination is blank and its payout is the amount refunded per 100 yen, from the race's
  // detail lines), and the further winning combinations of a dead heat.
  bool Cancelled = false;
  PerBet<bool> Void{};
  PerBet<bool> Special{};
  PerBet<std::vector<std::pair<std::string, std::string>>> Ties{};  // combination, payout

  const std::string& Combination(BetType bet) const;
  const std::string& Payout(BetType bet) const;
  std::string& Combination(BetType bet);
  std::string& Payout(BetType bet);

  bool operator==(const ResultRow&) const = default;
};

// The twelve rows of one venue's result block; rows of races the venue does not run hold
// whatever stands at their place in the table.
struct VenueResult {
  std::array<ResultRow, 12> Rows;

  // r = 1..12; any other number gets a row of blanks (no result) rather than a bad read.
  const ResultRow& Race(int r) const;
};

// The result file of the day of a race program file: the leading letter of the file name
// (seven bytes before its first ".TXT" or ".LZH", in any letter case) becomes "K", the folder
// and the case of the rest are kept, anything after the extension is dropped:
// "/race/B060415.TXT" -> "/race/K060415.TXT", "/race/b241115.lzh" -> "/race/K241115.lzh".
// A file name without either extension, or with fewer than seven bytes before it, gives the
// empty string, which names no file, so the caller reports the result file as missing.
std::string ResultFilePath(std::string_view programPath);
// The result file a message names as missing: ResultFilePath's, else for a name without either
// extension the name with its leading letter made "K" ("/race/b060415" -> "/race/K060415").
std::string ExpectedResultFilePath(std::string_view programPath);

// The result file as it stands on disk: the path ResultFilePath gives when that file exists,
// else a file in the same folder whose name equals it in any letter case (archive tools on
// Linux extract "k241115.txt"), else the other kind of the same day (the archive beside a text
// file, the text beside an archive), again in any case. Empty when there is none.
std::string FindResultFile(std::string_view programPath);
// The same from a listing of the program file's folder made once for many days.
std::string FindResultFile(std::string_view programPath, const FolderNames& folder);

// What the search reports while it runs, for the progress display. Positions are byte offsets
// in the file and may lie past its end.
class ResultSearchObserver {
 public:
  virtual ~ResultSearchObserver() = default;
  virtual void FileOpened(std::uint64_t /*size*/) {}
  // The initial skip over k (>= 1) result blocks was taken; `position` is where reading resumes.
  virtual void Skipped(int /*k*/, std::uint64_t /*position*/) {}
  // Asked before every header read, at every byte of a slide, and before every chunk of the
  // fallback search; false stops the search (the file is closed).
  virtual bool BeforeHeaderRead(std::uint64_t /*position*/) { return true; }
  virtual void PassedOtherVenue() {}
  // The payout table was read; `finalPosition` is the position just past it.
  virtual void PayoutRead(std::uint64_t /*finalPosition*/) {}
};

// NotPublished: the venue's block holds only the notice that its results are registered once
// its last race is over (a file fetched while it was racing, or a day it called off).
enum class ResultSearchEnd { Found, NotFound, Stopped, NotPublished };

struct ResultSearch {
  ResultSearchEnd end = ResultSearchEnd::NotFound;
  VenueResult result;  // filled only when found
  // The block the table was read from (Found, NotPublished), a view of the bytes searched.
  std::optional<ResultBlock> block;
};

// The day of a result file, by the date in its first venue's header (yyyymmdd).
std::optional<int> ResultFileDay(std::string_view fileBytes);

// What the check of every venue of a day asks of its result file, found in one pass over it
// rather than once per venue.
struct ResultFileOutline {
  std::optional<int> day;               // as ResultFileDay gives it
  // The codes of the venues whose result block (a line "NNKBGN") stands more than once, in file
  // order: the search takes one of them, and the user is told the file is damaged.
  std::vector<std::string> duplicates;
  // Where the body starts after the start marker, nullopt inside when the file has none; left
  // empty when the marker could not be looked for.
  std::optional<std::optional<std::uint64_t>> body;
  // Each venue code (the first two bytes of a key line) and the offset of its first key line.
  std::vector<std::pair<std::string, std::size_t>> keys;

  // Where the first key line of `venueCode` starts, if any.
  std::optional<std::size_t> KeyOffset(std::string_view venueCode) const;
};
ResultFileOutline OutlineResultFile(std::string_view fileBytes);

// Finds the result block of `venueCode` (two digits) in a whole result file read into memory
// and reads its payout table. `venuesBefore` is the number of venue blocks before the venue's
// block in the race program file; the search skips ahead by it. When the skipping search misses the key
// (blocks shorter than it assumes), the body is searched once more from its start. A file
// without a start marker, or without the venue's key, is NotFound. Nothing past the block's end
// line (or the next venue's key) is read as this venue's. Errors are read failures.
Outcome<ResultSearch> FindVenueResultIn(std::string_view fileBytes, std::string_view venueCode,
                                        int venuesBefore, ResultSearchObserver& observer);

// The same, the venue's key line read where `outline` (of these bytes) found it rather than
// searched for byte by byte; a venue the outline found no single key line of is searched as above.
Outcome<ResultSearch> FindVenueResultIn(std::string_view fileBytes, std::string_view venueCode,
                                        int venuesBefore, ResultSearchObserver& observer,
                                        const ResultFileOutline& outline);

}  // namespace wakorin
