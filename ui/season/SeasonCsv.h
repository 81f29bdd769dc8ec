#pragma once

#include <ostream>
#include <string>

#include "day/SeasonCheck.h"

namespace wakorin {

// The per-race CSV of a season's check, UTF-8, which the checker's --csv and the season window's
// export both write: a header, then a line per race of each day checked.
void WriteSeasonCsvHeader(std::ostream& out, bool dataMode);
void WriteSeasonCsv(std::ostream& out, const SeasonDay& day, bool dataMode);

// CP932 bytes as UTF-8; a malformed byte is left out, the rest still shows.
std::string Cp932ToUtf8(const std::string& cp932);

}  // namespace wakorin
