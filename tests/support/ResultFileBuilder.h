#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/Cp932.h"
#include "tests/support/ProgramFileBuilder.h"

namespace wakorin::testsupport {

// Builders for the race result file (K*.TXT). Fields are raw bytes, padded on the right with
// ASCII blanks; a longer value throws std::invalid_argument.

// One race's row of the payout table. An empty (all-blank) combination means no result.
struct ResultRowSpec {
  std::string trifecta;     // 5, e.g. "1-4-2"
  std::string trifectaPay;  // 8, yen right-aligned: see Payout
  std::string trio;         // 5, ascending
  std::string trioPay;      // 8
  std::string exacta;       // 3, e.g. "1-4"
  std::string exactaPay;    // 8
  std::string quinella;     // 3, ascending
  std::string quinellaPay;  // 8
  bool cancelled = false;   // the race was not run: the row reads "nR  中　止" (21 bytes)
  // A dead heat: each further winning combination on a row of its own, without a race label.
  std::vector<ResultRowSpec> deadHeat = {};
};

// One boat of a race's finishing table.
struct FinisherSpec {
  std::string place = "01";                     // 2
  std::string lane = "1";                       // 1
  std::string racerNo = "3915";                 // 4
  std::string name = Sjis("吉　田　　　　光");  // 16
  std::string motor = "29";                     // 2
  std::string boat = "76";                      // 2
  std::string exhibition = "6.85";              // 4, exhibition time
  std::string course = "1";                     // 1, course taken
  std::string startTiming = " 0.15";            // 5, "F0.01" for a flying start
  std::string raceTime = "1.50.3";              // 6, " .  . " when not timed
};

// The finishing table and win/place payouts of one race, written after the payout table.
struct RaceDetailSpec {
  std::string rname = Sjis("予選　　　　");      // 12
  std::string distance = "H1800m";               // 6
  std::string weather = Sjis("晴　");            // 4
  std::string windDirection = Sjis("北西　");    // 6
  std::string windSpeed = " 3m";                 // 3
  std::string wave = "2cm";                      // 3
  std::string winningMove = Sjis("逃げ　　　");  // 10
  std::array<FinisherSpec, 6> finishers;
  std::string winLane = "1";           // 1
  std::string winPay = "     150";     // 8
  std::string placeLane1 = "1";        // 1
  std::string placePay1 = "     110";  // 8
  std::string placeLane2 = "2";        // 1
  std::string placePay2 = "     190";  // 8
};

struct ResultBlockSpec {
  std::string code = "01";  // 2
  std::string venueName;    // 6; empty: the name belonging to `code`
  std::string meetingName = CentredMeetingName(Sjis("新緑カップ競走"));  // 60
  std::string count = Sjis("第 3日");                                    // 6, day of meeting
  std::string date = "2006/ 4/15";                                       // 10
  std::vector<ResultRowSpec> rows;      // written as 12 rows; missing rows are blank rows
  std::vector<RaceDetailSpec> details;  // race 1 first; at most 12
  bool blankAt408 = true;  // false: one byte less of header, a non-blank at 408, table at 410
  // Today's layout: a 414-byte header ending in the payout heading, and only the rows given
  // (a cancelled race's short row, dead-heat rows) before the blank lines.
  bool current = false;
  std::size_t length = 10600;  // whole block, end line included
};

inline constexpr std::size_t kPayoutRowStride = 77;
inline constexpr std::size_t kPayoutTableSize = 926;
inline constexpr std::size_t kResultEndLineSize = 8;

// Block offset of the payout table: 411, or 410 when byte 408 is not a blank.
constexpr std::size_t PayoutTableOffset(bool blankAt408) {
  return blankAt408 ? 411 : 410;
}
inline constexpr std::size_t kCurrentPayoutTableOffset = 414;

// Smallest block `length` accepted: header, payout table and end line.
constexpr std::size_t MinimumResultBlockLength(bool blankAt408) {
  return PayoutTableOffset(blankAt408) + kPayoutTableSize + kResultEndLineSize;
}

// Yen right-aligned in 8 columns; throws std::invalid_argument for a negative amount or one of
// more than 8 digits.
std::string Payout(long yen);

// The 75-byte payout row of race `race` (no CR LF); race 0 gives a dead-heat row without a
// label. A cancelled race gives its 21-byte row.
std::string BuildResultRow(const ResultRowSpec& row, int race);

// "不成立", for a bet that was void: place it in the combination and blank the payout.
std::string VoidBet();

// Exactly `plan.length` bytes: code + "KBGN", header, payout table, race details, blank padding
// lines and code + "KEND" CR LF. Throws std::invalid_argument when more than 12 rows or details
// are given, when they do not fit in `length`, or when `length` leaves a single spare byte and
// there is no detail line to lengthen by it.
std::string BuildResultBlock(const ResultBlockSpec& plan);

// The block of a venue whose results are not in yet (the file was fetched while it was racing):
// its key, its venue line, the notice "データは、この場の全レース終了後に登録されます。" and its
// end line.
std::string BuildPendingResultBlock(const std::string& code);

// before + "STARTK" CR LF + the blocks + after.
std::string BuildResultFile(const std::vector<ResultBlockSpec>& blocks,
                            std::string_view before = "", std::string_view after = "FINALK\r\n");

}  // namespace wakorin::testsupport
