// Result file: the result file name made from a program file name, the search for every venue's
// block (skipping, sliding, the fallback search and stops asked for by the progress display) and
// the matching of recommended tickets against every row found.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/Archive.h"
#include "fuzz/FuzzSupport.h"
#include "program/RaceCard.h"
#include "results/ResultFile.h"
#include "results/ResultMatching.h"
#include "results/ReturnSummary.h"
#include "tests/support/FileRoads.h"

namespace {

using namespace wakorin;
using wakorin::testsupport::FindVenueResult;
using wakorin::fuzz::Require;

// Stops the search at its `stopAt`-th question (never when 0).
class StoppingObserver : public ResultSearchObserver {
 public:
  explicit StoppingObserver(unsigned stopAt) : stopAt_(stopAt) {}
  void Skipped(int k, std::uint64_t /*position*/) override { Require(k >= 1, "skip over k < 1"); }
  bool BeforeHeaderRead(std::uint64_t /*position*/) override {
    return stopAt_ == 0 || ++asked_ < stopAt_;
  }

 private:
  unsigned stopAt_;
  unsigned asked_ = 0;
};

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

void CheckResultPath(std::string_view programPath) {
  const std::string resultPath = ResultFilePath(programPath);
  if (resultPath.empty()) return;
  const std::size_t slash = programPath.rfind('/');
  const std::size_t folder = slash == std::string_view::npos ? 0 : slash + 1;
  Require(resultPath.size() >= folder + 11 && resultPath.size() <= programPath.size(),
          "result file name of odd length");
  Require(resultPath.compare(0, folder, programPath.substr(0, folder)) == 0,
          "result file moved to another folder");
  const std::size_t k = resultPath.size() - 11;
  Require(resultPath[k] == 'K', "result file name does not start with K");
  std::string extension = resultPath.substr(resultPath.size() - 4);
  for (char& c : extension) c = Upper(c);
  Require(extension == ".TXT" || extension == ".LZH",
          "result file name does not end in .TXT or .LZH");
  Require(
      resultPath.compare(k + 1, std::string::npos,
                         std::string(programPath.substr(k + 1, resultPath.size() - k - 1))) == 0,
      "result file name changed the date");
}


bool IsBlankText(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

void CheckRow(const ResultRow& row) {
  Require(row.TrifectaCombination.size() == 5 && row.TrioCombination.size() == 5 &&
              row.ExactaCombination.size() == 3 && row.QuinellaCombination.size() == 3,
          "combination of the wrong width");
  Require(row.TrifectaPayout.size() == 8 && row.TrioPayout.size() == 8 &&
              row.ExactaPayout.size() == 8 && row.QuinellaPayout.size() == 8,
          "payout of the wrong width");
}

// A cell shows the combination read, tagged with the ticket number on a hit; a race not run or
// a void bet shows its word and is never hit.
void CheckCell(const BetMatch& cell, const ResultRow& row, BetType bet,
               const std::string& combination, bool shown) {
  using Result = BetMatch::Result;
  if (!shown) {
    Require(cell.result == Result::NotShown && !cell.Hit(), "a bet type not on sale is shown");
    return;
  }
  Require(cell.ticket >= 0 && cell.ticket <= 6, "hit by a ticket that is not one of the six");
  if (row.Cancelled || row.Void[bet] || row.Special[bet]) {
    Require(!cell.Hit() && cell.result != Result::Paid && cell.result != Result::NotShown,
            "a race not run, a void bet or a special payout is shown as a result");
    return;
  }
  if (IsBlankText(combination) && IsBlankText(row.Payout(bet))) {
    Require(cell.result == Result::NoResult && !cell.Hit(), "a bet without a result is shown as one");
    return;
  }
  const std::optional<Combination> own = ParseCombination(combination);
  Require(cell.result == Result::Paid || cell.result == Result::Unreadable, "a result is not shown");
  // A damaged row is shown as written, never as a payout of its own making.
  if (cell.result == Result::Unreadable) {
    Require(cell.writtenCombination == combination && cell.writtenPayout == row.Payout(bet),
            "a damaged row is not shown as written");
  } else {
    Require(own.has_value() && cell.won.yen > 0, "an unreadable row is shown as paid");
  }
  // A hit in a dead heat shows the combination it covers, which may be a further one.
  bool shows = !own || cell.won.combination == *own;
  for (const auto& [tie, payout] : row.Ties[bet]) {
    const std::optional<Combination> other = ParseCombination(tie);
    shows = shows || (cell.Hit() && other && cell.won.combination == *other);
  }
  Require(shows, "cell does not show a winning combination");
  Require(!cell.Hit() || cell.won.combination.count > 0, "hit on no combination");
}

void RequireTally(const BetTally& tally) {
  Require(tally.hits >= 0 && tally.hits <= tally.races && tally.races <= 12, "tally count");
  Require(tally.stake >= 100 * tally.races && tally.stake <= 600 * 6 * tally.races, "tally stake");
  Require(tally.stake > 0 || tally.ReturnPercent() == 0, "return without a stake");
}

// Every row shown and counted into the return summary, as the check does.
void FillRows(const RecommendedTickets& slot, const VenueResult& result) {
  CheckTally tally;
  for (const ResultRow& row : result.Rows) {
    tally.Add(slot, row);
    const RaceMatch shown = MatchResultRow(slot, row);
    for (BetType bet : kBetTypes) {
      CheckCell(shown.bets[bet], row, bet, row.Combination(bet),
                IsTwoBoat(bet) ? slot.TwoBoatOnSale() : slot.ThreeBoatOnSale());
    }
  }
  CheckTally both = tally;
  both += tally;
  for (BetType bet : kBetTypes) RequireTally(tally[bet]);
  Require(both[BetType::Trio].stake == 2 * tally[BetType::Trio].stake &&
              both[BetType::Exacta].hits == 2 * tally[BetType::Exacta].hits,
          "summing tallies");
}

// Where each venue's key first stands among the keys of the file, as the program file's venue
// list would count the venues before it.
std::array<int, 25> KeyOrdinals(std::string_view input) {
  std::array<int, 25> ordinal;
  ordinal.fill(-1);
  int keys = 0;
  for (std::size_t tail = input.find("KBGN", 2); tail != std::string_view::npos;
       tail = input.find("KBGN", tail + 1)) {
    const char a = input[tail - 2];
    const char b = input[tail - 1];
    if (a < '0' || a > '2' || b < '0' || b > '9') continue;
    const int code = (a - '0') * 10 + (b - '0');
    if (code < 1 || code > 24) continue;
    if (ordinal[static_cast<std::size_t>(code)] < 0) ordinal[static_cast<std::size_t>(code)] = keys;
    ++keys;
  }
  for (int& o : ordinal) {
    if (o < 0) o = keys;
  }
  return ordinal;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFile scratch("result");
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  // The file layer reads such an input as an archive: fuzz_archive takes those.
  if (LooksLikeArchive(raw)) return 0;
  const std::string& path = scratch.Write(raw);
  const std::optional<std::string> served = fuzz::AsFileLayerServes(raw);
  if (!served) {
    ResultSearchObserver quiet;
    auto refused = FindVenueResult(path, "01", 0, quiet);
    Require(!refused.ok() && refused.error().kind == Error::Kind::Text,
            "a text of neither form is not refused");
    return 0;
  }
  const std::string_view input = *served;

  const std::string_view name = fuzz::Slice(input, 8, 24);
  CheckResultPath(name);
  CheckResultPath("/race/" + std::string(name));

  // A real file starts "STARTK\r\n": those two bytes leave the skip exact and never stop.
  const int skew = static_cast<std::int8_t>(fuzz::ByteAt(input, 6) ^ '\r');
  const unsigned stopByte = fuzz::ByteAt(input, 7) ^ '\n';
  const unsigned stopAt = stopByte * stopByte;
  const std::array<int, 25> ordinal = KeyOrdinals(input);

  // Tickets from the end of the file, any byte a lane, and tickets that hit the first row of
  // each bet type.
  std::array<TicketList, 4> lists;
  for (std::size_t list = 0; list < 4; ++list) {
    for (std::size_t k = 0; k < 6; ++k) {
      const std::size_t back = 5 * (6 * list + k) + 5;
      if (input.size() < back) continue;
      Ticket& ticket = lists[list][k];
      ticket.boats.count = static_cast<std::uint8_t>(fuzz::ByteAt(input, input.size() - back) % 4);
      for (std::size_t b = 0; b < 3; ++b) {
        ticket.boats.boats[b] = static_cast<std::uint8_t>(fuzz::ByteAt(input, input.size() - back + 1 + b) % 8);
      }
      ticket.box = (fuzz::ByteAt(input, input.size() - back + 4) & 1) != 0;
    }
  }
  constexpr std::array<TicketSale, 5> kSales{TicketSale::ExactaQuinella, TicketSale::Exacta,
                                             TicketSale::Quinella, TicketSale::All, TicketSale::None};

  for (int code = 1; code <= 24; ++code) {
    const std::string venueCode{static_cast<char>('0' + code / 10),
                                static_cast<char>('0' + code % 10)};
    const int venuesBefore = ordinal[static_cast<std::size_t>(code)] + skew;
    StoppingObserver observer(stopAt);
    auto search = FindVenueResult(path, venueCode, venuesBefore, observer);
    Require(search.ok(), "a plain file failed to read");
    StoppingObserver sameObserver(stopAt);
    auto inMemory = FindVenueResultIn(input, venueCode, venuesBefore, sameObserver);
    Require(inMemory.ok() && inMemory->end == search->end &&
                inMemory->result.Rows == search->result.Rows,
            "the search over bytes differs from the search of the file");
    if (search->end == ResultSearchEnd::Stopped) Require(stopAt != 0, "stopped unasked");
    if (search->end != ResultSearchEnd::Found) continue;

    const VenueResult& result = search->result;
    for (const ResultRow& row : result.Rows) CheckRow(row);
    for (int r = -1; r <= 13; ++r) CheckRow(result.Race(r));

    for (TicketSale sale : kSales) {
      FillRows(TicketsFromLists(sale, lists[0], lists[1], lists[2], lists[3]), result);
    }
    TicketList exacta, quinella, trifecta, trio;
    auto ticketOf = [](const std::string& text, bool box) {
      Ticket ticket;
      if (const auto combination = ParseCombination(text)) ticket.boats = *combination;
      ticket.box = box;
      return ticket;
    };
    for (std::size_t j = 0; j < 6; ++j) {
      const ResultRow& row = result.Rows[j];
      exacta[j] = ticketOf(row.ExactaCombination, false);
      quinella[j] = ticketOf(row.QuinellaCombination, false);
      trio[j] = ticketOf(row.TrioCombination, false);
      trifecta[j] = ticketOf(row.TrifectaCombination, j < 3);
    }
    FillRows(TicketsFromLists(TicketSale::All, exacta, quinella, trifecta, trio), result);
  }
  return 0;
}
