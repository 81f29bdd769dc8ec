#include "predict/RacerStats.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <vector>

#include "base/ByteField.h"
#include "base/ByteFile.h"
#include "base/Decimal.h"
#include "base/FileNames.h"

namespace wakorin {
namespace {

constexpr std::string_view kStatsFileName = "Fan0510.txt";

}  // namespace

Outcome<TRacerStats> ConvertStatsRecord(std::string_view record) {
  TRacerStats stats;
  stats.Found = true;
  for (std::size_t n = 0; n < 6; ++n) {
    namespace sl = stats_layout;
    const std::size_t base = sl::kCourseFirst + sl::kCourseStep * n;
    auto count = ParseDecimal(CutField(record, base, sl::kEntryCountWidth));
    if (!count) return count.error();
    auto rate = ParseDecimal(CutField(record, base + sl::kRateOffset, sl::kRateWidth));
    if (!rate) return rate.error();
    auto timing = ParseDecimal(CutField(record, base + sl::kTimingOffset, sl::kTimingWidth));
    if (!timing) return timing.error();
    stats.Courses[n] = {*count, *rate, *timing};
  }
  return stats;
}

namespace {

// A racer number as a record's 4-byte key field would hold it, so that each record is tested
// against a lane with one word comparison: the number's bytes, then the NUL the field is cut at
// when the number is shorter; bytes past that do not count. A number that no key can equal
// (longer than the field, or holding a NUL) matches nothing.
class KeyPattern {
 public:
  explicit KeyPattern(std::string_view number) {
    if (number.size() > 4 || number.find('\0') != std::string_view::npos) return;
    std::array<unsigned char, 4> bytes{}, care{};
    for (std::size_t i = 0; i < number.size(); ++i) {
      bytes[i] = static_cast<unsigned char>(number[i]);
      care[i] = 0xFF;
    }
    if (number.size() < 4) care[number.size()] = 0xFF;  // the NUL that ends a short key
    std::memcpy(&value_, bytes.data(), 4);
    std::memcpy(&mask_, care.data(), 4);
  }

  bool Matches(const char* keyField) const {
    std::uint32_t word;
    std::memcpy(&word, keyField, 4);
    return (word & mask_) == value_;
  }

