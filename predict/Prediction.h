#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/Error.h"
#include "predict/RacerStats.h"
#include "predict/Ticket.h"
#include "program/RaceCard.h"

namespace wakorin {

// Arrays indexed 1..6 as the rules are written (element 0 unused).
using Six = std::array<int, 7>;

// The move a boat makes at the first turn, by how late it starts: the earliest escapes (逃げ),
// the next rounds the boats inside it (まくり), later ones cut inside (差し).
enum class TurnMove : std::uint8_t { None, Escape, Roll, Cut };
TurnMove TurnMoveFor(int step);

struct TPrediction {
  Six Entry{};     // Entry[k]: the lane whose boat takes course k
  Six SlitRank{};  // rank of course k's boat at the slit, 1 = earliest, ties share
  Six SlitStep{};  // course k's start in tenths of a second
  std::array<TurnMove, 7> Turn{};  // the first-turn move of course k
  Six Score{};                          // finishing score of index i, before ordering
  Six Order{};                          // Order[p]: the boat predicted in place p
  // Ticket k at index k - 1: exacta, quinella, trifecta (tickets 1..3 boxes), trio.
  std::array<Ticket, 6> Ken2T, Ken2F, Ken3T, Ken3F;
};

// Predicts one race from the six lanes' statistics and their motor and boat number texts.
// A motor or boat number that is not an integer fails with its text. With `fixedEntry` (a race
// whose course entry is fixed by rule) lane k takes course k whatever the counts say; the slit,
// the first turn, the order and the tickets follow from that entry as from any other.
Outcome<TPrediction> Predict(const LaneStats& stats, const std::array<std::string, 6>& motorNumbers,
                             const std::array<std::string, 6>& boatNumbers,
                             bool fixedEntry = false);

// The race on a card, with the six racers' statistics already looked up.
inline Outcome<TPrediction> Predict(const LaneStats& stats, const CardNumbers& numbers) {
  return Predict(stats, numbers.motors, numbers.boats, numbers.fixedEntry);
}

}  // namespace wakorin
