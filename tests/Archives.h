#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace wakorin::testing {

// Whether archives can be made here: jlha, a test-only tool, was found when the build was set up.
inline bool CanPack() {
  return !std::string(WAKORIN_JLHA).empty();
}

// Packs the files `names` of `folder` into the LHA archive `folder/archive`, as the official
// site packs its files; false when that failed.
// `mode` is jlha's command: "aq" packs quietly with level-2 headers, "a0" with level-0 ones.
inline bool Pack(const std::filesystem::path& folder, const std::string& archive,
                 const std::vector<std::string>& names, const std::string& mode = "aq") {
  auto quoted = [](const std::string& text) { return "'" + text + "'"; };
  std::string command = "cd " + quoted(folder.string()) + " && " + quoted(WAKORIN_JLHA) + " " +
                        mode + " " + quoted(archive);
  for (const std::string& name : names) command += " " + quoted(name);
  command += " >/dev/null 2>&1";
  return CanPack() && std::system(command.c_str()) == 0 &&
         std::filesystem::exists(folder / archive);
}

}  // namespace wakorin::testing
