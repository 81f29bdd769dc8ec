#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "predict/BetType.h"
#include "predict/RecommendedTickets.h"
#include "results/ResultFile.h"

namespace wakorin {

// One bet type of a race's row of results, matched against the race's tickets: what stands in
// the file (fields as CP932 bytes, as the file writes them) and which ticket hit. The window and
// the checker make their words from it.
struct BetMatch {
  enum class Result : std::uint8_t {
    NotShown,   // neither type of its group (two-boat, three-boat) is on sale
    Paid,       // `combination` and `payout` as read; a blank combination: no result
    Cancelled,  // the race was not run (中　止): nothing paid, nothing hit
    Void,       // 不成立: every stake refunded, nothing hit
    Special,    // 特払い: `payout` is the refund per 100 yen (blank when the file gives none)
  };
  Result result = Result::NotShown;
  // Paid: the winning combination the first hitting ticket covers, with its own payout, else
  // the row's own combination and payout. Special: the refund. Blanks kept.
  std::string combination;
  std::string payout;
  int ticket = 0;  // the number (1..6) of the first ticket that hit; 0 for none
  // A dead heat: every winning combination with its payout, the row's own first; empty when
  // there is one winning combination.
  std::vector<std::pair<std::string, std::string>> winners;

  bool Hit() const { return ticket > 0; }
};

// A race's row of results matched, bet type by bet type.
struct RaceMatch {
  PerBet<BetMatch> bets;
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
// when a three-boat type is; only the types on sale are matched. In a dead heat a ticket hits
// when it covers any of the winning combinations. A race not run, a void bet and a special payout
// are never a hit.
RaceMatch MatchResultRow(const RecommendedTickets& slot, const ResultRow& row);

}  // namespace wakorin
