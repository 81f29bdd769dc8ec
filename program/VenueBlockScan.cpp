#include "program/VenueBlockScan.h"

#include <functional>
#include <optional>

#include "base/ByteField.h"
#include "base/ByteFile.h"
#include "base/DayDate.h"
#include "base/ReadWindow.h"
#include "base/StartMarker.h"

namespace wakorin {
namespace {

constexpr std::string_view kStartLine = "STARTB";
using program_layout::kBlockBufferSize;
using program_layout::kBoatRaceHeaderShift;
using program_layout::kEndLineOffset;
using program_layout::kEndLineSize;
using program_layout::kPlaceholderSearch;
using program_layout::kRaceRecordSize;

// What one pass of the block loop sees.
struct BlockSeen {
  std::string_view bytes;  // as delivered: a whole buffer, or a block of today's layout
  int raceCount = 0;
  BlockLayout layout = BlockLayout::KyoteijoVenueLine;
  bool placeholder = false;
  std::uint64_t offset = 0;
};

// Returning true stops the walk.
using BlockVisitor = std::function<bool(const BlockSeen& seen)>;

// The block's own end line (its code, "BEND") starting at `offset`, on a line of its own.
bool EndLineAt(std::string_view bytes, std::size_t offset) {
  return offset >= 2 && StartsWith(bytes, offset - 2, "\r\n") &&
         StartsWith(bytes, offset, bytes.substr(0, 2)) && StartsWith(bytes, offset + 2, "BEND");
}

// A block that the classic reading takes for 11 races but whose end line says otherwise: one of
// today's layout, or a placeholder. Returns its length, race count and kind; nullopt keeps the
// classic reading, so classic files never leave the classic path.
std::optional<BlockSeen> CurrentLayout(std::string_view bytes) {
  if (EndLineAt(bytes, kEndLineOffset - kRaceRecordSize)) return std::nullopt;  // classic 11
  for (int races : {12, 11}) {
    const std::size_t end =
        kEndLineOffset + kBoatRaceHeaderShift - kRaceRecordSize * static_cast<std::size_t>(12 - races);
    if (EndLineAt(bytes, end)) {
      return BlockSeen{bytes.substr(0, end + kEndLineSize), races, BlockLayout::BoatRaceVenueLine, false};
    }
  }
  const std::size_t end = bytes.substr(0, kPlaceholderSearch).find("BEND");
  if (end != std::string_view::npos && EndLineAt(bytes, end - 2)) {
    return BlockSeen{bytes.substr(0, end - 2 + kEndLineSize), 0, BlockLayout::BoatRaceVenueLine, true};
  }
  return std::nullopt;
}

// Returns whether the start line was found. Blocks are served from a window of the file held in
// memory, so that stepping back over the race an 11-race block lacks costs no system call.
Outcome<bool> WalkBlocks(ByteFile& file, const BlockVisitor& visit) {
  auto start = FindStartMarker(file, kStartLine);
  if (!start) return start.error();
  if (!start->has_value()) return false;

  ReadWindow window(file);
  std::uint64_t p = **start;
  while (true) {
    // Three bytes more than a classic buffer, so that today's 12-race end line is seen whole.
    auto read = window.At(p, kBlockBufferSize + kBoatRaceHeaderShift);
    if (!read) return read.error();
    const std::string_view delivered = read->substr(0, kBlockBufferSize);
    // Both marks must lie wholly within the bytes delivered.
    const bool isBlock = StartsWith(delivered, 2, "BBGN");
    const bool twelveRaces = StartsWith(delivered, kEndLineOffset + 2, "BEND");
    if (isBlock && !twelveRaces) {
      if (std::optional<BlockSeen> current = CurrentLayout(*read)) {
        current->offset = p;
        if (visit(*current)) return true;
        p += current->bytes.size();
        if (p >= file.Size()) return true;
        continue;
      }
    }
    if (visit(BlockSeen{delivered, twelveRaces ? 12 : 11, BlockLayout::KyoteijoVenueLine, false, p})) {
      return true;
    }
    if (p + delivered.size() >= file.Size()) return true;
    p += kBlockBufferSize;
    if (isBlock && twelveRaces) continue;
    p -= kRaceRecordSize;
  }
}

Outcome<VenueIndex> Index(ByteFile& file) {
  VenueIndex index;
  auto walked = WalkBlocks(file, [&](const BlockSeen& seen) {
    if (StartsWith(seen.bytes, 2, "BBGN")) {
      index.blocks.push_back({std::string(seen.bytes.substr(0, 2)), seen.raceCount, seen.layout,
                              seen.placeholder, seen.offset, seen.bytes.size()});
    }
    return false;
  });
  if (!walked) return walked.error();
  index.startFound = *walked;
  return index;
}

}  // namespace

Outcome<VenueIndex> IndexVenueBlocksIn(std::string_view fileBytes) {
  ByteFile file;
  file.OpenBytes(fileBytes);
  return Index(file);
}

std::optional<int> ProgramFileDay(std::string_view fileBytes) {
  return FindFileDay(fileBytes, "STARTB");
}

}  // namespace wakorin
