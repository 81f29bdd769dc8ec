#pragma once

#include <array>
#include <string>

#include "base/Error.h"
#include "predict/RacerStats.h"
#include "predict/Ticket.h"
#include "program/RaceCard.h"

namespace wakorin {

// Arrays indexed 1..6 as the rules are written (element 0 unused).
using Six = std::array<int, 7>;

struct TPrediction {
  Six Entry{};     // Entry[k]: the lane whose boat takes course k
  Six SlitRank{};  // rank of course k's boat at the slit, 1 = earliest, ties share
  Six SlitStep{};  // course k's start in tenths of a second
  std::array<std::string, 7> TurnWord;  // winning-move word of course k (CP932)
  Six Score{};                          // finishing score of index i, before ordering
  Six Order{};                          // Order[p]: the boat predicted in place p
  // Ticket k at index k - 1: exacta, quinella, trifecta (tickets 1..3 boxes), trio.
  std::array<Ticket, 6> Ken2T, Ken2F, Ken3T, Ken3F;

  std::array<std::string, 6> SlitHints;  // course k - 1's start as a time, e.g. "0.10"
};

// The start of course k in tenths, as the tooltip shows it: "0.10" for step 1; a step outside
// 0..9, which only a damaged file gives, still reads as a time ("1.00", "-0.10").
std::string SlitHint(int step);

// Predicts one race from the six lanes' statistics and their motor and boat number texts.
// A motor or boat number that is not an integer fails with its text. With `fixedEntry` (a race
// whose course entry is fixed by rule) lane k takes course k whatever the counts say; the slit,
// the first turn, the order and the tickets follow from that entry as from any other.
Outcome<TPrediction> Predict(const LaneStats& stats, const std::array<std::string, 6>& motorNumbers,
                             const std::array<std::string, 6>& boatNumbers,
                             bool fixedEntry = false);

// What a prediction takes from the race card: each lane's racer, motor and boat number texts,
// and whether the race's course entry is fixed.
struct CardNumbers {
  std::array<std::string, 6> racers, motors, boats;
  bool fixedEntry = false;
};
CardNumbers NumbersOf(const TRaceCard& card);

// The race on a card, with the six racers' statistics already looked up.
inline Outcome<TPrediction> Predict(const LaneStats& stats, const CardNumbers& numbers) {
  return Predict(stats, numbers.motors, numbers.boats, numbers.fixedEntry);
}

}  // namespace wakorin
