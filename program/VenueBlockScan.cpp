#include "program/VenueBlockScan.h"

#include <functional>

#include "base/ByteField.h"
#include "base/ByteFile.h"
#include "base/ReadWindow.h"
#include "base/StartMarker.h"

namespace wakorin {
namespace {

constexpr std::string_view kStartLine = "STARTB";
constexpr std::size_t kEndLineOffset = 10964;  // where a 12-race block's end line starts

// One pass of the block loop sees the delivered bytes; returning true stops the walk.
using BlockVisitor = std::function<bool(std::string_view delivered, int raceCount)>;

// Returns whether the start line was found. Blocks are served from a window of the file held in
// memory, so that stepping back over the race an 11-race block lacks costs no system call.
Outcome<bool> WalkBlocks(const std::string& path, const BlockVisitor& visit) {
  ByteFile file;
  if (auto error = file.Open(path)) return *error;
  auto start = FindStartMarker(file, kStartLine);
  if (!start) return start.error();
  if (!start->has_value()) return false;

  ReadWindow window(file);
  std::uint64_t p = **start;
  while (true) {
    auto delivered = window.At(p, kVenueBlockBufferSize);
    if (!delivered) return delivered.error();
    // Both marks must lie wholly within the bytes delivered.
    const bool isBlock = StartsWith(*delivered, 2, "BBGN");
    const bool twelveRaces = StartsWith(*delivered, kEndLineOffset + 2, "BEND");
    if (visit(*delivered, twelveRaces ? 12 : 11)) return true;
    if (p + delivered->size() >= file.Size()) return true;
    p += kVenueBlockBufferSize;
    if (isBlock && twelveRaces) continue;
    p -= kRaceRecordSize;
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
