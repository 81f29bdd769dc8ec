#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "results/DayFileIdentity.h"
#include "tests/TempFiles.h"
#include "tests/support/ProgramFileBuilder.h"
#include "tests/support/ResultFileBuilder.h"
#include "tests/support/StatsFileBuilder.h"

namespace wakorin {
namespace {

namespace fs = std::filesystem;
using namespace testsupport;
using testing::ReadAll;

const fs::path kRealData = WAKORIN_REALDATA_DIR;
const fs::path kSamples = WAKORIN_SAMPLES_DIR;

VenueBlockSpec ProgramVenue(std::string code, std::string ddate,
                            ProgramLayout layout = ProgramLayout::Classic) {
  VenueBlockSpec venue;
  venue.code = std::move(code);
  venue.ddate = Sjis(ddate);
  venue.layout = layout;
  return venue;
}

ResultBlockSpec ResultVenue(std::string code, std::string date, bool current = false) {
  ResultBlockSpec block;
  block.code = std::move(code);
  block.date = std::move(date);
  block.rows = {
      {"1-3-4", Payout(1320), "1-3-4", Payout(760), "1-3", Payout(350), "1-3", Payout(220)}};
  block.current = current;
  return block;
}

std::string Stats(int records) {
  std::string bytes;
  for (int i = 0; i < records; ++i)
    bytes += BuildStatsRecord(StatsFor(std::to_string(4000 + i), i));
  return bytes;
}

struct Case {
  const char* what;
  std::string bytes;
  DayFileKind kind;
  int date;
  std::vector<std::string> venues;
  bool reason = false;  // something about it is wrong although its kind is told
};

TEST(DayFileIdentityTest, ToldByTheBytes) {
  const std::string pendingResults = "STARTK\r\n" +
                                     BuildResultBlock(ResultVenue("03", "2024/11/15")) +
                                     BuildPendingResultBlock("12") + "FINALK\r\n";
  const std::string onlyNotices =
      "STARTK\r\n" + BuildPendingResultBlock("03") + BuildPendingResultBlock("12") + "FINALK\r\n";
  const Case cases[] = {
      {"a classic program file",
       BuildProgramFile({ProgramVenue("01", "２００６年　４月１５日"),
                         ProgramVenue("12", "２００６年　４月１５日")}),
       DayFileKind::Program,
       20060415,
       {"01", "12"}},
      {"a program file of today's layout",
       BuildProgramFile({ProgramVenue("24", "２０２４年　４月　１日", ProgramLayout::Current)}),
       DayFileKind::Program,
       20240401,
       {"24"}},
      {"a placeholder venue",
       [] {
         std::string file = BuildProgramFile(
             {ProgramVenue("05", "２０２４年１１月１５日", ProgramLayout::Current)}, "", "");
         return file + BuildPlaceholderBlock("06") + "FINALB\r\n";
       }(),
       DayFileKind::Program,
       20241115,
       {"05", "06"}},
      {"venues of two days",
       BuildProgramFile({ProgramVenue("01", "２０２４年　４月　１日"),
                         ProgramVenue("02", "２０２４年　４月　２日")}),
       DayFileKind::Program,
       0,
       {"01", "02"},
       true},
      {"a program file without a date",
       BuildProgramFile({ProgramVenue("01", "")}),
       DayFileKind::Program,
       0,
       {"01"},
       true},
      {"a program file without venues", "STARTB\r\nFINALB\r\n", DayFileKind::Program, 0, {}, true},
      {"a result file",
       BuildResultFile({ResultVenue("10", "2006/ 4/15"), ResultVenue("11", "2006/ 4/15")}),
       DayFileKind::Result,
       20060415,
       {"10", "11"}},
      {"a result file of today's layout",
       BuildResultFile({ResultVenue("24", "2024/ 4/ 1", true)}),
       DayFileKind::Result,
       20240401,
       {"24"}},
      {"a venue still racing", pendingResults, DayFileKind::Result, 20241115, {"03"}},
      {"only notices", onlyNotices, DayFileKind::Result, 0, {}},
      {"results of two days",
       BuildResultFile({ResultVenue("10", "2006/ 4/15"), ResultVenue("11", "2006/ 4/16")}),
       DayFileKind::Result,
       0,
       {"10", "11"},
       true},
      {"a statistics file", Stats(3), DayFileKind::Stats, 0, {}},
      {"a statistics file with a part-record", Stats(2) + "40", DayFileKind::Stats, 0, {}},
      {"a login page",
       "<!DOCTYPE html>\n<html><head><title>Login</title></head><body>ログイン</body></html>\n",
       DayFileKind::Html,
       0,
       {}},
      {"a page without a doctype",
       "\xef\xbb\xbf  <HTML><BODY>503</BODY></HTML>",
       DayFileKind::Html,
       0,
       {}},
      {"an archive", ReadAll(kRealData / "k191005.lzh").substr(0, 200), DayFileKind::Other, 0, {}},
      {"nothing", "", DayFileKind::Other, 0, {}},
      {"noise", std::string(5000, 'x'), DayFileKind::Other, 0, {}},
      {"records that do not end in CR LF", Stats(2).substr(1), DayFileKind::Other, 0, {}},
  };
  for (const Case& c : cases) {
    const DayFileIdentity identity = IdentifyDayFile(c.bytes);
    EXPECT_EQ(identity.kind, c.kind) << c.what;
    EXPECT_EQ(identity.date, c.date) << c.what;
    EXPECT_EQ(identity.venues, c.venues) << c.what;
    EXPECT_EQ(identity.flaw != DayFileFlaw::None, c.reason)
        << c.what << ": " << static_cast<int>(identity.flaw);
  }
}

TEST(DayFileIdentityTest, OfficialFilesOfBothEras) {
  if (!fs::exists(kRealData / "B240401.TXT")) GTEST_SKIP() << "no real data beside the project";
  struct Real {
    fs::path path;
    DayFileKind kind;
    int date;
    std::size_t venues;
  };
  const Real files[] = {
      {kSamples / "B060415.TXT", DayFileKind::Program, 20060415, 0},
      {kSamples / "K060415.TXT", DayFileKind::Result, 20060415, 0},
      {kSamples / "Fan0510.txt", DayFileKind::Stats, 0, 0},
      {kRealData / "B240401.TXT", DayFileKind::Program, 20240401, 11},
      {kRealData / "K240401.TXT", DayFileKind::Result, 20240401, 11},
      {kRealData / "B240116.TXT", DayFileKind::Program, 20240116, 0},
      {kRealData / "K240116.TXT", DayFileKind::Result, 20240116, 12},
      {kRealData / "B240710.TXT", DayFileKind::Program, 20240710, 0},
      {kRealData / "K240710.TXT", DayFileKind::Result, 20240710, 13},
      {kRealData / "fan1904.txt", DayFileKind::Stats, 0, 0},
  };
  for (const Real& file : files) {
    const DayFileIdentity identity = IdentifyDayFile(ReadAll(file.path));
    EXPECT_EQ(identity.kind, file.kind) << file.path;
    EXPECT_EQ(identity.date, file.date) << file.path;
    EXPECT_EQ(identity.flaw, DayFileFlaw::None) << file.path;
    if (file.venues > 0) {
      EXPECT_EQ(identity.venues.size(), file.venues) << file.path;
    }
  }
}

TEST(DayFileIdentityTest, MismatchesAreValues) {
  using Kind = DayFileMismatch::Kind;
  const DayFileIdentity program{DayFileKind::Program, 20240401, {"01"}, {}};
  const DayFileIdentity results{DayFileKind::Result, 20241115, {"01"}, {}};
  const DayFileIdentity notices{DayFileKind::Result, 0, {}, {}};
  const DayFileIdentity undated{DayFileKind::Result, 0, {"01"}, {}};
  const DayFileIdentity stats{DayFileKind::Stats, 0, {}, {}};
  const DayFileIdentity page{DayFileKind::Html, 0, {}, {}};
  const DayFileIdentity twoDays{DayFileKind::Program, 0, {"01", "02"}, DayFileFlaw::DatesDisagree};
  const DayFileWanted programOf1115{DayFileKind::Program, 20241115};
  const DayFileWanted resultsOf1115{DayFileKind::Result, 20241115};
  const struct {
    const char* what;
    DayFileIdentity found;
    DayFileWanted wanted;
    DayFileMismatch mismatch;
  } cases[] = {
      {"its day", program, {DayFileKind::Program, 20240401}, {Kind::None, DayFileKind::Program}},
      {"results of the day", results, resultsOf1115, {Kind::None, DayFileKind::Result}},
      {"results still racing", notices, resultsOf1115, {Kind::None, DayFileKind::Result}},
      {"statistics", stats, {DayFileKind::Stats, 0}, {Kind::None, DayFileKind::Stats}},
      {"any day", program, {DayFileKind::Program, 0}, {Kind::None, DayFileKind::Program}},
      {"another day", program, programOf1115, {Kind::OtherDay, DayFileKind::Program, 20240401}},
      {"another kind", results, programOf1115, {Kind::OtherKind, DayFileKind::Result, 20241115}},
      {"a page", page, programOf1115, {Kind::Html, DayFileKind::Html}},
      {"venues of two days",
       twoDays,
       programOf1115,
       {Kind::Flawed, DayFileKind::Program, 0, DayFileFlaw::DatesDisagree}},
      {"results without a date", undated, resultsOf1115, {Kind::NoDate, DayFileKind::Result}},
      {"nothing known", {}, {DayFileKind::Stats, 0}, {Kind::NotDataFile, DayFileKind::Other}},
  };
  for (const auto& c : cases) {
    const DayFileMismatch found = FindDayFileMismatch(c.found, c.wanted);
    EXPECT_EQ(found.kind, c.mismatch.kind) << c.what;
    EXPECT_EQ(found.found, c.mismatch.found) << c.what;
    EXPECT_EQ(found.date, c.mismatch.date) << c.what;
    EXPECT_EQ(found.flaw, c.mismatch.flaw) << c.what;
    EXPECT_EQ(static_cast<bool>(found), c.mismatch.kind != Kind::None) << c.what;
  }
}

}  // namespace
}  // namespace wakorin
