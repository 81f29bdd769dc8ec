#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "results/ResultBlock.h"

namespace wakorin {

// One boat of a race's finishing table ("  01  1 4346 前　田　　健太郎 69   21  6.93   1    0.11").
struct Finisher {
  int lane = 0;         // 1..6
  std::string racerNo;  // 4 bytes as read
  std::string place;    // the place column as read, trimmed: "01".."06", "F", "L0", "K1", "S2"...
  int placeNo = 0;      // 1..6 for a boat that finished, else 0
  int course = 0;       // course taken, 1..6; 0 when the boat did not start
  double start = 0.0;   // start timing in seconds; negative for a flying start ("F0.01")
  bool timed = false;   // the start timing was read

  // A start declared void (flying, late) or a boat that did not start at all: tickets naming
  // the boat are refunded.
  bool Refunded() const;
};

// The finishing table of one race, in the table's order.
struct RaceFinish {
  int race = 0;
  std::vector<Finisher> boats;

  // The lane that finished `place` (1..6), or 0 when none did (a race not run, a dead heat
  // sharing the place above).
  int LaneAt(int place) const;
};

// The race number of a race's heading in a venue's result block ("   1R", "  12R" in its first
// five bytes), or 0.
int RaceOfHeading(std::string_view line);
// Reads one row of a finishing table; false for a line that is no row.
bool ReadFinisher(std::string_view line, Finisher& boat);
// The venue's block of a result file, after its key line up to its end line (or another venue's
// key); empty when the venue's key stands nowhere at a line's start.
std::string_view VenueResultBlock(std::string_view fileBytes, std::string_view venueCode);

// The finishing tables of a venue's result block (its key `venueCode` + "KBGN", up to its end
// line), one per race heading found, in file order. Lines that do not read as a table row are
// passed over, so a damaged block yields fewer boats, never a bad read.
std::vector<RaceFinish> ReadFinishTables(std::string_view fileBytes, std::string_view venueCode);

// The same tables' rows one at a time, in file order, each handed to `take` with its race; no
// table is built (a season's form is read from some quarter of a million of them).
void ForEachFinisher(std::string_view fileBytes, std::string_view venueCode,
                     const std::function<void(int race, const Finisher&)>& take);

// Of the same tables, the lanes of each race (index race - 1) whose start was void or that did
// not start (Finisher::Refunded), bit n for lane n: what a check needs of them, read without
// building the tables.
std::array<unsigned, 12> RefundedLanes(std::string_view fileBytes, std::string_view venueCode);
// The same of a block already found.
std::array<unsigned, 12> RefundedLanes(const ResultBlock& block);

}  // namespace wakorin
