#include "program/VenueEntry.h"

#include "base/ByteField.h"
#include "base/Decimal.h"
#include "program/VenueTable.h"

namespace wakorin {

std::string MakeVenueEntry(std::string_view code, int raceCount) {
  std::string entry = GetCorseName(code);
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

std::vector<std::string> BuildVenueEntries(const VenueIndex& index) {
  std::vector<std::string> entries;
  for (auto it = index.blocks.rbegin(); it != index.blocks.rend(); ++it) {
    if (IsVenueCode(it->code) && !it->placeholder) {
      entries.push_back(MakeVenueEntry(it->code, it->raceCount));
    }
  }
  return entries;
}

}  // namespace wakorin
