#include <gtest/gtest.h>

#include <random>

#include "predict/RacerStatsTable.h"
#include "tests/TempFiles.h"
#include "tests/support/StatsFileBuilder.h"
#include "tests/support/FileRoads.h"

namespace wakorin {
namespace {

using testsupport::ReadRacerStats;

// Same figures, or the same failure text, as reading the file for the six numbers.
void ExpectSame(const Outcome<LaneStats>& table, const Outcome<LaneStats>& file) {
  ASSERT_EQ(table.ok(), file.ok());
  if (!file.ok()) {
    EXPECT_EQ(table.error().text, file.error().text);
    return;
  }
  for (std::size_t lane = 0; lane < 6; ++lane) {
    EXPECT_EQ((*table)[lane].Found, (*file)[lane].Found);
    for (int course = 1; course <= 6; ++course) {
      const TCourseStats& a = (*table)[lane].Course(course);
      const TCourseStats& b = (*file)[lane].Course(course);
      EXPECT_EQ(std::tie(a.EntryCount, a.CourseRate, a.StartTiming),
                std::tie(b.EntryCount, b.CourseRate, b.StartTiming));
    }
  }
}

TEST(RacerStatsTable, LooksUpExactlyWhatReadingTheFileGives) {
  std::mt19937 random(2024);
  testing::TempDir dir;
  for (int round = 0; round < 40; ++round) {
    std::string file;
    std::vector<std::string> numbers{" 123", "123", "", "99999"};
    for (int i = 0; i < 60; ++i) {
      // Few distinct numbers, so that racers repeat; some records broken.
      const std::string number = std::to_string(4000 + random() % 30);
      numbers.push_back(number);
      testsupport::StatsRecordSpec plan = testsupport::StatsFor(number, static_cast<unsigned>(i));
      if (random() % 9 == 0) plan.courses[random() % 6].courseRate = random() % 2 ? "    " : "12x4";
      std::string record = testsupport::BuildStatsRecord(plan);
      if (random() % 15 == 0) record[2] = '\0';     // a key cut short by a NUL
      if (round % 2) record.insert(410, "000000");  // today's 418-byte records
      file += record;
    }
    file += std::string(random() % 400, 'x');  // a trailing part-record
    const std::string path = dir.Write("Fan0510.txt", file);
    const RacerStatsTable table = RacerStatsTable::FromBytes(file);
    for (int race = 0; race < 30; ++race) {
      std::array<std::string, 6> lanes;
      for (auto& lane : lanes) lane = numbers[random() % numbers.size()];
      if (race == 0) lanes[0] = std::string("40", 2) + std::string(1, '\0');
      ExpectSame(table.Lookup(lanes), ReadRacerStats(path, lanes));
    }
  }
}

TEST(RacerStatsTable, LoadReportsAMissingFile) {
  testing::TempDir dir;
  EXPECT_FALSE(RacerStatsTable::Load(dir.PathOf("Fan0510.txt")).ok());
  EXPECT_EQ(RacerStatsTable::FromBytes("").RecordCount(), 0u);
}

}  // namespace
}  // namespace wakorin
