#include "program/VenueEntry.h"

#include <algorithm>
#include <set>

#include "base/ByteField.h"
#include "base/Decimal.h"
#include "program/VenueTable.h"

namespace wakorin {

std::string MakeVenueEntry(std::string_view code, int raceCount) {
  std::string entry = VenueNameOfCode(code);
  entry += "    [\x91\x53";  // "[全"
  entry += static_cast<char>('0' + raceCount / 10 % 10);
  entry += static_cast<char>('0' + raceCount % 10);
  entry += "R]";
  return entry;
}

std::string_view VenueNameOfEntry(std::string_view entry) {
  return CutField(entry, 0, 6);
}

int RaceCountOfEntry(std::string_view entry) {
  auto count = ParseDecimal(CutField(entry, 13, 2));
  return count ? *count : 0;
}

namespace {

bool Listed(const VenueIndexEntry& block) {
  return IsVenueCode(block.code) && !block.placeholder;
}

// For each block, whether it is the first listed block of its venue.
std::vector<bool> FirstOfTheirVenue(const std::vector<VenueIndexEntry>& blocks) {
  std::vector<bool> first(blocks.size(), false);
  std::set<std::string_view> seen;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    first[i] = Listed(blocks[i]) && seen.insert(blocks[i].code).second;
  }
  return first;
}

}  // namespace

std::vector<std::string> BuildVenueEntries(const VenueIndex& index) {
  std::vector<std::string> entries;
  const std::vector<bool> first = FirstOfTheirVenue(index.blocks);
  for (std::size_t i = index.blocks.size(); i-- > 0;) {
    const VenueIndexEntry& block = index.blocks[i];
    if (first[i]) {
      entries.push_back(MakeVenueEntry(block.code, block.raceCount));
    }
  }
  return entries;
}

std::vector<std::string> DuplicateVenueCodes(const VenueIndex& index) {
  std::vector<std::string> codes;
  const std::vector<bool> first = FirstOfTheirVenue(index.blocks);
  for (std::size_t i = 0; i < index.blocks.size(); ++i) {
    const VenueIndexEntry& block = index.blocks[i];
    if (!Listed(block) || first[i]) continue;
    if (std::find(codes.begin(), codes.end(), block.code) == codes.end()) {
      codes.push_back(block.code);
    }
  }
  return codes;
}

}  // namespace wakorin
