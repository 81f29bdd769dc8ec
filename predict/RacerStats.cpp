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
#include "base/HtmlPage.h"

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

std::optional<StatsFault> StatsContentFault(std::string_view bytes) {
  if (LooksLikeHtml(bytes)) return StatsFault::Html;
  const std::size_t size = StatsRecordSize(bytes);
  if (bytes.size() < size) return StatsFault::Empty;
  for (std::size_t at = 0; at + size <= bytes.size(); at += size) {
    if (!StartsWith(bytes, at + size - 2, "\r\n")) return StatsFault::NotRecords;
  }
  return std::nullopt;
}

std::optional<Error> CheckStatsFile(const std::string& path) {
  auto bytes = ByteFile::ReadWhole(path);
  if (!bytes) {
    Error error = bytes.error();
    if (error.text.empty()) error.text = path;
    return error;
  }
  if (auto fault = StatsContentFault(**bytes)) return Error::NotStats(*fault, path);
  return std::nullopt;
}

int StatsPeriodOf(int month) {
  const int year = month / 100, inYear = month % 100;
  if (inYear >= 10) return year * 100 + 10;
  if (inYear >= 4) return year * 100 + 4;
  return (year - 1) * 100 + 10;
}

std::vector<std::string> StatsFileNamesIn(const std::string& folder, std::optional<int> month) {
  namespace fs = std::filesystem;
  std::string period = "fanYYMM";
  if (month) {
    const int p = StatsPeriodOf(*month) % 10000;
    period = "fan" + std::string(1, static_cast<char>('0' + p / 1000)) +
             static_cast<char>('0' + p / 100 % 10) + static_cast<char>('0' + p / 10 % 10) +
             static_cast<char>('0' + p % 10);
  }
  const fs::path where = folder.empty() ? fs::path(".") : fs::path(folder);
  std::vector<std::string> names;
  for (const std::string& name :
       {std::string(kStatsFileName), period + ".txt", period + ".lzh"}) {
    names.push_back((where / name).string());
  }
  return names;
}

StatsFolder::StatsFolder(const std::string& folder) : folder_(folder.empty() ? "." : folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(fs::path(folder_), error)) {
    const std::string name = entry.path().filename().string();
    bool archive = false;
    const std::optional<int> period = PeriodOf(name, archive);
    const bool isFixed = SameIgnoringCase(name, kStatsFileName);
    if ((!period && !isFixed) || !entry.is_regular_file(error)) continue;
    if (isFixed) {
      fixed_.push_back(entry.path().string());
    } else {
      periods_.push_back({*period, archive, entry.path().string()});
    }
  }
  // The exact name first, else byte order: every run makes the same choice.
  std::sort(fixed_.begin(), fixed_.end(), [](const std::string& a, const std::string& b) {
    const bool exactA = fs::path(a).filename() == kStatsFileName;
    const bool exactB = fs::path(b).filename() == kStatsFileName;
    return exactA != exactB ? exactA : a < b;
  });
  std::sort(periods_.begin(), periods_.end(), [](const Period& a, const Period& b) {
    if (a.period != b.period) return a.period > b.period;
    if (a.archive != b.archive) return !a.archive;
    return a.path < b.path;
  });
}

std::vector<std::string> StatsFolder::Candidates(std::optional<int> month) const {
  std::vector<std::string> candidates = fixed_;
  for (const Period& candidate : periods_) {
    if (!month || candidate.period <= *month) candidates.push_back(candidate.path);
  }
  return candidates;
}

std::optional<std::string> StatsFolder::Search(std::optional<int> month,
                                               StatsSearch& search) const {
  const std::vector<std::string> names = StatsFileNamesIn(folder_, month);
  search.lookedFor.insert(search.lookedFor.end(), names.begin(), names.end());
  for (const std::string& candidate : Candidates(month)) {
    if (auto refused = CheckStatsFile(candidate)) {
      search.refused.push_back(std::move(*refused));
      continue;
    }
    return candidate;
  }
  return std::nullopt;
}

StatsSearch SearchStatsFileIn(const std::string& folder, std::optional<int> month) {
  StatsSearch search;
  search.path = StatsFolder(folder).Search(month, search);
  return search;
}

StatsSearch SearchStatsFile(const std::string& programPath, const std::string& workingFolder) {
  namespace fs = std::filesystem;
  const std::optional<int> month = ProgramFileMonth(programPath);
  std::string beside = fs::path(programPath).parent_path().string();
  if (beside.empty()) beside = ".";
  StatsSearch search;
  search.path = StatsFolder(beside).Search(month, search);
  std::error_code error;
  const std::string working = workingFolder.empty() ? "." : workingFolder;
  if (!search.path && !fs::equivalent(beside, working, error)) {
    search.path = StatsFolder(working).Search(month, search);
  }
  return search;
}

std::optional<std::string> FindStatsFileIn(const std::string& folder, std::optional<int> month) {
  return SearchStatsFileIn(folder, month).path;
}

std::optional<std::string> FindStatsFile(const std::string& programPath,
                                         const std::string& workingFolder) {
  return SearchStatsFile(programPath, workingFolder).path;
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

}  // namespace wakorin
