// Racer statistics file: reading the lanes' records, the prediction made from them and the
// recommended tickets shown for every sale text, tab and ticket count.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/Archive.h"
#include "base/ByteField.h"
#include "fuzz/FuzzSupport.h"
#include "predict/Prediction.h"
#include "predict/RacerStats.h"
#include "predict/RacerStatsTable.h"
#include "predict/TicketDisplay.h"
#include "program/RaceCard.h"
#include "tests/support/FileRoads.h"

namespace {

using namespace wakorin;
using wakorin::testsupport::ReadRacerStats;
using wakorin::fuzz::Require;

bool IsPermutation(const Six& six) {
  std::array<bool, 7> seen{};
  for (int k = 1; k <= 6; ++k) {
    if (six[k] < 1 || six[k] > 6 || seen[six[k]]) return false;
    seen[six[k]] = true;
  }
  return true;
}

// Distinct lanes 1..6, as many as the bet type names; only a trifecta is bought as a box.
bool IsTicket(const Ticket& ticket, std::size_t boats, bool mayBox = false) {
  if (ticket.boats.count != boats || (ticket.box && !mayBox)) return false;
  for (std::size_t i = 0; i < boats; ++i) {
    const int lane = ticket.boats.boats[i];
    if (lane < 1 || lane > 6) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (ticket.boats.boats[j] == lane) return false;
    }
  }
  return true;
}

void CheckPrediction(const TPrediction& p) {
  Require(IsPermutation(p.Entry), "course entry is not a permutation of the lanes");
  Require(IsPermutation(p.Order), "finishing order is not a permutation of the lanes");
  for (int k = 1; k <= 6; ++k) {
    Require(p.SlitRank[k] >= 1 && p.SlitRank[k] <= 6, "slit rank outside 1..6");
  }
  for (std::size_t k = 0; k < 6; ++k) {
    Require(IsTicket(p.Ken2T[k], 2) && IsTicket(p.Ken2F[k], 2), "two-boat ticket malformed");
    Require(IsTicket(p.Ken3T[k], 3, true) && IsTicket(p.Ken3F[k], 3), "three-boat ticket malformed");
    Require(InOrder(p.Ken2F[k].boats) == p.Ken2F[k].boats, "quinella ticket not ascending");
    Require(InOrder(p.Ken3F[k].boats) == p.Ken3F[k].boats, "trio ticket not ascending");
  }
}

void CheckDisplay(const RecommendDisplay& d, int twoCount, int threeCount) {
  Require(d.mode2 >= 0 && d.mode2 <= 2 && d.mode3 >= 0 && d.mode3 <= 2, "display mode");
  for (std::size_t row = 0; row < 6; ++row) {
    const int i = static_cast<int>(row) + 1;
    if (d.mode2 == 0 || i > twoCount) {
      Require(d.two[row][0].lane == 0 && d.twoJoin[row] == TicketJoin::None, "two-boat row shown");
    }
    if (d.mode3 == 0 || i > threeCount) {
      Require(d.three[row][0].lane == 0 && d.threeJoin[row] == TicketJoin::None,
              "three-boat row shown");
    }
  }
}

bool SameStats(const LaneStats& a, const LaneStats& b) {
  for (std::size_t lane = 0; lane < 6; ++lane) {
    if (a[lane].Found != b[lane].Found) return false;
    for (std::size_t c = 0; c < 6; ++c) {
      const TCourseStats& x = a[lane].Courses[c];
      const TCourseStats& y = b[lane].Courses[c];
      if (x.EntryCount != y.EntryCount || x.CourseRate != y.CourseRate ||
          x.StartTiming != y.StartTiming) {
        return false;
      }
    }
  }
  return true;
}

// The table kept in memory must answer exactly as a read of the file does.
void RequireSameAnswer(const Outcome<LaneStats>& read, const Outcome<LaneStats>& looked) {
  Require(read.ok() == looked.ok(), "the table and the file read disagree on failing");
  if (read.ok()) {
    Require(SameStats(*read, *looked), "the table and the file read give other figures");
  } else {
    Require(read.error().kind == looked.error().kind && read.error().text == looked.error().text,
            "the table and the file read fail on other texts");
  }
}

