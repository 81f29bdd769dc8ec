// Archives: any input opened as an archive (its name ends in .lzh) through the file layer, as
// every reader opens its file, against the same input unpacked directly; what an archive holds
// read by each reader through the file layer and from memory.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/Archive.h"
#include "base/ByteFile.h"
#include "fuzz/FuzzSupport.h"
#include "predict/RacerStats.h"
#include "predict/RacerStatsTable.h"
#include "program/VenueBlockScan.h"
#include "results/ResultFile.h"
#include "tests/support/FileRoads.h"

namespace {

using namespace wakorin;
using wakorin::testsupport::IndexVenueBlocks;
using wakorin::testsupport::LocateVenueBlock;
using wakorin::testsupport::FindVenueResult;
using wakorin::fuzz::Require;

// The whole file as the file layer serves it.
Outcome<std::string> ReadThrough(const std::string& path) {
  auto bytes = ByteFile::ReadWhole(path);
  if (!bytes) return bytes.error();
  return std::string(**bytes);
}

// The readers find in the archive exactly what they find in the bytes it holds.
void ReadersAgree(const std::string& path, std::string_view bytes) {
  auto index = IndexVenueBlocks(path);
  auto indexIn = IndexVenueBlocksIn(bytes);
  Require(index.ok() && indexIn.ok() && index->startFound == indexIn->startFound &&
              index->blocks.size() == indexIn->blocks.size(),
          "the venue index of the archive differs from that of its file");
  for (const VenueIndexEntry& block : index->blocks) {
    auto located = LocateVenueBlock(path, block.code);
    Require(located.ok(), "a venue of the archive cannot be read again");
  }
  ResultSearchObserver quiet;
  for (std::string_view venue : {"01", "12", "24"}) {
    auto search = FindVenueResult(path, venue, 0, quiet);
    auto searchIn = FindVenueResultIn(bytes, venue, 0, quiet);
    Require(search.ok() && searchIn.ok() && search->end == searchIn->end &&
                search->result.Rows == searchIn->result.Rows,
            "the result search of the archive differs from that of its file");
  }
  // An archive whose file is no statistics file is refused as such, whatever its name.
  auto table = RacerStatsTable::Load(path);
  Require(table.ok() ? table->RecordCount() ==
                           RacerStatsTable::FromBytes(std::string(bytes)).RecordCount()
                     : table.error().kind == Error::Kind::NotStats &&
                           StatsContentFault(bytes).has_value(),
          "the statistics of the archive differ from those of its file");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFile scratch("archive", ".lzh");
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string& path = scratch.Write(input);

  auto unpacked = UnpackSingleFile(input);
  auto read = ReadThrough(path);
  if (!unpacked) {
    Require(unpacked.error().kind == Error::Kind::Archive, "a refusal of another kind");
    Require(!read.ok() && read.error().kind == Error::Kind::Archive &&
                read.error().archiveFault() == unpacked.error().archiveFault() &&
                read.error().text == path,
            "the file layer refuses the archive otherwise");
    return 0;
  }
  Require(unpacked->bytes.size() <= kMaxUnpackedSize, "unpacked past the limit");
  // The file layer serves the file inside as it would serve the same bytes kept unpacked.
  const std::optional<std::string> served = fuzz::AsFileLayerServes(unpacked->bytes);
  if (!served) {
    Require(!read.ok() && read.error().kind == Error::Kind::Text, "a text of neither form served");
    return 0;
  }
  Require(read.ok() && *read == *served, "the file layer serves other bytes");

  // A lower limit cuts the same file off exactly where it passes the limit.
  const std::size_t cap = fuzz::ByteAt(input, size - 1) * 16u;
  auto capped = UnpackSingleFile(input, cap);
  if (unpacked->bytes.size() <= cap) {
    Require(capped.ok() && capped->bytes == unpacked->bytes, "a file within the limit refused");
  } else {
    Require(!capped.ok() && capped.error().archiveFault() == ArchiveFault::TooLarge,
            "a file past the limit unpacked");
  }

  ReadersAgree(path, *served);
  return 0;
}
