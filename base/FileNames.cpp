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

}  // namespace wakorin