 private:
  std::uint32_t value_ = 1;  // with a zero mask: never equal
  std::uint32_t mask_ = 0;
};

}  // namespace

namespace {

// Two decimal digits at `at`, or -1.
int TwoDigits(std::string_view text, std::size_t at) {
  if (at + 2 > text.size()) return -1;
  const char a = text[at], b = text[at + 1];
  if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
  return (a - '0') * 10 + (b - '0');
}

// The month of "YYMM" at `at`, or nullopt.
std::optional<int> MonthAt(std::string_view text, std::size_t at) {
  const int year = TwoDigits(text, at), month = TwoDigits(text, at + 2);
  if (year < 0 || month < 1 || month > 12) return std::nullopt;
  return (year >= 70 ? 1900 + year : 2000 + year) * 100 + month;
}

// The period of a period file's name ("fan2404.txt", "FAN2404.LZH"), or nullopt.
std::optional<int> PeriodOf(std::string_view name, bool& archive) {
  if (name.size() != 11 || !SameIgnoringCase(name.substr(0, 3), "fan")) return std::nullopt;
  const std::string_view extension = name.substr(7);
  archive = SameIgnoringCase(extension, ".lzh");
  if (!archive && !SameIgnoringCase(extension, ".txt")) return std::nullopt;
  return MonthAt(name, 3);
}

}  // namespace

std::optional<int> ProgramFileMonth(std::string_view programPath) {
  const std::size_t slash = programPath.rfind('/');
  const std::string_view name = programPath.substr(slash == std::string_view::npos ? 0 : slash + 1);
  std::size_t dot = std::string_view::npos;
  for (std::size_t at = 0; at + 4 <= name.size() && dot == std::string_view::npos; ++at) {
    const std::string_view extension = name.substr(at, 4);
    if (SameIgnoringCase(extension, ".txt") || SameIgnoringCase(extension, ".lzh")) dot = at;
  }
  if (dot == std::string_view::npos || dot < 7) return std::nullopt;
  const std::string_view day = name.substr(dot - 7, 7);
  const int date = TwoDigits(day, 5);
  if ((day[0] != 'B' && day[0] != 'b') || date < 1 || date > 31) return std::nullopt;
  return MonthAt(day, 1);
}

StatsFolder::StatsFolder(const std::string& folder) {
  namespace fs = std::filesystem;
  const fs::path where = folder.empty() ? fs::path(".") : fs::path(folder);
  std::error_code error;
  std::vector<std::string> fixed;
  for (const auto& entry : fs::directory_iterator(where, error)) {
    const std::string name = entry.path().filename().string();
    bool archive = false;
    const std::optional<int> period = PeriodOf(name, archive);
    const bool isFixed = SameIgnoringCase(name, kStatsFileName);
    if ((!period && !isFixed) || !entry.is_regular_file(error)) continue;
    if (isFixed) {
      fixed.push_back(entry.path().string());
    } else {
      periods_.push_back({*period, archive, entry.path().string()});
    }
  }
  // The exact name first, else the first in byte order: every run makes the same choice.
  std::sort(fixed.begin(), fixed.end(), [](const std::string& a, const std::string& b) {
    const bool exactA = fs::path(a).filename() == kStatsFileName;
    const bool exactB = fs::path(b).filename() == kStatsFileName;
    return exactA != exactB ? exactA : a < b;
  });
  if (!fixed.empty()) fixed_ = fixed.front();
  std::sort(periods_.begin(), periods_.end(), [](const Period& a, const Period& b) {
    if (a.period != b.period) return a.period > b.period;
    if (a.archive != b.archive) return !a.archive;
    return a.path < b.path;
  });
}

std::optional<std::string> StatsFolder::For(std::optional<int> month) const {
  if (fixed_) return fixed_;
  for (const Period& candidate : periods_) {
    if (!month || candidate.period <= *month) return candidate.path;
  }
  return std::nullopt;
}

std::optional<std::string> FindStatsFileIn(const std::string& folder, std::optional<int> month) {
  return StatsFolder(folder).For(month);
}

std::optional<std::string> FindStatsFile(const std::string& programPath,
                                         const std::string& workingFolder) {
  const std::optional<int> month = ProgramFileMonth(programPath);
  const std::string beside = std::filesystem::path(programPath).parent_path().string();
  if (auto found = FindStatsFileIn(beside.empty() ? "." : beside, month)) return found;
  return FindStatsFileIn(workingFolder, month);
}

std::vector<int> MissingLanes(const LaneStats& stats) {
  std::vector<int> lanes;
  for (std::size_t i = 0; i < stats.size(); ++i) {
    if (!stats[i].Found) lanes.push_back(static_cast<int>(i) + 1);
  }
  return lanes;
}

std::size_t StatsRecordSize(std::string_view firstBytes) {
  using stats_layout::kLongRecordSize;
  using stats_layout::kShortRecordSize;
  const bool shortRecords = StartsWith(firstBytes, kShortRecordSize - 2, "\r\n");
  const bool longRecords = StartsWith(firstBytes, kLongRecordSize - 2, "\r\n");
  return !shortRecords && longRecords ? kLongRecordSize : kShortRecordSize;
}

Outcome<LaneStats> ReadRacerStats(const std::string& path,
                                  const std::array<std::string, 6>& racerNumbers) {
  LaneStats lanes{};
  for (TRacerStats& lane : lanes) {
    for (TCourseStats& course : lane.Courses) course.StartTiming = kMissingStartTiming;
  }
  ByteFile file;
  if (auto error = file.Open(path)) return *error;
  // Whole records are taken from large reads; what is left at the end is a part-record.
  constexpr std::size_t kRecordsPerRead = 256;
  std::vector<char> chunk(stats_layout::kLongRecordSize * kRecordsPerRead);
  std::size_t recordSize = 0;
  const std::array<KeyPattern, 6> keys{KeyPattern(racerNumbers[0]), KeyPattern(racerNumbers[1]),
                                       KeyPattern(racerNumbers[2]), KeyPattern(racerNumbers[3]),
                                       KeyPattern(racerNumbers[4]), KeyPattern(racerNumbers[5])};
  while (true) {
    auto got = file.Read(chunk.data(), chunk.size());
    if (!got) return got.error();
    if (recordSize == 0) {
      // The first read was sized for the longer record; with the shorter one, what lies past
      // whole reads of it is read again next time round.
      recordSize = StatsRecordSize(std::string_view(chunk.data(), *got));
      const std::size_t wanted = recordSize * kRecordsPerRead;
      if (*got > wanted) {
        if (auto error = file.Seek(wanted)) return *error;
        *got = wanted;
      }
      chunk.resize(wanted);
    }
    for (std::size_t at = 0; at + recordSize <= *got; at += recordSize) {
      const std::string_view record(chunk.data() + at, stats_layout::kFieldsRead);
      for (std::size_t lane = 0; lane < 6; ++lane) {
        if (!keys[lane].Matches(record.data())) continue;
        auto stats = ConvertStatsRecord(record);
        if (!stats) return stats.error();
        lanes[lane] = *stats;
      }
    }
    if (*got < chunk.size()) return lanes;
  }
}

}  // namespace wakorin
