#include "results/ResultMatching.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "base/ByteField.h"
#include "base/Decimal.h"

namespace wakorin {
namespace {

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

long long Yen(std::string_view payout) {
  auto yen = ParseDecimal(TrimControlAndBlanks(payout));
  return yen && *yen > 0 ? *yen : 0;
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

long long PaidFor(const RecommendedTickets& slot, BetType bet, const ResultRow& row) {
  if (!slot.onSale[bet] || row.Cancelled || row.Void[bet]) return 0;
  if (row.Special[bet]) {
    long long combinations = 0;
    for (const Ticket& ticket : slot.tickets[bet]) combinations += ticket.Combinations();
    return combinations * Yen(row.Payout(bet));
  }
  long long paid = 0;
  EachWinner(row, bet, [&](const std::string& text, const std::string& payout) {
    const std::optional<Combination> winner = ParseCombination(text);
    if (!winner) return;
    int covering = 0;
    for (std::size_t j = 0; j < 6; ++j) covering += Covers(slot, bet, j, *winner) ? 1 : 0;
    if (covering > 0) paid += covering * Yen(payout);
  });
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
      cell.payout = row.Payout(bet);
      continue;  // a refund, not a hit
    }
    cell.result = BetMatch::Result::Paid;
    cell.combination = row.Combination(bet);
    cell.payout = row.Payout(bet);
    if (HasWinners(row, bet) && !row.Ties[bet].empty()) cell.winners = Winners(row, bet);
    if (!slot.onSale[bet]) continue;
    // The first ticket, in recommended order, that covers any winning combination, each
    // combination read into lanes once.
    std::vector<std::pair<Combination, const std::pair<std::string, std::string>*>> tied;
    const bool paid = HasWinners(row, bet);
    const std::optional<Combination> own = paid ? ParseCombination(row.Combination(bet)) : std::nullopt;
    for (const auto& tie : row.Ties[bet]) {
      if (!paid) break;
      if (const auto winner = ParseCombination(tie.first)) tied.emplace_back(*winner, &tie);
    }
    for (std::size_t j = 0; j < 6 && cell.ticket == 0; ++j) {
      if (own && Covers(slot, bet, j, *own)) {
        cell.ticket = static_cast<int>(j + 1);
        break;
      }
      for (const auto& [winner, tie] : tied) {
        if (!Covers(slot, bet, j, winner)) continue;
        cell.ticket = static_cast<int>(j + 1);
        cell.combination = tie->first;
        cell.payout = tie->second;
        break;
      }
    }
  }
  return match;
}

}  // namespace wakorin
