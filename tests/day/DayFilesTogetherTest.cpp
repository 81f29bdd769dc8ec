// A day's files that do not belong together, or a file holding a venue twice, must not be scored
// as if they were sound.
#include <gtest/gtest.h>

#include "predict/RacerStatsTable.h"
#include "day/DayCheck.h"
#include "program/VenueBlockScan.h"
#include "results/ResultFile.h"
#include "tests/TempFiles.h"

namespace wakorin {
namespace {

const std::string kSamples = WAKORIN_SAMPLES_DIR;
using testing::ReadAll;

// The file with the block of `code` (its lines from "NN?BGN" to "NN?END") written twice.
std::string WithBlockTwice(const std::string& file, const std::string& code, char kind) {
  const std::string begin = code + kind + "BGN", end = code + kind + "END\r\n";
  const std::size_t from = file.find(begin), to = file.find(end) + end.size();
  std::string twice = file;
  twice.insert(to, file.substr(from, to - from));
  return twice;
}

class DayFilesTogether : public ::testing::Test {
 protected:
  std::string program = ReadAll(kSamples + "/B060415.TXT");
  std::string results = ReadAll(kSamples + "/K060415.TXT");
  RacerStatsTable stats = RacerStatsTable::FromBytes(ReadAll(kSamples + "/Fan0510.txt"));
};

TEST_F(DayFilesTogether, DaysAreToldByTheDatesInside) {
  EXPECT_EQ(ProgramFileDay(program), 20060415);
  EXPECT_EQ(ResultFileDay(results), 20060415);
  // Another day's results: nothing scored, both days named.
  std::string otherResults = results;
  const std::size_t date = otherResults.find("2006/ 4/15");
  ASSERT_NE(date, std::string::npos);
  otherResults.replace(date, 10, "2024/11/15");
  const DayCheck day = CheckDay(program, otherResults, stats);
  ASSERT_TRUE(day.otherDay.has_value());
  EXPECT_EQ(*day.otherDay, std::make_pair(20060415, 20241115));
  EXPECT_TRUE(day.venues.empty());
  EXPECT_EQ(day.tally[BetType::Exacta].races, 0);
  ASSERT_EQ(day.problems.size(), 1u);
  EXPECT_NE(day.problems[0].find("2006-04-15"), std::string::npos);
  EXPECT_NE(day.problems[0].find("2024-11-15"), std::string::npos);
}

TEST_F(DayFilesTogether, AVenueTwiceIsReportedAndCountedOnce) {
  const DayCheck sound = CheckDay(program, results, stats);
  ASSERT_EQ(sound.venues.size(), 6u);
  struct Case {
    std::string program, results, problem;
  };
  const Case cases[] = {
      {WithBlockTwice(program, "16", 'B'), results, "venue 16 stands more than once"},
      {program, WithBlockTwice(results, "01", 'K'), "holds venue 01 more than once"},
  };
  for (const Case& c : cases) {
    const DayCheck day = CheckDay(c.program, c.results, stats);
    EXPECT_EQ(day.venues.size(), 6u) << c.problem;
    for (BetType bet : kBetTypes) {
      EXPECT_EQ(day.tally[bet].races, sound.tally[bet].races) << c.problem;
      EXPECT_EQ(day.tally[bet].payout, sound.tally[bet].payout) << c.problem;
    }
    bool reported = false;
    for (const std::string& problem : day.problems) reported |= problem.find(c.problem) != std::string::npos;
    EXPECT_TRUE(reported) << c.problem;
  }
}

}  // namespace
}  // namespace wakorin
