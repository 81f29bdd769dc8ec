#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Error.h"
#include "program/ProgramFileLayout.h"

namespace wakorin {


struct VenueIndexEntry {
  std::string code;   // block bytes 0..1
  int raceCount = 0;  // 12 when the block's end line stands where a 12-race block ends, else 11
  BlockLayout layout = BlockLayout::KyoteijoVenueLine;
  // Today's stand-in for a venue whose data is not yet published: no races at all.
  bool placeholder = false;
  // Where the block's bytes stand in the file: a whole buffer for a block of the
  // classic layout (fewer at the end of the file), the block itself for one of today's.
  std::uint64_t offset = 0;
  std::size_t length = 0;
};

struct VenueIndex {
  bool startFound = false;              // a "STARTB" line at an 8-byte boundary
  std::vector<VenueIndexEntry> blocks;  // in file order
};

// The bytes read from the start of a located block (fewer than a full buffer for the last
// block of a file), with its race count.
struct VenueBlock {
  std::string bytes;
  int raceCount = 0;
  BlockLayout layout = BlockLayout::KyoteijoVenueLine;
};

// Walks a whole race program file read into memory: start line in 8-byte steps, then blocks
// back to back.
Outcome<VenueIndex> IndexVenueBlocksIn(std::string_view fileBytes);

// The day of a race program file, by the date in its first venue's header (yyyymmdd).
std::optional<int> ProgramFileDay(std::string_view fileBytes);

}  // namespace wakorin
