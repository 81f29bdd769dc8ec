// A day's files that do not belong together, or a file holding a venue twice, must not be scored
// as if they were sound.
#include <gtest/gtest.h>

#include <algorithm>

#include "predict/RacerStatsTable.h"
#include "day/DayCheck.h"
#include "day/OpenDay.h"
#include "program/VenueBlockScan.h"
#include "results/FinishTable.h"
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
  EXPECT_EQ(day.problems[0].kind, DayProblem::Kind::OtherDay);
}

TEST_F(DayFilesTogether, AVenueTwiceIsReportedAndCountedOnce) {
  const DayCheck sound = CheckDay(program, results, stats);
  ASSERT_EQ(sound.venues.size(), 6u);
  struct Case {
    std::string program, results;
    DayProblem problem;
  };
  const Case cases[] = {
      {WithBlockTwice(program, "16", 'B'), results, {DayProblem::Kind::ProgramVenueTwice, "16", 0}},
      {program, WithBlockTwice(results, "01", 'K'), {DayProblem::Kind::ResultVenueTwice, "01", 0}},
  };
  for (const Case& c : cases) {
    const DayCheck day = CheckDay(c.program, c.results, stats);
    const std::string what = c.problem.venue;
    EXPECT_EQ(day.venues.size(), 6u) << what;
    for (BetType bet : kBetTypes) {
      EXPECT_EQ(day.tally[bet].races, sound.tally[bet].races) << what;
      EXPECT_EQ(day.tally[bet].payout, sound.tally[bet].payout) << what;
    }
    EXPECT_NE(std::find(day.problems.begin(), day.problems.end(), c.problem), day.problems.end()) << what;
  }
}

// The outline found in one pass must tell every venue what searching the whole file told it:
// the date, the repeated venues, and the finishing tables from the first key at a line's start
// (not a key standing inside a line, not the second copy of a repeated block).
TEST_F(DayFilesTogether, TheOutlineTellsEachVenueWhatTheWholeFileDoes) {
  std::string keyInsideALine = results;
  keyInsideALine.insert(keyInsideALine.find("\r\n") + 2, "  01KBGN inside a line\r\n");
  std::string secondCopyDiffers = WithBlockTwice(results, "01", 'K');
  const std::size_t copy = secondCopyDiffers.find("01KBGN", secondCopyDiffers.find("01KBGN") + 1);
  const std::size_t row = secondCopyDiffers.find("  01  1 ", copy);
  ASSERT_LT(row, secondCopyDiffers.find("01KEND", copy));
  secondCopyDiffers.replace(row, 8, "  F   1 ");
  struct Case {
    std::string name, bytes;
    std::vector<std::string> duplicates;
  };
  const Case cases[] = {
      {"sound", results, {}},
      {"venue 01 twice", WithBlockTwice(results, "01", 'K'), {"01"}},
      {"second copy with a void start", secondCopyDiffers, {"01"}},
      {"venues 16 and 10 twice", WithBlockTwice(WithBlockTwice(results, "16", 'K'), "10", 'K'), {"10", "16"}},
      {"a key inside a line", keyInsideALine, {}},
      {"no venue", "STARTK\r\nFINALK\r\n", {}},
      {"empty", "", {}},
  };
  auto same = [](const std::vector<RaceFinish>& a, const std::vector<RaceFinish>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t r = 0; r < a.size(); ++r) {
      if (a[r].race != b[r].race || a[r].boats.size() != b[r].boats.size()) return false;
      for (std::size_t i = 0; i < a[r].boats.size(); ++i) {
        const Finisher &x = a[r].boats[i], &y = b[r].boats[i];
        if (x.lane != y.lane || x.racerNo != y.racerNo || x.place != y.place || x.start != y.start)
          return false;
      }
    }
    return true;
  };
  for (const Case& c : cases) {
    const ResultFileOutline outline = OutlineResultFile(c.bytes);
    EXPECT_EQ(outline.day, ResultFileDay(c.bytes)) << c.name;
    EXPECT_EQ(outline.duplicates, c.duplicates) << c.name;
    for (int n = 1; n <= 24; ++n) {
      const std::string code = (n < 10 ? "0" : "") + std::to_string(n);
      const std::optional<std::size_t> key = outline.KeyOffset(code);
      const std::vector<RaceFinish> fromOutline =
          key ? ReadFinishTables(std::string_view(c.bytes).substr(*key), code) : std::vector<RaceFinish>();
      const std::vector<RaceFinish> whole = ReadFinishTables(c.bytes, code);
      EXPECT_TRUE(same(fromOutline, whole)) << c.name << ", venue " << code;
    }
  }
  // And the day checked through the outline scores as each venue checked on its own does.
  auto open = OpenDay::FromBytes({}, std::make_shared<const std::string>(program));
  ASSERT_TRUE(open);
  Predictor predictor;
  predictor.stats = std::make_shared<const RacerStatsTable>(stats);
  for (const Case& c : cases) {
    const DayCheck day = CheckDay(*open, c.bytes, predictor);
    if (c.bytes.empty()) continue;
    ResultSearchObserver quiet;
    ASSERT_EQ(day.venues.size(), open->Venues().size()) << c.name;
    for (std::size_t i = 0; i < open->Venues().size(); ++i) {
      auto alone = open->CheckVenue(i, quiet, predictor, std::string_view(c.bytes));
      ASSERT_TRUE(alone) << c.name;
      EXPECT_EQ(alone->duplicateInResults, day.venues[i].duplicateInResults) << c.name;
      EXPECT_EQ(alone->resultFound, day.venues[i].resultFound) << c.name;
      for (BetType bet : kBetTypes) {
        EXPECT_EQ(alone->tally[bet].hits, day.venues[i].tally[bet].hits) << c.name;
        EXPECT_EQ(alone->tally[bet].payout, day.venues[i].tally[bet].payout) << c.name;
        EXPECT_EQ(alone->tally[bet].refund, day.venues[i].tally[bet].refund) << c.name;
      }
    }
  }
}

}  // namespace
}  // namespace wakorin
