#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "base/Error.h"
#include "base/ShortKeyHash.h"
#include "predict/RacerStats.h"

namespace wakorin {

// The racer statistics file read once and kept in memory, for checking many races in a row.
// Every lookup gives exactly what a plain read of the file record by record gives for the same
// six numbers (the tests keep such a reader as a second opinion): the last record of a racer
// wins, a racer not in the file gets the missing-racer figures, and a matching record that does
// not convert fails with its text (the earliest such in the file).
class RacerStatsTable {
 public:
  // Fails with the file layer's error, or Error::Kind::NotStats when the bytes are no
  // statistics file (StatsContentFault).
  static Outcome<RacerStatsTable> Load(const std::string& path);
  static RacerStatsTable FromBytes(std::string bytes);

  Outcome<LaneStats> Lookup(const std::array<std::string, 6>& racerNumbers) const;
  std::size_t RecordCount() const { return recordCount_; }

 private:
  struct Key {
    std::size_t last = 0;                    // the record that wins
    std::optional<std::size_t> firstBroken;  // the first record that does not convert
    TRacerStats stats;                       // the winning record converted, unless broken
  };
  std::string_view Record(std::size_t index) const;

  std::string bytes_;
  std::size_t recordSize_ = stats_layout::kShortRecordSize;
  std::size_t recordCount_ = 0;
  std::unordered_map<std::string, Key, ShortKeyHash> keys_;
};

}  // namespace wakorin
