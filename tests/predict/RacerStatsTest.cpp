#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "predict/RacerStats.h"
#include "tests/TempFiles.h"
#include "tests/support/StatsFileBuilder.h"

namespace wakorin {
namespace {

using testsupport::BuildStatsRecord;
using testsupport::StatsRecordSpec;

StatsRecordSpec Record(const std::string& racerNo, int base) {
  StatsRecordSpec plan;
  plan.racerNo = racerNo;
  for (int n = 0; n < 6; ++n) {
    auto& course = plan.courses[static_cast<std::size_t>(n)];
    course.entryCount = std::to_string(1000 + base + n).substr(1);  // "010"
    course.courseRate = std::to_string(1000 + base * 10 + n);
    course.startTiming = std::to_string(1010 + n).substr(1);
  }
  return plan;
}

const std::array<std::string, 6> kLanes{"4001", "4002", "4003", "4004", "4005", "4006"};

class RacerStatsTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& bytes) { return dir.Write("Fan0510.txt", bytes); }
  testing::TempDir dir;
};

TEST_F(RacerStatsTest, FindsTheFileWhateverTheCaseOfItsName) {
  EXPECT_FALSE(FindStatsFileIn(dir.path().string()));
  dir.Write("FAN0510.TXT", "");
  EXPECT_EQ(FindStatsFileIn(dir.path().string()), dir.PathOf("FAN0510.TXT"));
  dir.Write("Fan0510.txt", "");
  EXPECT_EQ(FindStatsFileIn(dir.path().string()), dir.PathOf("Fan0510.txt"));
  EXPECT_FALSE(FindStatsFileIn(dir.PathOf("no such folder")));
}

// The statistics file of a day: Fan0510.txt, else the latest period begun by the day's month;
// beside the race program file, else in the working folder.
TEST(StatsFileOfTheDay, PeriodAndFolderChosen) {
  struct Case {
    std::vector<std::string> beside, working;
    std::string program;
    std::string found;  // "day/NAME", "work/NAME" or empty for none
  };
  const std::vector<std::string> season{"fan2304.txt", "fan2310.txt", "fan2404.lzh"};
  const Case cases[] = {
      {season, {}, "b241115.lzh", "day/fan2404.lzh"},
      {season, {}, "B240401.TXT", "day/fan2404.lzh"},  // usable from its month on
      {season, {}, "B240331.TXT", "day/fan2310.txt"},
      {season, {}, "b230930.txt", "day/fan2304.txt"},
      {season, {}, "b230331.txt", ""},
      {season, {}, "day.lzh", "day/fan2404.lzh"},  // no date: the latest period
      {season, {}, "b241315.lzh", "day/fan2404.lzh"},
      {{"FAN0510.TXT", "fan2404.lzh"}, {}, "b241115.lzh", "day/FAN0510.TXT"},
      {{"fan2404.lzh", "FAN2404.TXT"}, {}, "b241115.lzh", "day/FAN2404.TXT"},
      {{"fan2304.txt"}, {"Fan0510.txt", "fan2404.txt"}, "b241115.lzh", "day/fan2304.txt"},
      {{"fan2504.txt"}, {"fan2404.lzh", "fan2310.txt"}, "b241115.lzh", "work/fan2404.lzh"},
      {{}, {"fan0510.txt"}, "B060415.TXT", "work/fan0510.txt"},
      {{"fan24041.txt", "fan2413.txt", "fan2404.zip", "xfan2404.txt"}, {}, "b241115.lzh", ""},
      {{"fan9904.txt", "fan0004.txt"}, {}, "b991115.txt", "day/fan9904.txt"},
  };
  for (const Case& c : cases) {
    testing::TempDir dir;
    std::filesystem::create_directories(dir.path() / "day");
    std::filesystem::create_directories(dir.path() / "work");
    for (const std::string& name : c.beside) dir.Write("day/" + name, "");
    for (const std::string& name : c.working) dir.Write("work/" + name, "");
    const auto found = FindStatsFile(dir.PathOf("day/" + c.program), dir.PathOf("work"));
    EXPECT_EQ(found.value_or(""), c.found.empty() ? "" : dir.PathOf(c.found))
        << c.program << " " << (c.beside.empty() ? "" : c.beside.front());
  }
}

