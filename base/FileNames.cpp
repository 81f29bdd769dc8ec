#include "base/FileNames.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace wakorin {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

std::optional<std::string> FindFileIgnoringCase(const std::string& folder, std::string_view name) {
  namespace fs = std::filesystem;
  const fs::path where = folder.empty() ? fs::path(".") : fs::path(folder);
  const fs::path exact = where / fs::path(std::string(name));
  std::error_code error;
  if (fs::is_regular_file(exact, error)) return exact.string();
  std::vector<std::string> matches;
  for (const auto& entry : fs::directory_iterator(where, error)) {
    if (SameIgnoringCase(entry.path().filename().string(), name) &&
        entry.is_regular_file(error)) {
      matches.push_back(entry.path().string());
    }
  }
  if (matches.empty()) return std::nullopt;
  std::sort(matches.begin(), matches.end());
  return matches.front();
}

namespace {

std::string Lower(std::string_view name) {
  std::string lower(name);
  for (char& c : lower) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  return lower;
}

}  // namespace

FolderNames::FolderNames(const std::string& folder) : folder_(folder.empty() ? "." : folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder_, error)) {
    if (!entry.is_regular_file(error)) continue;
    byLowerName_[Lower(entry.path().filename().string())].push_back(entry.path().string());
  }
  for (auto& [name, paths] : byLowerName_) std::sort(paths.begin(), paths.end());
}

std::optional<std::string> FolderNames::FindIgnoringCase(std::string_view name) const {
  const auto found = byLowerName_.find(Lower(name));
  if (found == byLowerName_.end()) return std::nullopt;
  // The exact name first, as FindFileIgnoringCase prefers it.
  for (const std::string& path : found->second) {
    const std::size_t slash = path.rfind('/');
    if (std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1) == name) {
      return path;
    }
  }
  return found->second.front();
}

}  // namespace wakorin
