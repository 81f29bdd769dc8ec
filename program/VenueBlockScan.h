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
  // Where the block's bytes stand in the file: the same bytes LocateVenueBlock delivers.
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

// Walks the race program file: start line in 8-byte steps, then blocks back to back.
Outcome<VenueIndex> IndexVenueBlocks(const std::string& path);
// The same over a whole file already read into memory.
Outcome<VenueIndex> IndexVenueBlocksIn(std::string_view fileBytes);

// The day of a race program file, by the date in its first venue's header (yyyymmdd).
std::optional<int> ProgramFileDay(std::string_view fileBytes);

// The first block whose bytes 0..5 are `code` + "BBGN"; nullopt when there is none.
Outcome<std::optional<VenueBlock>> LocateVenueBlock(const std::string& path, std::string_view code);

}  // namespace wakorin
