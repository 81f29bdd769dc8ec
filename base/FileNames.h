#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wakorin {

// ASCII letters compared without regard to case; every other byte as it is.
bool SameIgnoringCase(std::string_view a, std::string_view b);

// The regular file `name` in `folder`: that exact name when it exists, else a file whose name
// equals it in any letter case (archive tools on Linux extract the official files in lower
// case). The first such name in byte order, so that every run makes the same choice.
std::optional<std::string> FindFileIgnoringCase(const std::string& folder, std::string_view name);

}  // namespace wakorin
