#pragma once

#include "predict/BetType.h"
#include "predict/RecommendedTickets.h"
#include "results/ResultFile.h"
#include "results/ResultMatching.h"

namespace wakorin {

// Hits and return of one bet type over the races checked.
struct BetTally {
  int races = 0;  // races with a result for which tickets were bought
  int hits = 0;
  // Races with a result where the bet type was on sale but the data mode bet nothing (見送り):
  // apart from `races`, so that a skipped race never reads as a miss.
  int skipped = 0;
  long long stake = 0;   // yen: 100 per combination bought
  long long payout = 0;  // yen paid: every winning combination a ticket covers, special payouts
  // Yen paid back for tickets naming a boat whose start was void or that did not start: their
  // stake comes back, but they are no hit.
  long long refund = 0;
  // Percent of the stake paid back, refunds included; 0 when nothing was staked.
  double ReturnPercent() const {
    return stake > 0 ? 100.0 * static_cast<double>(payout + refund) / static_cast<double>(stake)
                     : 0.0;
  }
  BetTally& operator+=(const BetTally& other);
};

struct CheckTally {
  PerBet<BetTally> bets;

  BetTally& operator[](BetType bet) { return bets[bet]; }
  const BetTally& operator[](BetType bet) const { return bets[bet]; }

  // Counts one race: its tickets and bet types on sale, and its row of results. Bet types not
  // on sale, without a result (blank combination, race not run, void) or without tickets are
  // left out of both sides; a special payout counts its stake and its refund, but no hit.
  // `refundedLanes` has bit n set when lane n's start was void (F, L) or it did not start (K):
  // every ticket naming such a boat is paid back. A bet type set in `skipped` counts as skipped.
  void Add(const RecommendedTickets& tickets, const ResultRow& row, unsigned refundedLanes = 0,
           const PerBet<bool>& skipped = {});
  // The same with the row already matched (MatchResultRow), when the caller has it.
  void Add(const RecommendedTickets& tickets, const ResultRow& row, const RaceMatch& match,
           unsigned refundedLanes = 0, const PerBet<bool>& skipped = {});
  CheckTally& operator+=(const CheckTally& other);
};

}  // namespace wakorin
