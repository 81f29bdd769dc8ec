#include "results/ReturnSummary.h"

#include <algorithm>

namespace wakorin {
namespace {

constexpr long long kStakePerCombination = 100;

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

long long Stake(const std::array<std::string, 6>& tickets) {
  long long combinations = 0;
  for (const std::string& ticket : tickets) combinations += CombinationsOf(ticket);
  return combinations * kStakePerCombination;
}

void Count(BetTally& tally, ResultRow::Bet bet, const RecommendedTickets& tickets,
           const ResultRow& row, const ResultCell& shown) {
  const long long stake = Stake(tickets.Tickets(bet));
  if (!tickets.OnSale(bet) || stake == 0 || row.Cancelled || row.Void[bet]) return;
  if (!row.Special[bet] && IsBlank(row.Combination(bet))) return;
  ++tally.races;
  tally.stake += stake;
  tally.payout += PaidFor(tickets, bet, row);
  if (shown.hit) ++tally.hits;
}

void Sum(BetTally& into, const BetTally& from) {
  into.races += from.races;
  into.hits += from.hits;
  into.stake += from.stake;
  into.payout += from.payout;
}

}  // namespace

void CheckTally::Add(const RecommendedTickets& tickets, const ResultRow& row) {
  const ResultRowDisplay shown = FillResultRow(tickets, row);
  Count(quinella, ResultRow::kQuinella, tickets, row, shown.quinella);
  Count(exacta, ResultRow::kExacta, tickets, row, shown.exacta);
  Count(trio, ResultRow::kTrio, tickets, row, shown.trio);
  Count(trifecta, ResultRow::kTrifecta, tickets, row, shown.trifecta);
}

CheckTally& CheckTally::operator+=(const CheckTally& other) {
  Sum(quinella, other.quinella);
  Sum(exacta, other.exacta);
  Sum(trio, other.trio);
  Sum(trifecta, other.trifecta);
  return *this;
}

}  // namespace wakorin
