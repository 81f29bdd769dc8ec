#include "results/ReturnSummary.h"

#include "results/ResultMatching.h"

namespace wakorin {
namespace {

constexpr long long kStakePerCombination = 100;

long long Stake(const TicketList& tickets) {
  long long combinations = 0;
  for (const Ticket& ticket : tickets) combinations += ticket.Combinations();
  return combinations * kStakePerCombination;
}

// Yen paid back for the tickets that name a refunded lane: a box names its three lanes in every
// combination it covers, so it is paid back whole.
long long Refunded(const TicketList& tickets, unsigned refundedLanes) {
  if (refundedLanes == 0) return 0;
  long long combinations = 0;
  for (const Ticket& ticket : tickets) {
    bool names = false;
    for (std::size_t k = 0; k < ticket.boats.count; ++k) {
      const int lane = ticket.boats.boats[k];
      names |= lane >= 1 && lane <= 6 && (refundedLanes >> lane & 1u);
    }
    if (names) combinations += ticket.Combinations();
  }
  return combinations * kStakePerCombination;
}

}  // namespace

void CheckTally::Add(const RecommendedTickets& tickets, const ResultRow& row,
                     unsigned refundedLanes, const PerBet<bool>& skipped) {
  Add(tickets, row, MatchResultRow(tickets, row), refundedLanes, skipped);
}

void CheckTally::Add(const RecommendedTickets& tickets, const ResultRow& row,
                     const RaceMatch& match, unsigned refundedLanes,
                     const PerBet<bool>& skipped) {
  for (BetType bet : kBetTypes) {
    if (!tickets.onSale[bet] || row.Cancelled || row.Void[bet]) continue;
    if (!row.Special[bet] && !HasWinners(row, bet)) continue;  // no result
    BetTally& tally = bets[bet];
    if (skipped[bet]) {
      ++tally.skipped;
      continue;
    }
    const long long stake = Stake(tickets.tickets[bet]);
    if (stake == 0) continue;
    ++tally.races;
    tally.stake += stake;
    tally.payout += PaidFor(tickets, bet, match.bets[bet]);
    // A special payout already pays back every combination bought.
    if (!row.Special[bet]) tally.refund += Refunded(tickets.tickets[bet], refundedLanes);
    if (match.bets[bet].Hit()) ++tally.hits;
  }
}

BetTally& BetTally::operator+=(const BetTally& other) {
  races += other.races;
  hits += other.hits;
  skipped += other.skipped;
  stake += other.stake;
  payout += other.payout;
  refund += other.refund;
  return *this;
}

CheckTally& CheckTally::operator+=(const CheckTally& other) {
  for (BetType bet : kBetTypes) bets[bet] += other[bet];
  return *this;
}

}  // namespace wakorin
