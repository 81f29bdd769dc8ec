#include "results/ReturnSummary.h"

#include <algorithm>

#include "base/ByteField.h"
#include "base/Decimal.h"

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

void Count(BetTally& tally, bool onSale, const std::array<std::string, 6>& tickets,
           const std::string& combination, const ResultCell& shown) {
  const long long stake = Stake(tickets);
  if (!onSale || IsBlank(combination) || stake == 0) return;
  ++tally.races;
  tally.stake += stake;
  if (!shown.hit) return;
  ++tally.hits;
  // In a dead heat the hit pays the payout of the combination it matched.
  auto yen = ParseDecimal(TrimControlAndBlanks(shown.paid));
  if (yen) tally.payout += *yen;
}

void Sum(BetTally& into, const BetTally& from) {
  into.races += from.races;
  into.hits += from.hits;
  into.stake += from.stake;
  into.payout += from.payout;
}

}  // namespace

int CombinationsOf(const std::string& ticket) {
  if (ticket.empty()) return 0;
  return ticket.size() > 1 && ticket[1] == '&' ? 6 : 1;
}

void CheckTally::Add(const RecommendedTickets& tickets, const ResultRow& row) {
  const ResultRowDisplay shown = FillResultRow(tickets, row);
  Count(quinella, tickets.quinellaOnSale, tickets.Ken2F, row.QuinellaCombination, shown.quinella);
  Count(exacta, tickets.exactaOnSale, tickets.Ken2T, row.ExactaCombination, shown.exacta);
  Count(trio, tickets.trioOnSale, tickets.Ken3F, row.TrioCombination, shown.trio);
  Count(trifecta, tickets.trifectaOnSale, tickets.Ken3T, row.TrifectaCombination, shown.trifecta);
}

CheckTally& CheckTally::operator+=(const CheckTally& other) {
  Sum(quinella, other.quinella);
  Sum(exacta, other.exacta);
  Sum(trio, other.trio);
  Sum(trifecta, other.trifecta);
  return *this;
}

}  // namespace wakorin
