// Race program file: the block walk, the venue list built from it, locating each listed venue and
// cutting every race card (also race numbers outside the block) out of the located bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Archive.h"
#include "base/ByteField.h"
#include "fuzz/FuzzSupport.h"
#include "predict/RacerStatsTable.h"
#include "program/RaceCard.h"
#include "program/VenueBlockScan.h"
#include "program/VenueEntry.h"
#include "program/VenueTable.h"
#include "day/DayCheck.h"
#include "tests/support/FileRoads.h"

namespace {

using namespace wakorin;
using wakorin::testsupport::IndexVenueBlocks;
using wakorin::testsupport::LocateVenueBlock;
using wakorin::fuzz::Require;

// A field cut out of the block never outgrows its columns and never carries a NUL.
void RequireField(const std::string& field, std::size_t width) {
  Require(field.size() <= width, "race card field wider than its columns");
  Require(field.find('\0') == std::string::npos, "race card field holds a NUL");
}

void CheckCard(const TRaceCard& card, BlockLayout layout) {
  const std::size_t rateWidth = layout == BlockLayout::BoatRaceVenueLine ? 6 : 5;
  RequireField(card.Count, 8);
  RequireField(card.DDate, 22);
  RequireField(card.DName, 60);
  RequireField(card.RName, 12);
  RequireField(card.RLeng, 12);
  RequireField(card.RTime, 10);
  for (const TRacerEntry& racer : card.Racers) {
    RequireField(racer.RacerNo, 4);
    RequireField(racer.Name, 8);
    RequireField(racer.MtNo, 3);
    RequireField(racer.BtNo, 3);
    for (const std::string* rate : {&racer.GWSd, &racer.RWSd, &racer.MtWn, &racer.BtWn}) {
      RequireField(*rate, rateWidth);
    }
    for (const std::string& result : racer.MeetingResults) RequireField(result, 2);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFile scratch("program");
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  // The file layer reads such an input as an archive: fuzz_archive takes those.
  if (LooksLikeArchive(raw)) return 0;
  const std::string& path = scratch.Write(raw);
  const std::optional<std::string> served = fuzz::AsFileLayerServes(raw);
  if (!served) {
    auto refused = IndexVenueBlocks(path);
    Require(!refused.ok() && refused.error().kind == Error::Kind::Text,
            "a text of neither form is not refused");
    return 0;
  }
  const std::string_view input = *served;

  // Any two bytes as a code, so that unknown and damaged codes are looked for too.
  const std::string_view anyCode = fuzz::Slice(input, 0, 2);
  if (auto block = LocateVenueBlock(path, anyCode); block && block->has_value()) {
    Require(StartsWith((*block)->bytes, 0, std::string(anyCode) + "BBGN"),
            "located block does not start with its key");
  }

  auto index = IndexVenueBlocks(path);
  if (!index) return 0;
  auto inMemory = IndexVenueBlocksIn(input);
  Require(inMemory.ok() && inMemory->startFound == index->startFound &&
              inMemory->blocks.size() == index->blocks.size(),
          "the index over bytes differs from the index of the file");
  Require(index->startFound || index->blocks.empty(), "blocks indexed without a start line");
  for (std::size_t i = 0; i < index->blocks.size(); ++i) {
    const VenueIndexEntry& block = index->blocks[i];
    const VenueIndexEntry& same = inMemory->blocks[i];
    Require(same.code == block.code && same.raceCount == block.raceCount &&
                same.layout == block.layout && same.placeholder == block.placeholder &&
                same.offset == block.offset && same.length == block.length,
            "a block of the index over bytes differs");
    Require(block.code.size() == 2, "indexed block code is not two bytes");
    Require(block.placeholder ? block.raceCount == 0 && block.layout == BlockLayout::BoatRaceVenueLine
                              : block.raceCount == 11 || block.raceCount == 12,
            "race count is neither 11 nor 12, nor 0 for a placeholder");
    Require(block.offset < input.size() && block.length <= input.size() - block.offset &&
                block.length <= program_layout::kBlockBufferSize + 3,
            "indexed block outside the file");
    Require(StartsWith(input.substr(block.offset, block.length), 0, block.code + "BBGN"),
            "indexed block does not start with its key");
  }

  const std::vector<std::string> entries = BuildVenueEntries(*index);
  for (const std::string& entry : entries) {
    Require(entry.size() == 17, "venue entry is not 17 bytes");
    const std::string venueName(VenueNameOfEntry(entry));
    const std::string code = VenueCodeOfName(venueName);
    Require(IsVenueCode(code), "venue entry names no venue");
    const int raceCount = RaceCountOfEntry(entry);

    auto located = LocateVenueBlock(path, code);
    Require(located.ok(), "listed venue cannot be read again");
    Require(located->has_value(), "listed venue is not found again");
    const VenueBlock& block = **located;
    Require(StartsWith(block.bytes, 0, code + "BBGN"), "located block does not start with its key");
    // The venue's first block is the one located, the same bytes as the index tells. A venue
    // listed twice (a damaged file) has an entry per block, each with its own count, yet both
    // locate the first block.
    int blocksOfVenue = 0;
    for (const VenueIndexEntry& indexed : index->blocks) {
      if (indexed.code != code) continue;
      if (blocksOfVenue++ == 0) {
        Require(indexed.raceCount == block.raceCount && indexed.layout == block.layout,
                "indexed and located block differ");
        Require(input.substr(indexed.offset, indexed.length) == block.bytes,
                "indexed and located bytes differ");
      }
    }
    Require(blocksOfVenue > 1 || raceCount == block.raceCount,
            "race count of the list and of the located block differ");
    for (int race = 0; race <= 13; ++race) {
      const TRaceCard card = ReadRaceCard(block.bytes, race, venueName, block.layout);
      Require(card.Sale == TicketSale::All, "listed venue sells no tickets");
      CheckCard(card, block.layout);
    }
  }

  // The whole day checked without a window, with no statistics and no result file.
  const DayCheck day = CheckDay(input, std::nullopt, RacerStatsTable::FromBytes(std::string()));
  Require(day.venues.size() == entries.size(), "a listed venue was not checked");
  for (const VenueCheck& venue : day.venues) {
    Require(!venue.resultFound, "a result found without a result file");
    Require(venue.races.size() == static_cast<std::size_t>(std::min(venue.raceCount, 12)),
            "not every race of a venue was checked");
  }
  return 0;
}
