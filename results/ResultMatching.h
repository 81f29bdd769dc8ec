#pragma once

#include <string>

#include "predict/BetType.h"
#include "predict/RecommendedTickets.h"
#include "results/ResultFile.h"

namespace wakorin {

// A combination cell of the summary grid: its text and whether it shows on red (a hit) or on
// black.
struct ResultCell {
  std::string text;
  bool hit = false;
  std::string paid;  // the payout of the combination hit, as read
  std::string note;  // every winning combination and payout of a dead heat (CP932)
  // The same as values, for readers that are not the grid: the combination shown as the file
  // writes it (or 中　止, 不成立, 特払い), the number (1..6) of the ticket that hit it or 0, and
  // its payout as the file writes it, without the yen sign.
  std::string combination;
  int ticket = 0;
  std::string payout;
};

// One row of the summary grid, bet type by bet type. Texts are CP932 bytes; the group of a bet
// type not on sale is empty.
struct ResultRowDisplay {
  PerBet<ResultCell> cell;
  PerBet<std::string> payout;
};

// The winning combinations of a bet and their payouts, the row's own first; none for a race not
// run, a void bet, a special payout or a bet without a result.
std::vector<std::pair<std::string, std::string>> Winners(const ResultRow& row, BetType bet);
// Whether Winners(row, bet) names any combination, without copying them out.
bool HasWinners(const ResultRow& row, BetType bet);

// Yen paid for a bet type's six tickets as a bettor holding them is paid: each ticket for every
// winning combination it covers (a box can cover both combinations of a dead heat), and for a
// special payout the refund for every combination bought. 0 when the type is not on sale.
long long PaidFor(const RecommendedTickets& slot, BetType bet, const ResultRow& row);

// Both two-boat results are shown when either two-boat type is on sale, both three-boat results
// when a three-boat type is; only the types on sale are matched. A hit tags the combination with
// the number of the first ticket that hit, e.g. "1-3(2)". A payout carries "円" unless its
// combination is blank. A race not run shows "中　止", a void bet "不成立" and a special payout
// "特払い" with its refund, none ever a hit. In a dead heat a ticket hits when it covers any of
// the winning combinations: the cell shows the combination the first hitting ticket covers, with
// that combination's own payout, or the first combination read when none hit.
ResultRowDisplay FillResultRow(const RecommendedTickets& slot, const ResultRow& row);

}  // namespace wakorin
