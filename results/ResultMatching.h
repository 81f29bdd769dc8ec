#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "predict/BetType.h"
#include "predict/RecommendedTickets.h"
#include "results/RacePayouts.h"
#include "results/ResultFile.h"

namespace wakorin {

// One bet type of a race's row of results, matched against the race's tickets: which ticket hit
// and the winning combinations with their payouts, as values. A row the file writes damaged keeps
// its bytes, so that it is shown as written rather than guessed at.
struct BetMatch {
  enum class Result : std::uint8_t {
    NotShown,    // neither type of its group (two-boat, three-boat) is on sale
    NoResult,    // the row's combination and payout are blank: the bet type has no result
    Paid,        // `won`, and in a dead heat `deadHeat`
    Cancelled,   // the race was not run (中　止): nothing paid, nothing hit
    Void,        // 不成立: every stake refunded, nothing hit
    Special,     // 特払い: `refund` per 100 yen (0 when the file gives none)
    Unreadable,  // the row's combination or payout is not one: `written` holds them as the file does
  };
  Result result = Result::NotShown;
  // Paid: the winning combination the first hitting ticket covers, with its own payout, else the
  // row's own. The payout table gives no 人気, so `won.popularity` is 0 unless a reader of the
  // race's own payout lines fills it in. Unreadable: the combination when it can be read.
  Payout won;
  // A dead heat: every winning combination with its payout, the row's own first; empty when
  // there is one winning combination. A further combination that cannot be read is left out.
  std::vector<Payout> deadHeat;
  long long refund = 0;  // Special
  std::string writtenCombination, writtenPayout;  // Unreadable
  int ticket = 0;  // the number (1..6) of the first ticket that hit; 0 for none

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
long long PaidFor(const RecommendedTickets& slot, BetType bet, const BetMatch& match);

// Both two-boat results are shown when either two-boat type is on sale, both three-boat results
// when a three-boat type is; only the types on sale are matched. In a dead heat a ticket hits
// when it covers any of the winning combinations. A race not run, a void bet and a special payout
// are never a hit.
RaceMatch MatchResultRow(const RecommendedTickets& slot, const ResultRow& row);

// Gives each winning combination of `match` its 人気, as the race's own payout lines under its
// finishing table give it; a combination they do not list keeps 0.
void AddPopularity(RaceMatch& match, const RacePayouts& race);

}  // namespace wakorin
