#include "program/VenueBlockScan.h"

#include <array>
#include <cstring>
#include <functional>

#include "base/ByteField.h"
#include "base/ByteFile.h"
#include "base/StartMarker.h"

namespace wakorin {
namespace {

constexpr std::string_view kStartLine = "STARTB";
constexpr std::size_t kEndLineOffset = 10964;  // where a 12-race block's end line starts

// One pass of the block loop sees the delivered bytes; returning true stops the walk.
using BlockVisitor = std::function<bool(std::string_view delivered, int raceCount)>;

// Returns whether the start line was found.
Outcome<bool> WalkBlocks(const std::string& path, const BlockVisitor& visit) {
  ByteFile file;
  if (auto error = file.Open(path)) return *error;
  auto start = FindStartMarker(file, kStartLine);
  if (!start) return start.error();
  if (!start->has_value()) return false;

  std::uint64_t p = **start;
  if (auto error = file.Seek(p)) return *error;
  std::array<char, kVenueBlockBufferSize> buffer{};
  while (true) {
    // Markers that a short read would otherwise leave from the previous block.
    std::memcpy(buffer.data(), "XXXXXX", 6);
    std::memcpy(buffer.data() + kEndLineOffset, "XXXXXX", 6);
    auto got = file.Read(buffer.data(), buffer.size());
    if (!got) return got.error();
    p += buffer.size();
    std::string_view all(buffer.data(), buffer.size());
    bool isBlock = all.substr(2, 4) == "BBGN";
    bool twelveRaces = all.substr(kEndLineOffset + 2, 4) == "BEND";
    if (visit(std::string_view(buffer.data(), *got), twelveRaces ? 12 : 11)) return true;
    if (file.Eof()) return true;
    if (isBlock && twelveRaces) continue;
    p -= kRaceRecordSize;
    if (auto error = file.Seek(p)) return *error;
  }
}

}  // namespace

Outcome<VenueIndex> IndexVenueBlocks(const std::string& path) {
  VenueIndex index;
  auto walked = WalkBlocks(path, [&](std::string_view delivered, int raceCount) {
    if (StartsWith(delivered, 2, "BBGN")) {
      index.blocks.push_back({std::string(delivered.substr(0, 2)), raceCount});
    }
    return false;
  });
  if (!walked) return walked.error();
  index.startFound = *walked;
  return index;
}

Outcome<std::optional<VenueBlock>> LocateVenueBlock(const std::string& path,
                                                    std::string_view code) {
  std::string key = std::string(code) + "BBGN";
  std::optional<VenueBlock> found;
  auto walked = WalkBlocks(path, [&](std::string_view delivered, int raceCount) {
    if (key.size() != 6 || !StartsWith(delivered, 0, key)) return false;
    found = VenueBlock{std::string(delivered), raceCount};
    return true;
  });
  if (!walked) return walked.error();
  return found;
}

}  // namespace wakorin
