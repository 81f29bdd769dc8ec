#pragma once

// The path readers the tests, fuzz targets and benchmarks call, laid on the product's own roads:
// the file read whole through the file layer (an archive unpacked, a missing file or a folder
// failing with the file layer's error), then handed to the readers of bytes in memory.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "base/Error.h"
#include "predict/RacerStats.h"
#include "program/VenueBlockScan.h"
#include "results/ResultFile.h"

namespace wakorin::testsupport {

// IndexVenueBlocksIn over the file at `path`.
Outcome<VenueIndex> IndexVenueBlocks(const std::string& path);

// The first indexed block whose code is `code` (two bytes), cut from the file as the index
// places it; nullopt when there is none.
Outcome<std::optional<VenueBlock>> LocateVenueBlock(const std::string& path, std::string_view code);

// FindVenueResultIn over the file at `path`.
Outcome<ResultSearch> FindVenueResult(const std::string& path, std::string_view venueCode,
                                      int venuesBefore, ResultSearchObserver& observer);

// A second reader of the statistics file, independent of RacerStatsTable, for comparing it
// against: streams every record from the start, testing each lane on each; the last matching
// record wins and only matching records are converted. A trailing part-record is ignored.
Outcome<LaneStats> ReadRacerStats(const std::string& path,
                                  const std::array<std::string, 6>& racerNumbers);

}  // namespace wakorin::testsupport
