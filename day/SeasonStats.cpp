#include "day/SeasonStats.h"

#include <filesystem>
#include <system_error>

#include "predict/RacerStats.h"

namespace fs = std::filesystem;

namespace wakorin {

namespace {

std::string ProgramPathOf(const DayCopies& day) {
  return day.programs.empty() ? std::string() : day.programs.front();
}

std::string FolderOf(const std::string& file) {
  const std::string folder = fs::path(file).parent_path().string();
  return folder.empty() ? "." : folder;
}

}  // namespace

SeasonStats::SeasonStats(std::optional<std::string> given, std::string workingFolder)
    : given_(std::move(given)), working_(std::move(workingFolder)) {}

void SeasonStats::Prepare(const std::vector<DayCopies>& days) {
  std::map<std::string, StatsFolder> folders;
  auto folder = [&](const std::string& path) -> const StatsFolder& {
    auto found = folders.find(path);
    if (found == folders.end()) found = folders.emplace(path, StatsFolder(path)).first;
    return found->second;
  };
  // Each file is loaded once; one that fails (no statistics file by its bytes, or unreadable)
  // is passed over for the next candidate, and named if the day finds none.
  auto load = [&](const std::string& path) {
    if (tables_.count(path) != 0 || broken_.count(path) != 0) return;
    auto table = RacerStatsTable::Load(path);
    if (table) {
      tables_.emplace(path, std::make_shared<const RacerStatsTable>(std::move(*table)));
    } else {
      broken_.emplace(path, table.error());
    }
  };
  for (const DayCopies& day : days) {
    const std::string file = ProgramPathOf(day);
    if (given_) {
      statsOf_[file] = *given_;
      load(*given_);
      continue;
    }
    const std::optional<int> month = day.date / 100;
    Missing& missing = missing_[file];
    std::vector<std::string> where{FolderOf(file)};
    std::error_code error;
    if (!fs::equivalent(where.front(), working_, error)) where.push_back(working_);
    for (const std::string& in : where) {
      const auto names = StatsFileNamesIn(in, month);
      missing.lookedFor.insert(missing.lookedFor.end(), names.begin(), names.end());
      for (const std::string& path : folder(in).Candidates(month)) {
        load(path);
        if (tables_.count(path) == 0) {
          missing.refused.push_back(path);
          continue;
        }
        statsOf_[file] = path;
        break;
      }
      if (statsOf_.count(file) != 0) break;
    }
    if (statsOf_.count(file) != 0) {
      for (const std::string& refused : missing.refused) passedOver_.insert(refused);
      missing_.erase(file);
    }
  }
}

SeasonStats::ForDay SeasonStats::For(const DayCopies& day) const {
  ForDay found;
  const std::string file = ProgramPathOf(day);
  const auto path = statsOf_.find(file);
  if (path == statsOf_.end()) {
    if (const auto missing = missing_.find(file); missing != missing_.end()) {
      for (const std::string& refused : missing->second.refused) {
        found.refused.emplace_back(refused, broken_.at(refused));
      }
      found.lookedFor = missing->second.lookedFor;
    }
    return found;
  }
  if (const auto table = tables_.find(path->second); table != tables_.end()) {
    found.table = table->second;
    return found;
  }
  found.named = true;
  found.refused.emplace_back(path->second, broken_.at(path->second));
  return found;
}

std::vector<std::pair<std::string, Error>> SeasonStats::PassedOver() const {
  std::vector<std::pair<std::string, Error>> passed;
  for (const std::string& path : passedOver_) passed.emplace_back(path, broken_.at(path));
  return passed;
}

std::vector<std::pair<std::string, std::size_t>> SeasonStats::Tables() const {
  std::vector<std::pair<std::string, std::size_t>> read;
  for (const auto& [path, table] : tables_) read.emplace_back(path, table->RecordCount());
  return read;
}

}  // namespace wakorin
