#include "results/ResultMatching.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "base/ByteField.h"

namespace wakorin {
namespace {

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

// A payout field's yen: digits between blanks (a '+' allowed), at most what an int holds; 0 for
// anything else. Read for every cell the check shows, so it builds no error for a blank.
long long Yen(std::string_view payout) {
  std::string_view digits = TrimControlAndBlanks(payout);
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  if (digits.empty() || digits.size() > 10) return 0;
  long long yen = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    yen = yen * 10 + (c - '0');
  }
  return yen <= std::numeric_limits<int>::max() ? yen : 0;
}

// Calls pay(combination, payout) for each winning combination of the row, uncopied.
template <typename Pay>
void EachWinner(const ResultRow& row, BetType bet, Pay&& pay) {
  if (!HasWinners(row, bet)) return;
  pay(row.Combination(bet), row.Payout(bet));
  for (const auto& [combination, payout] : row.Ties[bet]) pay(combination, payout);
}

}  // namespace

bool HasWinners(const ResultRow& row, BetType bet) {
  return !(row.Cancelled || row.Void[bet] || row.Special[bet] || IsBlank(row.Combination(bet)));
}

std::vector<std::pair<std::string, std::string>> Winners(const ResultRow& row, BetType bet) {
  std::vector<std::pair<std::string, std::string>> winners;
  EachWinner(row, bet, [&](const std::string& c, const std::string& p) { winners.emplace_back(c, p); });
  return winners;
}

long long PaidFor(const RecommendedTickets& slot, BetType bet, const BetMatch& match) {
  if (!slot.onSale[bet]) return 0;
  if (match.result == BetMatch::Result::Special) {
    long long combinations = 0;
    for (const Ticket& ticket : slot.tickets[bet]) combinations += ticket.Combinations();
    return combinations * match.refund;
  }
  if (match.result != BetMatch::Result::Paid && match.result != BetMatch::Result::Unreadable) return 0;
  long long paid = 0;
  auto pay = [&](const Payout& winner) {
    int covering = 0;
    for (std::size_t j = 0; j < 6; ++j) covering += Covers(slot, bet, j, winner.combination) ? 1 : 0;
    paid += covering * winner.yen;
  };
  if (match.deadHeat.empty()) {
    pay(match.won);
  } else {
    for (const Payout& winner : match.deadHeat) pay(winner);
  }
  return paid;
}

RaceMatch MatchResultRow(const RecommendedTickets& slot, const ResultRow& row) {
  RaceMatch match;
  for (BetType bet : kBetTypes) {
    if (!(IsTwoBoat(bet) ? slot.TwoBoatOnSale() : slot.ThreeBoatOnSale())) continue;
    BetMatch& cell = match.bets[bet];
    if (row.Cancelled || row.Void[bet]) {
      cell.result = row.Cancelled ? BetMatch::Result::Cancelled : BetMatch::Result::Void;
      continue;  // nothing was paid, so nothing can be hit
    }
    if (row.Special[bet]) {
      cell.result = BetMatch::Result::Special;
      cell.refund = Yen(row.Payout(bet));
      continue;  // a refund, not a hit
    }
    const std::string& combination = row.Combination(bet);
    const std::string& payout = row.Payout(bet);
    if (IsBlank(combination) && IsBlank(payout)) {
      cell.result = BetMatch::Result::NoResult;
      continue;
    }
    const std::optional<Combination> own = ParseCombination(combination);
    const long long yen = Yen(payout);
    const bool readable = own && own->count == (IsTwoBoat(bet) ? 2 : 3) && yen > 0;
    cell.result = readable ? BetMatch::Result::Paid : BetMatch::Result::Unreadable;
    if (own) cell.won = {*own, yen, 0};
    if (!readable) {
      cell.writtenCombination = combination;
      cell.writtenPayout = payout;
    }
    // Further winning combinations of a dead heat, each read into lanes once; one that cannot be
    // read can be neither hit nor paid.
    if (!IsBlank(combination)) {
      for (const auto& [tie, yen] : row.Ties[bet]) {
        if (const auto winner = ParseCombination(tie)) cell.deadHeat.push_back({*winner, Yen(yen), 0});
      }
    }
    if (!cell.deadHeat.empty() && own) cell.deadHeat.insert(cell.deadHeat.begin(), cell.won);
    if (!slot.onSale[bet]) continue;
    // The first ticket, in recommended order, that covers any winning combination.
    for (std::size_t j = 0; j < 6 && cell.ticket == 0; ++j) {
      if (own && Covers(slot, bet, j, *own)) {
        cell.ticket = static_cast<int>(j + 1);
        break;
      }
      for (std::size_t k = own ? 1 : 0; k < cell.deadHeat.size(); ++k) {
        if (!Covers(slot, bet, j, cell.deadHeat[k].combination)) continue;
        cell.ticket = static_cast<int>(j + 1);
        cell.won = cell.deadHeat[k];
        break;
      }
    }
  }
  return match;
}

void AddPopularity(RaceMatch& match, const RacePayouts& race) {
  for (BetType bet : kBetTypes) {
    const BetSettlement& settled = race.Of(AnyOf(bet));
    auto give = [&](Payout& winner) {
      for (const Payout& listed : settled.paid) {
        if (listed.combination == winner.combination) winner.popularity = listed.popularity;
      }
    };
    BetMatch& cell = match.bets[bet];
    if (cell.result != BetMatch::Result::Paid) continue;
    give(cell.won);
    for (Payout& tie : cell.deadHeat) give(tie);
  }
}

}  // namespace wakorin
