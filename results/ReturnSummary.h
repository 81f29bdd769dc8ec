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
  long long stake = 0;   // yen: 100 per combination bought
  long long payout = 0;  // yen paid back: every winning combination a ticket covers, refunds
  // Percent of the stake paid back; 0 when nothing was staked.
  double ReturnPercent() const {
    return stake > 0 ? 100.0 * static_cast<double>(payout) / static_cast<double>(stake) : 0.0;
  }
};

struct CheckTally {
  PerBet<BetTally> bets;

  BetTally& operator[](BetType bet) { return bets[bet]; }
  const BetTally& operator[](BetType bet) const { return bets[bet]; }

  // Counts one race: its tickets and bet types on sale, and its row of results. Bet types not
  // on sale, without a result (blank combination, race not run, void) or without tickets are
  // left out of both sides; a special payout counts its stake and its refund, but no hit.
  void Add(const RecommendedTickets& tickets, const ResultRow& row);
  // The same with the row as FillResultRow shows it, when the caller has it already.
  void Add(const RecommendedTickets& tickets, const ResultRow& row, const ResultRowDisplay& shown);
  CheckTally& operator+=(const CheckTally& other);
};

}  // namespace wakorin
