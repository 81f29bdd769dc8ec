#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "results/RacePayouts.h"

namespace wakorin {

// How a purchase names its boats: one combination, a box (every combination of the boats chosen,
// in any order) or a formation (流し: each place of the finish from a set of boats).
enum class TicketForm { Single, Box, Formation };

// Why the boats given name no combination that can be bought.
enum class TicketFault {
  None,
  BoatOutOfRange,  // a boat other than 1..6
  BoatTwice,       // a boat twice in one set, or twice in one combination
  WrongCount,      // one combination that does not name one boat a place
  NoCombination,   // a box or formation that covers nothing
};

struct TicketExpansion {
  std::vector<Combination> combinations;  // each once, in the order a ticket machine lists them
  TicketFault fault = TicketFault::None;
};

// The combinations a purchase of `bet` covers. `places[k]` are the boats of place k + 1: for a
// single combination one boat in each of the first BoatsOf(bet) places, for a box the boats in
// places[0] only, for a formation a set in each of the first BoatsOf(bet) places. Combinations of
// an unordered type are written lowest boat first and counted once.
TicketExpansion ExpandTicket(AnyBet bet, TicketForm form, const std::array<std::vector<int>, 3>& places);

// A day's result file read once for settling tickets.
class DayPayouts {
 public:
  explicit DayPayouts(std::string_view resultFile);
  // What a ticket of venue `venueCode`, race `race` returns per 100 yen, by SettleTicket; nullopt
  // while it is not settled: the venue absent from the file or its results not published yet, or
  // the file giving nothing for the bet type.
  std::optional<TicketReturn> Settle(std::string_view venueCode, int race, AnyBet bet,
                                     const Combination& boats) const;

 private:
  struct Venue {
    char code[2]{};
    std::vector<RacePayouts> races;
    std::vector<unsigned> refunded;  // per race as listed: bit n, boat n's tickets refunded
  };
  const Venue* Find(std::string_view venueCode) const;
  std::vector<Venue> venues_;  // published venues only
};

}  // namespace wakorin
