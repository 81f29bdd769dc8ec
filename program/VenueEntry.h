#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "program/VenueBlockScan.h"

namespace wakorin {

// One item of the venue list, 17 CP932 bytes: the six-byte venue name, four blanks, "[全",
// the two-digit race count and "R]". Later commands read the name back from bytes 1..6 and
// the race count from bytes 14..15, so the text is a data format, not only a display.
std::string MakeVenueEntry(std::string_view code, int raceCount);
std::string_view VenueNameOfEntry(std::string_view entry);
// 0 when bytes 14..15 do not hold a number.
int RaceCountOfEntry(std::string_view entry);

// The venue list for an indexed file: the file's last block first. Blocks whose code is not
// one of the 24 venues are left out: their entry could not carry a race count and no race of
// theirs could ever be located by name. Placeholders of venues not yet published have no race.
// A venue whose block appears more than once is listed once, where its first block stands:
// that is the block every later read locates.
std::vector<std::string> BuildVenueEntries(const VenueIndex& index);

// The codes of the venues whose block appears more than once in the file, in file order:
// a damaged or badly joined file, which the user is told about.
std::vector<std::string> DuplicateVenueCodes(const VenueIndex& index);

}  // namespace wakorin
