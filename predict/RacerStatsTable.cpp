#include "predict/RacerStatsTable.h"

#include <vector>

#include "base/ByteField.h"
#include "base/ByteFile.h"

namespace wakorin {

Outcome<RacerStatsTable> RacerStatsTable::Load(const std::string& path) {
  auto bytes = ByteFile::ReadWhole(path);
  if (!bytes) return bytes.error();
  // A page or other file saved under the name would read as a file of no racers.
  if (auto fault = StatsContentFault(**bytes)) return Error::NotStats(*fault, path);
  return FromBytes(std::string(**bytes));
}

RacerStatsTable RacerStatsTable::FromBytes(std::string bytes) {
  RacerStatsTable table;
  table.bytes_ = std::move(bytes);
  table.recordSize_ = StatsRecordSize(table.bytes_);
  table.recordCount_ = table.bytes_.size() / table.recordSize_;  // a part-record is not read
  for (std::size_t i = 0; i < table.recordCount_; ++i) {
    const std::string_view record = table.Record(i);
    Key& key = table.keys_[std::string(CutField(record, 0, 4))];
    key.last = i;
    // Converted once here rather than at every lookup of the racer.
    auto converted = ConvertStatsRecord(record);
    if (converted) {
      key.stats = std::move(*converted);
    } else if (!key.firstBroken) {
      key.firstBroken = i;
    }
  }
  return table;
}

std::string_view RacerStatsTable::Record(std::size_t index) const {
  return std::string_view(bytes_).substr(index * recordSize_, stats_layout::kFieldsRead);
}

Outcome<LaneStats> RacerStatsTable::Lookup(const std::array<std::string, 6>& racerNumbers) const {
  LaneStats lanes{};
  for (TRacerStats& lane : lanes) {
    for (TCourseStats& course : lane.Courses) course.StartTiming = kMissingStartTiming;
  }
  // Reading the file in order would stop at the first matching record that does not convert.
  std::optional<std::size_t> broken;
  std::array<const Key*, 6> found{};
  for (std::size_t lane = 0; lane < 6; ++lane) {
    const auto key = keys_.find(racerNumbers[lane]);
    if (key == keys_.end()) continue;
    found[lane] = &key->second;
    if (key->second.firstBroken && (!broken || *key->second.firstBroken < *broken)) {
      broken = key->second.firstBroken;
    }
  }
  if (broken) return ConvertStatsRecord(Record(*broken)).error();
  for (std::size_t lane = 0; lane < 6; ++lane) {
    if (found[lane]) lanes[lane] = found[lane]->stats;
  }
  return lanes;
}

}  // namespace wakorin
