#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace wakorin {

// ASCII letters compared without regard to case; every other byte as it is.
bool SameIgnoringCase(std::string_view a, std::string_view b);

// The regular file `name` in `folder`: that exact name when it exists, else a file whose name
// equals it in any letter case (archive tools on Linux extract the official files in lower
// case). The first such name in byte order, so that every run makes the same choice.
std::optional<std::string> FindFileIgnoringCase(const std::string& folder, std::string_view name);

// The regular files of one folder, listed once, for callers that look up many names in a folder
// of many days: each lookup answers as FindFileIgnoringCase would have when the listing was made.
class FolderNames {
 public:
  explicit FolderNames(const std::string& folder);
  std::optional<std::string> FindIgnoringCase(std::string_view name) const;

 private:
  std::string folder_;
  std::unordered_map<std::string, std::vector<std::string>> byLowerName_;  // sorted paths
};

}  // namespace wakorin
