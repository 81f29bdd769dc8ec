#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "predict/BetType.h"
#include "predict/DataFigures.h"
#include "predict/DataModel.h"
#include "predict/RecommendedTickets.h"

namespace wakorin {

// How one bet type of a race was settled, as plain numbers.
struct BetOutcome {
  bool settled = false;  // false: no result (race not run, bet void, not on sale)
  // Winning combinations as lane digits in ticket order (13 for "1-3", 132 for "1-3-2"; more
  // than one after a dead heat) with their payout per 100 yen.
  std::vector<std::pair<int, long long>> winners;
  long long special = -1;  // 特払い: the refund per 100 yen of every combination bought
};

// One race of learning or measuring months: its figures before the race, and what happened.
struct LearnRace {
  int date = 0;  // yyyymmdd
  RaceFigures figures;
  std::array<int, 3> order{};    // lanes 1st, 2nd, 3rd; 0 where not known
  std::array<bool, 6> refunded{};  // lanes whose tickets are paid back (void start, no start)
  PerBet<BetOutcome> outcome;
};

// The key of a ticket text ("1-3-2" -> 132), 0 for an empty ticket.
int TicketKey(std::string_view ticket);

// What a list of tickets got back in one race: stake 100 yen per combination, every winning
// combination a ticket covers paid, a special payout refunded for every combination, and a
// ticket naming a boat whose start was void paid back (counted apart, never a hit).
struct RaceReturn {
  long long stake = 0, paid = 0, refunds = 0;
  bool hit = false;
};
RaceReturn Settle(const BetOutcome& outcome, const std::array<bool, 6>& refunded,
                  const std::vector<int>& ticketKeys);

// Figures of one bet type over many races, with a bootstrap 95 % interval of the return.
struct ReturnFigures {
  int races = 0;  // races with a result
  int bet = 0;    // races bought
  int hits = 0;
  long long stake = 0, paid = 0, refunds = 0;
  double low = 0.0, high = 0.0;  // percent
  double Percent() const { return stake > 0 ? 100.0 * static_cast<double>(paid) / stake : 0.0; }
};
// `returns` holds one entry per race with a result (stake 0 where it was skipped). The
// bootstrap resamples races with a fixed seed, so the same races give the same interval.
ReturnFigures Summarise(const std::vector<RaceReturn>& returns, int resamples = 2000);

// How many percentage points one list of returns beats another on the same races, with a
// bootstrap 95 % interval that resamples races for both at once.
struct GainFigures {
  double points = 0.0, low = 0.0, high = 0.0;
};
GainFigures GainOver(const std::vector<RaceReturn>& rule, const std::vector<RaceReturn>& base,
                     int resamples = 2000);

struct LearnOptions {
  double ridge = 2.0;           // L2 penalty on every weight, in units of log-likelihood
  int maxIterations = 25;
  double minBetShare = 0.30;    // the thresholds keep at least this share of races bet
  bool refit = false;           // after the thresholds, learn again from learning and tuning days
  bool skip = true;             // false: no threshold, every race bet
};

// Progress: a stage's name, steps done and steps in all. It answers whether to go on: false
// stops the learning at once. It is asked at least once per iteration of every fit.
using LearnProgress = std::function<bool(std::string_view stage, int done, int total)>;

// Fits the three place models on `learn` (races whose first three are known) by Newton's
// method, the payout tables on `learn`, and each bet type's threshold on `tune`: the return of
// the races kept is the highest among thresholds that keep at least minBetShare of them, kept only
// when the gain over buying every tuning race has a 95 % interval above zero. With
// no tuning races the thresholds are 0 (every race bet). Deterministic: the same races in the
// same order give the same model. Nullopt when `progress` said stop: no half-learned model.
std::optional<DataModel> Learn(const std::vector<LearnRace>& learn, const std::vector<LearnRace>& tune,
                const LearnOptions& options = {}, const LearnProgress& progress = {});

// The six fixed tickets of each bet type that need no file, for comparison: the most frequent
// combinations of the favourites.
const PerBet<TicketList>& FixedFavourites();

}  // namespace wakorin
