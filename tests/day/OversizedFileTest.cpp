// A file far larger than any official file of its kind (here sparse: no disk is used) is refused
// by name before it is read, by every reader of every kind, and nothing aborts.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "base/ByteFile.h"
#include "day/OpenDay.h"
#include "day/SeasonLearning.h"
#include "predict/RacerStats.h"
#include "predict/RacerStatsTable.h"
#include "tests/TempFiles.h"

namespace wakorin {
namespace {

namespace fs = std::filesystem;
const fs::path kSamples = WAKORIN_SAMPLES_DIR;
constexpr std::uintmax_t kHuge = std::uintmax_t{100} << 30;

std::string Sparse(const testing::TempDir& dir, const std::string& name, std::uintmax_t size) {
  const std::string path = dir.Write(name, "");
  fs::resize_file(path, size);
  return path;
}

void ExpectTooLarge(const std::optional<Error>& error, const std::string& path,
                    const std::string& what) {
  ASSERT_TRUE(error) << what;
  EXPECT_EQ(error->kind, Error::Kind::TooLarge) << what;
  EXPECT_EQ(error->text, path) << what;
  EXPECT_EQ(static_cast<std::uint64_t>(error->code) << 20, kMaxReadSize) << what;
}

template <typename T>
std::optional<Error> ErrorOf(const Outcome<T>& outcome) {
  if (outcome) return std::nullopt;
  return outcome.error();
}

TEST(OversizedFile, EveryReaderRefusesItByName) {
  struct Case {
    const char* name;
    std::function<std::optional<Error>(const std::string& path)> read;
  };
  const Case cases[] = {
      {"B240401.TXT", [](const std::string& p) { return ErrorOf(ByteFile::ReadWhole(p)); }},
      {"b240401.lzh", [](const std::string& p) { return ErrorOf(ByteFile::ReadWhole(p)); }},
      {"K240401.TXT", [](const std::string& p) { ByteFile f; return f.Open(p); }},
      {"B240401.TXT", [](const std::string& p) { return ErrorOf(OpenDay::Open(p)); }},
      {"Fan0510.txt", [](const std::string& p) { return ErrorOf(RacerStatsTable::Load(p)); }},
      {"fan2404.lzh", [](const std::string& p) { return ErrorOf(RacerStatsTable::Load(p)); }},
      {"Fan0510.txt", [](const std::string& p) { return CheckStatsFile(p); }},
  };
  for (const Case& c : cases) {
    testing::TempDir dir;
    const std::string path = Sparse(dir, c.name, kHuge);
    ExpectTooLarge(c.read(path), path, c.name);
  }
}

TEST(OversizedFile, TheLimitItselfIsTaken) {
  testing::TempDir dir;
  ByteFile file;
  EXPECT_FALSE(file.Open(Sparse(dir, "B240401.TXT", kMaxReadSize)));
  EXPECT_EQ(file.Size(), kMaxReadSize);
  const std::string over = Sparse(dir, "B240402.TXT", kMaxReadSize + 1);
  ExpectTooLarge(file.Open(over), over, "one byte over");
}

// Beside a day: a huge statistics file is passed over for the period file, a huge result file
// ends the venue's check with its error, a huge day in a season is named and skipped.
TEST(OversizedFile, ADayGoesOnWithoutIt) {
  testing::TempDir dir;
  fs::copy_file(kSamples / "B060415.TXT", dir.path() / "B060415.TXT");
  fs::copy_file(kSamples / "Fan0510.txt", dir.path() / "fan0604.txt");
  const std::string stats = Sparse(dir, "Fan0510.txt", kHuge);
  const std::string results = Sparse(dir, "K060415.TXT", kHuge);
  auto day = OpenDay::Open(dir.PathOf("B060415.TXT"));
  ASSERT_TRUE(day.ok());
  ASSERT_FALSE(day->Venues().empty());

  auto forecast = day->Forecast(0, 1, Predictor{}, dir.path().string());
  ASSERT_TRUE(forecast.ok());
  EXPECT_EQ(forecast->statsFile, dir.PathOf("fan0604.txt"));
  const StatsSearch search = SearchStatsFileIn(dir.path().string(), 200604);
  ASSERT_EQ(search.refused.size(), 1u);
  ExpectTooLarge(search.refused[0], stats, "statistics beside the day");

  ResultSearchObserver quiet;
  auto check = day->CheckVenue(0, quiet, Predictor{}, std::nullopt, dir.path().string());
  ExpectTooLarge(ErrorOf(check), results, "result file");

  const std::string huge = Sparse(dir, "B060416.TXT", kHuge);
  const SeasonRaces season =
      ReadSeason({DayCopies{20060416, {huge}, {}}}, [](int) { return SeasonPart::Learn; }, {});
  ASSERT_EQ(season.troubles.size(), 1u);
  ASSERT_EQ(season.troubles[0].refused.size(), 1u);
  EXPECT_EQ(season.troubles[0].refused[0].path, huge);
  ExpectTooLarge(season.troubles[0].refused[0].error, huge, "a day to learn from");
}

}  // namespace
}  // namespace wakorin
