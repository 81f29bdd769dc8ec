#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

#include "base/FileNames.h"
#include "predict/RacerStats.h"
#include "tests/Archives.h"
#include "tests/TempFiles.h"
#include "tests/support/StatsFileBuilder.h"
#include "tests/support/FileRoads.h"

namespace wakorin {
namespace {

using testsupport::ReadRacerStats;

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

const std::string kGoodFile = BuildStatsRecord(Record("4001", 1));

// kGoodFile packed as an archive, as the official site packs its period files; empty when that
// cannot be done here.
std::string PackedGoodFile() {
  testing::TempDir dir;
  dir.Write("fan.txt", kGoodFile);
  if (!testing::Pack(dir.path(), "fan.lzh", {"fan.txt"})) return {};
  return testing::ReadAll(dir.path() / "fan.lzh");
}

TEST_F(RacerStatsTest, FindsTheFileWhateverTheCaseOfItsName) {
  EXPECT_FALSE(FindStatsFileIn(dir.path().string()));
  dir.Write("FAN0510.TXT", kGoodFile);
  EXPECT_EQ(FindStatsFileIn(dir.path().string()), dir.PathOf("FAN0510.TXT"));
  dir.Write("Fan0510.txt", kGoodFile);
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
  const std::string archive = PackedGoodFile();
  if (archive.empty()) GTEST_SKIP() << "jlha is not installed";
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
    auto bytes = [&](const std::string& name) {
      return SameIgnoringCase(name.substr(name.size() - 4), ".lzh") ? archive : kGoodFile;
    };
    for (const std::string& name : c.beside) dir.Write("day/" + name, bytes(name));
    for (const std::string& name : c.working) dir.Write("work/" + name, bytes(name));
    const auto found = FindStatsFile(dir.PathOf("day/" + c.program), dir.PathOf("work"));
    EXPECT_EQ(found.value_or(""), c.found.empty() ? "" : dir.PathOf(c.found))
        << c.program << " " << (c.beside.empty() ? "" : c.beside.front());
  }
}

// A file under a statistics file's name is taken only when its bytes are one; one that is not
// (or cannot be read) is passed over for the next candidate and named with why.
TEST(StatsFileOfTheDay, FilesThatAreNoStatisticsArePassedOverAndNamed) {
  struct Case {
    std::string name, bytes;
    std::optional<Error::Kind> kind;  // nullopt: taken
    int code = 0;
  };
  const std::string html = "\xef\xbb\xbf  <!DOCTYPE html><html><body>login</body></html>";
  // A copy with LF line ends reads as its CR LF original.
  std::string lf = kGoodFile.substr(0, 410) + "\n" + kGoodFile.substr(0, 410) + "\n";
  const Case cases[] = {
      {"Fan0510.txt", html, Error::Kind::NotStats, static_cast<int>(StatsFault::Html)},
      {"FAN0510.TXT", "", Error::Kind::NotStats, static_cast<int>(StatsFault::Empty)},
      {"Fan0510.txt", kGoodFile.substr(0, 300), Error::Kind::NotStats,
       static_cast<int>(StatsFault::Empty)},
      {"Fan0510.txt", std::string(412 * 3, 'x'), Error::Kind::NotStats,
       static_cast<int>(StatsFault::NotRecords)},
      {"Fan0510.txt", kGoodFile + kGoodFile.substr(0, 410) + "xx", Error::Kind::NotStats,
       static_cast<int>(StatsFault::NotRecords)},
      {"fan2411.lzh", html, Error::Kind::Archive, static_cast<int>(ArchiveFault::NotArchive)},
      {"Fan0510.txt", kGoodFile + "\x1a", std::nullopt},  // a trailing part-record is let pass
      {"Fan0510.txt", lf, std::nullopt},
  };
  for (const Case& c : cases) {
    testing::TempDir dir;
    dir.Write(c.name, c.bytes);
    dir.Write("fan2404.lzh", "noise, never reached when the period file of October is good");
    dir.Write("fan2410.txt", kGoodFile);
    const StatsSearch search = SearchStatsFileIn(dir.path().string(), 202411);
    ASSERT_TRUE(search.path) << c.name;
    if (!c.kind) {
      EXPECT_EQ(*search.path, dir.PathOf(c.name));
      EXPECT_TRUE(search.refused.empty()) << c.name;
      continue;
    }
    EXPECT_EQ(*search.path, dir.PathOf("fan2410.txt")) << c.name;
    ASSERT_EQ(search.refused.size(), 1u) << c.name;
    EXPECT_EQ(search.refused[0].kind, *c.kind) << c.name;
    EXPECT_EQ(search.refused[0].code, c.code) << c.name;
    EXPECT_EQ(search.refused[0].text, dir.PathOf(c.name));
  }
}

// None usable: every file passed over is named, and every place looked at, in the order of the
// search (beside the day, then the working folder).
TEST(StatsFileOfTheDay, NoneUsableNamesWhereItLooked) {
  testing::TempDir dir;
  std::filesystem::create_directories(dir.path() / "day");
  std::filesystem::create_directories(dir.path() / "work");
  dir.Write("day/Fan0510.txt", "<html><head><title>Error</title></head></html>");
  dir.Write("work/fan2310.txt", "");
  const StatsSearch search = SearchStatsFile(dir.PathOf("day/B240215.TXT"), dir.PathOf("work"));
  EXPECT_FALSE(search.path);
  ASSERT_EQ(search.refused.size(), 2u);
  EXPECT_EQ(search.refused[0].text, dir.PathOf("day/Fan0510.txt"));
  EXPECT_EQ(search.refused[1].text, dir.PathOf("work/fan2310.txt"));
  EXPECT_EQ(search.lookedFor,
            (std::vector<std::string>{dir.PathOf("day/Fan0510.txt"), dir.PathOf("day/fan2310.txt"),
                                      dir.PathOf("day/fan2310.lzh"), dir.PathOf("work/Fan0510.txt"),
                                      dir.PathOf("work/fan2310.txt"),
                                      dir.PathOf("work/fan2310.lzh")}));
  // The same folder twice is looked at once; a day without a date names the period's pattern.
  EXPECT_EQ(SearchStatsFile(dir.PathOf("work/day.lzh"), dir.PathOf("work")).lookedFor,
            (std::vector<std::string>{dir.PathOf("work/Fan0510.txt"),
                                      dir.PathOf("work/fanYYMM.txt"),
                                      dir.PathOf("work/fanYYMM.lzh")}));
  for (const auto& [month, period] :
       {std::pair{202403, 202310}, {202404, 202404}, {202409, 202404}, {202410, 202410}}) {
    EXPECT_EQ(StatsPeriodOf(month), period) << month;
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
