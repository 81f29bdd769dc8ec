#include "results/ReturnSummary.h"

#include "results/ResultMatching.h"

namespace wakorin {
namespace {

constexpr long long kStakePerCombination = 100;

long long Stake(const TicketList& tickets) {
  long long combinations = 0;
  for (const std::string& ticket : tickets) combinations += CombinationsOf(ticket);
  return combinations * kStakePerCombination;
}

}  // namespace

void CheckTally::Add(const RecommendedTickets& tickets, const ResultRow& row) {
  Add(tickets, row, FillResultRow(tickets, row));
}

void CheckTally::Add(const RecommendedTickets& tickets, const ResultRow& row,
                     const ResultRowDisplay& shown) {
  for (BetType bet : kBetTypes) {
    const long long stake = Stake(tickets.tickets[bet]);
    if (!tickets.onSale[bet] || stake == 0 || row.Cancelled || row.Void[bet]) continue;
    if (!row.Special[bet] && Winners(row, bet).empty()) continue;  // no result
    BetTally& tally = bets[bet];
    ++tally.races;
    tally.stake += stake;
    tally.payout += PaidFor(tickets, bet, row);
    if (shown.cell[bet].hit) ++tally.hits;
  }
}

CheckTally& CheckTally::operator+=(const CheckTally& other) {
  for (BetType bet : kBetTypes) {
    bets[bet].races += other[bet].races;
    bets[bet].hits += other[bet].hits;
    bets[bet].stake += other[bet].stake;
    bets[bet].payout += other[bet].payout;
  }
  return *this;
}

}  // namespace wakorin
