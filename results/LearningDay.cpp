#include "results/LearningDay.h"

#include <algorithm>

#include "base/ByteField.h"
#include "program/RaceCard.h"
#include "program/VenueBlockScan.h"
#include "program/VenueTable.h"
#include "results/FinishTable.h"
#include "results/ResultFile.h"
#include "results/ResultMatching.h"

namespace wakorin {
namespace {

// "   1180" -> 1180; -1 for anything but blanks and digits.
long long Yen(std::string_view text) {
  text = TrimControlAndBlanks(text);
  if (text.empty() || text.size() > 9) return -1;
  long long yen = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    yen = yen * 10 + (c - '0');
  }
  return yen;
}

BetOutcome OutcomeOf(const ResultRow& row, BetType bet) {
  BetOutcome outcome;
  if (row.Cancelled || row.Void[bet]) return outcome;
  if (row.Special[bet]) {
    outcome.special = Yen(row.Payout(bet));
    outcome.settled = outcome.special >= 0;
    return outcome;
  }
  for (const auto& [combination, payout] : Winners(row, bet)) {
    const long long yen = Yen(payout);
    const int key = TicketKey(combination);
    if (yen < 0 || key == 0) return BetOutcome{};  // unreadable: left out rather than guessed
    outcome.winners.emplace_back(key, yen);
  }
  outcome.settled = !outcome.winners.empty();
  return outcome;
}

}  // namespace

std::vector<LearnRace> ReadLearningDay(std::string_view programFile, std::string_view resultFile,
                                       int date, const FormBook* forms,
                                       std::vector<std::string>* problems) {
  std::vector<LearnRace> races;
  auto note = [&](std::string text) {
    if (problems != nullptr) problems->push_back(std::move(text));
  };
  auto index = IndexVenueBlocksIn(programFile);
  if (!index || !index->startFound) {
    note("not a race program file");
    return races;
  }
  ResultSearchObserver quiet;
  std::vector<std::string> taken;
  for (const VenueIndexEntry& block : index->blocks) {
    if (block.placeholder || !IsVenueCode(block.code)) continue;
    // A venue whose block stands twice is one venue's races: learned once, as the check counts it.
    if (std::find(taken.begin(), taken.end(), block.code) != taken.end()) continue;
    taken.push_back(block.code);
    auto search = FindVenueResultIn(resultFile, block.code, 0, quiet);
    if (!search || search->end != ResultSearchEnd::Found) {
      note("venue " + block.code + ": no result found");
      continue;
    }
    const std::vector<RaceFinish> finishes = ReadFinishTables(resultFile, block.code);
    const std::string_view bytes = programFile.substr(block.offset, block.length);
    const std::string name = VenueNameOfCode(block.code);
    for (int r = 1; r <= std::min(block.raceCount, 12); ++r) {
      const TRaceCard card = ReadRaceCard(bytes, r, name, block.layout);
      const ResultRow& row = search->result.Race(r);
      if (row.Cancelled) continue;
      LearnRace race;
      race.date = date;
      LaneForms laneForms;
      if (forms != nullptr) laneForms = forms->FormsOf(card);
      race.figures = FiguresOf(card, block.code, forms != nullptr ? &laneForms : nullptr);
      const PerBet<bool> onSale = BetsOnSale(card.Sale);
      for (BetType bet : kBetTypes) {
        if (onSale[bet]) race.outcome[bet] = OutcomeOf(row, bet);
      }
      for (const RaceFinish& finish : finishes) {
        if (finish.race != r) continue;
        for (std::size_t k = 0; k < 3; ++k) race.order[k] = finish.LaneAt(static_cast<int>(k) + 1);
        for (const Finisher& boat : finish.boats) {
          if (boat.Refunded()) race.refunded[static_cast<std::size_t>(boat.lane - 1)] = true;
        }
        break;
      }
      races.push_back(std::move(race));
    }
  }
  return races;
}

}  // namespace wakorin