TEST_F(RacerStatsTest, EveryLaneOnEveryRecordAndTheLastMatchWins) {
  std::string file;
  file += BuildStatsRecord(Record("4003", 10));
  file += BuildStatsRecord(Record("9999", 20));
  file += BuildStatsRecord(Record("4001", 30));
  file += BuildStatsRecord(Record("4003", 40));  // later record of the same racer
  auto lanes = ReadRacerStats(Write(file), {"4001", "4003", "4003", "4004", "", "400"});
  ASSERT_TRUE(lanes.ok());
  EXPECT_TRUE((*lanes)[0].Found);
  EXPECT_EQ((*lanes)[0].Course(1).EntryCount, 30);
  EXPECT_EQ((*lanes)[0].Course(6).CourseRate, 1305);
  EXPECT_EQ((*lanes)[0].Course(3).StartTiming, 12);
  EXPECT_EQ((*lanes)[1].Course(2).EntryCount, 41);  // the later record, on both lanes
  EXPECT_EQ((*lanes)[2].Course(2).EntryCount, 41);
  for (std::size_t lane : {3u, 4u, 5u}) {
    EXPECT_FALSE((*lanes)[lane].Found);
    EXPECT_EQ((*lanes)[lane].Course(1).EntryCount, 0);
    EXPECT_EQ((*lanes)[lane].Course(1).CourseRate, 0);
    EXPECT_EQ((*lanes)[lane].Course(6).StartTiming, kMissingStartTiming);
  }
}

TEST_F(RacerStatsTest, PartRecordsAreIgnored) {
  const std::string whole = BuildStatsRecord(Record("4001", 1));
  for (const std::string& bytes : {std::string(), whole.substr(0, 411)}) {
    auto lanes = ReadRacerStats(Write(bytes), kLanes);
    ASSERT_TRUE(lanes.ok());
    EXPECT_FALSE((*lanes)[0].Found);
  }
  // A trailing part-record that would match is not read.
  auto lanes =
      ReadRacerStats(Write(BuildStatsRecord(Record("4002", 2)) + whole.substr(0, 300)), kLanes);
  ASSERT_TRUE(lanes.ok());
  EXPECT_TRUE((*lanes)[1].Found);
  EXPECT_FALSE((*lanes)[0].Found);
}

TEST_F(RacerStatsTest, OnlyMatchingRecordsAreConverted) {
  StatsRecordSpec broken = Record("4001", 1);
  broken.courses[2].entryCount = "   ";
  StatsRecordSpec garbage = Record("5555", 1);
  garbage.courses[0].courseRate = "ab c";
  const std::string path = Write(BuildStatsRecord(garbage) + BuildStatsRecord(broken));
  auto failed = ReadRacerStats(path, kLanes);
  ASSERT_FALSE(failed.ok());
  EXPECT_EQ(failed.error().kind, Error::Kind::NotInteger);
  EXPECT_EQ(failed.error().text, "   ");
  EXPECT_TRUE(ReadRacerStats(path, {"4002", "", "", "", "", ""}).ok());
}

TEST_F(RacerStatsTest, KeysAreComparedByteForByteAndSignsConvert) {
  StatsRecordSpec blankFirst = Record(" 123", 2);
  blankFirst.courses[0].entryCount = "-01";
  StatsRecordSpec plain = Record("0123", 3);
  auto lanes = ReadRacerStats(Write(BuildStatsRecord(blankFirst) + BuildStatsRecord(plain)),
                              {" 123", "0123", "123", "", "", ""});
  ASSERT_TRUE(lanes.ok());
  EXPECT_EQ((*lanes)[0].Course(1).EntryCount, -1);
  EXPECT_EQ((*lanes)[1].Course(1).EntryCount, 3);
  EXPECT_FALSE((*lanes)[2].Found);
  EXPECT_FALSE(ReadRacerStats(dir.path().string(), kLanes).ok());  // a folder: I/O error
}

}  // namespace
}  // namespace wakorin

namespace wakorin {
namespace {

// Today's 418-byte records: the same fields, six more bytes before the CR LF.
std::string Todays(const std::string& classic) {
  std::string record = classic;
  record.insert(410, "123456");
  return record;
}

TEST(RacerStatsToday, RecordsOf418BytesGiveTheSameFigures) {
  testing::TempDir dir;
  std::string classic, today;
  for (int i = 0; i < 300; ++i) {  // more than one read's worth
    const std::string record = BuildStatsRecord(Record(std::to_string(4000 + i), i % 40));
    classic += record;
    today += Todays(record);
  }
  const std::array<std::string, 6> lanes{"4001", "4123", "4299", "4256", "9999", "4000"};
  auto before = ReadRacerStats(dir.Write("classic.txt", classic), lanes);
  auto after = ReadRacerStats(dir.Write("Fan0510.txt", today + "\x1a"), lanes);
  ASSERT_TRUE(before.ok() && after.ok());
  for (std::size_t lane = 0; lane < 6; ++lane) {
    EXPECT_EQ((*after)[lane].Found, (*before)[lane].Found);
    for (int course = 1; course <= 6; ++course) {
      EXPECT_EQ((*after)[lane].Course(course).CourseRate,
                (*before)[lane].Course(course).CourseRate);
      EXPECT_EQ((*after)[lane].Course(course).EntryCount,
                (*before)[lane].Course(course).EntryCount);
    }
  }
  EXPECT_EQ(StatsRecordSize(classic), 412u);
  EXPECT_EQ(StatsRecordSize(today), 418u);
  EXPECT_EQ(StatsRecordSize(""), 412u);
}

}  // namespace
}  // namespace wakorin
