#include "results/DayFileIdentity.h"

#include <algorithm>
#include <array>
#include <optional>

#include "base/ByteField.h"
#include "base/ByteFile.h"
#include "base/DayDate.h"
#include "base/HtmlPage.h"
#include "base/StartMarker.h"
#include "predict/RacerStats.h"
#include "predict/StatsFileLayout.h"
#include "program/RaceCard.h"
#include "program/VenueBlockScan.h"
#include "program/VenueTable.h"
#include "results/ResultFile.h"
#include "results/ResultFileLayout.h"

namespace wakorin {
namespace {

void Agree(DayFileIdentity& identity, int date, bool& seen) {
  if (!seen) {
    identity.date = date;
    seen = true;
  } else if (identity.date != date && identity.flaw == DayFileFlaw::None) {
    identity.flaw = DayFileFlaw::DatesDisagree;
  }
}

// A race program file: the venue blocks as the block scan finds them, the day from each venue
// header's day line as the race card reads it (DDate).
bool ReadProgram(std::string_view bytes, DayFileIdentity& identity) {
  auto index = IndexVenueBlocksIn(bytes);
  if (!index || !index->startFound) return false;
  identity.kind = DayFileKind::Program;
  bool seen = false;
  for (const VenueIndexEntry& entry : index->blocks) {
    identity.venues.push_back(entry.code);
    if (entry.placeholder) continue;
    const std::string_view block = CutField(bytes, entry.offset, entry.length);
    const TRaceCard card = ReadRaceCard(block, 1, {}, entry.layout);
    const std::optional<int> date = FindDayDate(card.DDate);
    Agree(identity, date.value_or(0), seen);
  }
  if (identity.venues.empty()) {
    identity.flaw = DayFileFlaw::NoVenue;
  } else if (identity.date == 0 && identity.flaw == DayFileFlaw::None) {
    identity.flaw = DayFileFlaw::NoDate;
  }
  if (identity.flaw != DayFileFlaw::None) identity.date = 0;
  return true;
}

// A result file: its venue keys after the start line, each venue's results as the result search
// finds them, the day from the headers of the blocks that hold one.
bool ReadResults(std::string_view bytes, DayFileIdentity& identity) {
  using namespace result_layout;
  ByteFile file;
  file.OpenBytes(bytes);
  auto body = FindStartMarker(file, kStartMarker);
  if (!body || !body->has_value()) return false;
  identity.kind = DayFileKind::Result;

  std::vector<std::string> codes;
  bool seen = false;
  for (std::size_t tail = bytes.find(kKeyTail, **body); tail != std::string_view::npos;
       tail = bytes.find(kKeyTail, tail + 1)) {
    const std::size_t key = tail - 2;
    const bool ownLine = key == **body || StartsWith(bytes, key - 2, "\r\n");
    const std::string code(CutField(bytes, key, 2));
    if (tail < **body + 2 || !ownLine || !IsVenueCode(code)) continue;
    if (std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
    // The header ends where the payout table starts, or earlier at the next key.
    std::string_view header = CutField(bytes, key, kBoatRaceTableOffset);
    header = header.substr(0, std::min(header.size(), header.find(kKeyTail, kKeySize)));
    if (auto date = FindDayDate(header)) Agree(identity, *date, seen);
  }
  for (const std::string& code : codes) {
    ResultSearchObserver quiet;
    auto search = FindVenueResultIn(bytes, code, 0, quiet);
    if (search && search->end == ResultSearchEnd::Found) identity.venues.push_back(code);
  }
  if (codes.empty()) identity.flaw = DayFileFlaw::NoVenue;
  if (identity.flaw != DayFileFlaw::None) identity.date = 0;
  return true;
}

// A statistics file: what the statistics search takes (whole records of one size, each ending in
// CR LF), its first racer number in digits and its first record converting as the statistics
// reader converts a racer's.
bool ReadStats(std::string_view bytes, DayFileIdentity& identity) {
  if (StatsContentFault(bytes)) return false;
  const std::string_view number = bytes.substr(0, stats_layout::kRacerNoWidth);
  if (!std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  if (!ConvertStatsRecord(bytes.substr(0, stats_layout::kFieldsRead))) return false;
  identity.kind = DayFileKind::Stats;
  return true;
}

}  // namespace

DayFileIdentity IdentifyDayFile(std::string_view bytes) {
  DayFileIdentity identity;
  if (LooksLikeHtml(bytes)) {
    identity.kind = DayFileKind::Html;
    return identity;
  }
  if (ReadProgram(bytes, identity) || ReadResults(bytes, identity)) return identity;
  identity = {};
  if (ReadStats(bytes, identity)) return identity;
  identity = {};
  return identity;
}

DayFileMismatch FindDayFileMismatch(const DayFileIdentity& found, DayFileWanted wanted) {
  using Kind = DayFileMismatch::Kind;
  DayFileMismatch mismatch;
  mismatch.found = found.kind;
  const auto is = [&](Kind kind, int date = 0) {
    mismatch.kind = kind;
    mismatch.date = date;
    return mismatch;
  };
  if (found.kind == DayFileKind::Html) return is(Kind::Html);
  if (found.kind == DayFileKind::Other) return is(Kind::NotDataFile);
  if (found.kind != wanted.kind) return is(Kind::OtherKind, found.date);
  if (found.kind == DayFileKind::Stats) return mismatch;
  if (found.flaw != DayFileFlaw::None) {
    mismatch.flaw = found.flaw;
    return is(Kind::Flawed);
  }
  if (wanted.date == 0) return mismatch;
  if (found.date == 0) {
    // A result file holding only notices carries no date: nothing in it speaks of another day.
    if (found.kind == DayFileKind::Result && found.venues.empty()) return mismatch;
    return is(Kind::NoDate);
  }
  if (found.date != wanted.date) return is(Kind::OtherDay, found.date);
  return mismatch;
}

}  // namespace wakorin