void ShowEverySheet(const TicketLists& tickets) {
  constexpr std::array<TicketSale, 5> kSales{TicketSale::ExactaQuinella, TicketSale::Exacta,
                                             TicketSale::Quinella, TicketSale::All, TicketSale::None};
  for (TicketSale sale : kSales) {
    for (int tab = 0; tab <= 1; ++tab) {
      for (int n = 0; n <= 7; ++n) {
        CheckDisplay(ComputeRecommend(BetsOnSale(sale), tab, tickets, n, 7 - n, {}), n, 7 - n);
        CheckDisplay(ComputeRecommend(BetsOnSale(sale), tab, tickets, n, n, {}), n, n);
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFile scratch("stats");
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  // The file layer reads such an input as an archive: fuzz_archive takes those.
  if (LooksLikeArchive(raw)) return 0;
  const std::string& path = scratch.Write(raw);
  const std::optional<std::string> served = fuzz::AsFileLayerServes(raw);
  if (!served) {
    auto refused = RacerStatsTable::Load(path);
    Require(!refused.ok() && refused.error().kind == Error::Kind::Text,
            "a text of neither form is not refused");
    return 0;
  }
  const std::string_view input = *served;

  // Lanes look for keys spread over the file, so that real files match every lane; past the last
  // record a lane takes four bytes from the start, which may match nothing.
  const std::size_t recordSize = StatsRecordSize(input);
  const std::size_t records = input.size() / recordSize;
  const std::size_t stride = std::max<std::size_t>(1, records / 6);
  std::array<std::string, 6> racerNumbers;
  for (std::size_t lane = 0; lane < 6; ++lane) {
    const std::size_t record = lane * stride;
    racerNumbers[lane] = std::string(record < records ? CutField(input, record * recordSize, 4)
                                                      : fuzz::Slice(input, 4 * lane, 4));
  }

  auto stats = ReadRacerStats(path, racerNumbers);
  RequireSameAnswer(stats, RacerStatsTable::FromBytes(std::string(input)).Lookup(racerNumbers));
  if (auto loaded = RacerStatsTable::Load(path)) {
    Require(loaded->RecordCount() == records, "the table holds another number of records");
    RequireSameAnswer(stats, loaded->Lookup(racerNumbers));
  }
  if (!stats) {
    Require(stats.error().kind == Error::Kind::NotInteger, "a plain file failed to read");
    return 0;
  }
  for (const TRacerStats& lane : *stats) {
    if (lane.Found) continue;
    for (const TCourseStats& course : lane.Courses) {
      Require(course.EntryCount == 0 && course.CourseRate == 0 &&
                  course.StartTiming == kMissingStartTiming,
              "missing racer without the missing racer's figures");
    }
  }

  // The part-record the reader ignores holds the motor and boat numbers, three bytes each as on
  // the race card; without one every lane gets plain numbers.
  const std::string_view tail = input.substr(records * recordSize);
  std::array<std::string, 6> motorNumbers, boatNumbers;
  for (std::size_t lane = 0; lane < 6; ++lane) {
    if (tail.size() >= 36) {
      motorNumbers[lane] = std::string(CutField(tail, 6 * lane, 3));
      boatNumbers[lane] = std::string(CutField(tail, 6 * lane + 3, 3));
    } else {
      motorNumbers[lane] = std::to_string(11 + 7 * lane);
      boatNumbers[lane] = std::to_string(60 - 9 * lane);
    }
  }

  auto prediction = Predict(*stats, motorNumbers, boatNumbers);
  if (!prediction) {
    Require(prediction.error().kind == Error::Kind::NotInteger, "prediction failed oddly");
    return 0;
  }
  CheckPrediction(*prediction);
  const TPrediction& p = *prediction;
  ShowEverySheet(TicketLists{p.Ken2T, p.Ken2F, p.Ken3T, p.Ken3F});

  // Tickets of any lanes after the numbers, as a damaged prediction could hand over.
  if (tail.size() > 36) {
    std::array<TicketList, 4> lists;
    for (std::size_t list = 0; list < 4; ++list) {
      for (std::size_t k = 0; k < 6; ++k) {
        const std::size_t at = 36 + 5 * (6 * list + k);
        Ticket& ticket = lists[list][k];
        ticket.boats.count = static_cast<std::uint8_t>(fuzz::ByteAt(tail, at) % 4);
        for (std::size_t b = 0; b < 3; ++b) {
          ticket.boats.boats[b] = static_cast<std::uint8_t>(fuzz::ByteAt(tail, at + 1 + b));
        }
        ticket.box = (fuzz::ByteAt(tail, at + 4) & 1) != 0;
      }
    }
    ShowEverySheet(TicketLists{lists[0], lists[1], lists[2], lists[3]});
  }
  return 0;
}
