#include "tests/support/FileRoads.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "base/ByteFile.h"

namespace wakorin::testsupport {

Outcome<VenueIndex> IndexVenueBlocks(const std::string& path) {
  auto bytes = ByteFile::ReadWhole(path);
  if (!bytes) return bytes.error();
  return IndexVenueBlocksIn(**bytes);
}

Outcome<std::optional<VenueBlock>> LocateVenueBlock(const std::string& path,
                                                    std::string_view code) {
  auto bytes = ByteFile::ReadWhole(path);
  if (!bytes) return bytes.error();
  auto index = IndexVenueBlocksIn(**bytes);
  if (!index) return index.error();
  std::optional<VenueBlock> found;
  if (code.size() != 2) return found;
  for (const VenueIndexEntry& block : index->blocks) {
    if (block.code != code) continue;
    const std::string_view all = **bytes;
    found = VenueBlock{std::string(all.substr(static_cast<std::size_t>(block.offset), block.length)),
                       block.raceCount, block.layout};
    break;
  }
  return found;
}

Outcome<ResultSearch> FindVenueResult(const std::string& path, std::string_view venueCode,
                                      int venuesBefore, ResultSearchObserver& observer) {
  auto bytes = ByteFile::ReadWhole(path);
  if (!bytes) return bytes.error();
  return FindVenueResultIn(**bytes, venueCode, venuesBefore, observer);
}

namespace {

// A racer number as a record's 4-byte key field would hold it, so that each record is tested
// against a lane with one word comparison: the number's bytes, then the NUL the field is cut at
// when the number is shorter; bytes past that do not count. A number that no key can equal
// (longer than the field, or holding a NUL) matches nothing.
class KeyPattern {
 public:
  explicit KeyPattern(std::string_view number) {
    if (number.size() > 4 || number.find('\0') != std::string_view::npos) return;
    std::array<unsigned char, 4> bytes{}, care{};
    for (std::size_t i = 0; i < number.size(); ++i) {
      bytes[i] = static_cast<unsigned char>(number[i]);
      care[i] = 0xFF;
    }
    if (number.size() < 4) care[number.size()] = 0xFF;  // the NUL that ends a short key
    std::memcpy(&value_, bytes.data(), 4);
    std::memcpy(&mask_, care.data(), 4);
  }

  bool Matches(const char* keyField) const {
    std::uint32_t word;
    std::memcpy(&word, keyField, 4);
    return (word & mask_) == value_;
  }

 private:
  std::uint32_t value_ = 1;  // with a zero mask: never equal
  std::uint32_t mask_ = 0;
};

}  // namespace

Outcome<LaneStats> ReadRacerStats(const std::string& path,
                                  const std::array<std::string, 6>& racerNumbers) {
  LaneStats lanes{};
  for (TRacerStats& lane : lanes) {
    for (TCourseStats& course : lane.Courses) course.StartTiming = kMissingStartTiming;
  }
  ByteFile file;
  if (auto error = file.Open(path)) return *error;
  // Whole records are taken from large reads; what is left at the end is a part-record.
  constexpr std::size_t kRecordsPerRead = 256;
  std::vector<char> chunk(stats_layout::kLongRecordSize * kRecordsPerRead);
  std::size_t recordSize = 0;
  const std::array<KeyPattern, 6> keys{KeyPattern(racerNumbers[0]), KeyPattern(racerNumbers[1]),
                                       KeyPattern(racerNumbers[2]), KeyPattern(racerNumbers[3]),
                                       KeyPattern(racerNumbers[4]), KeyPattern(racerNumbers[5])};
  while (true) {
    auto got = file.Read(chunk.data(), chunk.size());
    if (!got) return got.error();
    if (recordSize == 0) {
      // The first read was sized for the longer record; with the shorter one, what lies past
      // whole reads of it is read again next time round.
      recordSize = StatsRecordSize(std::string_view(chunk.data(), *got));
      const std::size_t wanted = recordSize * kRecordsPerRead;
      if (*got > wanted) {
        if (auto error = file.Seek(wanted)) return *error;
        *got = wanted;
      }
      chunk.resize(wanted);
    }
    for (std::size_t at = 0; at + recordSize <= *got; at += recordSize) {
      const std::string_view record(chunk.data() + at, stats_layout::kFieldsRead);
      for (std::size_t lane = 0; lane < 6; ++lane) {
        if (!keys[lane].Matches(record.data())) continue;
        auto stats = ConvertStatsRecord(record);
        if (!stats) return stats.error();
        lanes[lane] = *stats;
      }
    }
    if (*got < chunk.size()) return lanes;
  }
}

}  // namespace wakorin::testsupport
