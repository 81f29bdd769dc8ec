#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Error.h"

namespace wakorin {

inline constexpr std::size_t kVenueBlockBufferSize = 10972;  // a 12-race block
inline constexpr std::size_t kRaceRecordSize = 885;

struct VenueIndexEntry {
  std::string code;   // block bytes 0..1
  int raceCount = 0;  // 12 when the block's end line stands where a 12-race block ends, else 11
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
};

// Walks the race program file: start line in 8-byte steps, then blocks back to back.
Outcome<VenueIndex> IndexVenueBlocks(const std::string& path);

// The first block whose bytes 0..5 are `code` + "BBGN"; nullopt when there is none.
Outcome<std::optional<VenueBlock>> LocateVenueBlock(const std::string& path, std::string_view code);

}  // namespace wakorin
