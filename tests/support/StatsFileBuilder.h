#pragma once

#include <array>
#include <string>

#include "tests/support/Cp932.h"

namespace wakorin::testsupport {

// Builder for one record of the racer statistics file (Fan0510.txt). Fields are raw bytes,
// padded on the right with ASCII blanks; a longer value throws std::invalid_argument.

struct CourseFields {
  std::string entryCount = "015";   // 3, times the racer took the course
  std::string courseRate = "0333";  // 4, rate in the course
  std::string startTiming = "015";  // 3, hundredths of a second
  std::string wins = "002";         // 3, wins from the course
};

struct StatsRecordSpec {
  std::string racerNo = "3915";                 // 4, at 0
  std::string name = Sjis("吉　田　　　　光");  // 16, at 4
  std::string kana = Sjis("ﾖｼﾀﾞ ﾋｶﾙ");          // 15, at 20, half-width
  std::string home = Sjis("佐賀");              // 4, at 35
  std::string clas = "B1";                      // 2, at 39
  // 41, at 41: era and birth date, sex, age, height, weight, blood type, win rate, 2-place
  // rate, firsts, seconds, starts, finals, final wins, average start timing.
  // S 401105 | 1 | 41 | 165 | 51 | "A " | 0519 | 0361 | 012 | 010 | 085 | 00 | 00 | 016
  std::string profile = "S40110514116551A 051903610120100850000016";
  std::array<CourseFields, 6> courses;  // at 82 + 13 × (course − 1)
  // 250, at 160: class history, period, places by course, birthplace.
  std::string tail = DefaultStatsTail();

  static std::string DefaultStatsTail();
};

inline constexpr std::size_t kStatsRecordSize = 412;

// Offset of course `course` (1..6) within a record.
constexpr std::size_t CourseOffset(int course) {
  return 82 + 13 * (course - 1);
}

// Exactly 412 bytes: 410 bytes of fields and CR LF.
std::string BuildStatsRecord(const StatsRecordSpec& plan);

// A plausible record for `racerNo`: a made-up racer with figures that fit the racer's class
// and habits. Deterministic for a given seed.
StatsRecordSpec StatsFor(std::string racerNo, unsigned seed);

}  // namespace wakorin::testsupport
