#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "predict/BetType.h"
#include "results/ResultFile.h"

namespace wakorin {

// Every bet type a ticket can be bought in, as the result file lists them under each race.
enum class AnyBet { Win, Place, Exacta, Quinella, Wide, Trifecta, Trio };
inline constexpr std::array<AnyBet, 7> kAnyBets{AnyBet::Win,      AnyBet::Place, AnyBet::Exacta,
                                                AnyBet::Quinella, AnyBet::Wide,  AnyBet::Trifecta,
                                                AnyBet::Trio};
// How many boats a combination of the type names (1, 2 or 3), and whether their order counts.
int BoatsOf(AnyBet bet);
bool Ordered(AnyBet bet);

// A combination of boats (lanes 1..6), in the order written: 5-6-3 is {5, 6, 3}.
struct Combination {
  std::array<std::uint8_t, 3> boats{};
  std::uint8_t count = 0;
  bool operator==(const Combination&) const = default;
};

// One winning combination with its payout per 100 yen and its popularity rank (人気; 0 where the
// file gives none: 単勝 and 複勝).
struct Payout {
  Combination combination;
  long long yen = 0;
  int popularity = 0;
};

// How a bet type of a race was settled.
struct BetSettlement {
  enum class State {
    Missing,  // the file gives nothing for it: unreadable, or the race not held
    Paid,     // `paid`: every winning combination (a dead heat gives more than the usual)
    Void,     // 不成立: every stake refunded
    Special,  // 特払い: nobody held a winning combination; `special` yen per 100 refunded
  };
  State state = State::Missing;
  std::vector<Payout> paid;
  long long special = 0;
};

// One race's seven bet types, as listed under its finishing table.
struct RacePayouts {
  int race = 0;                     // 1..12
  std::array<BetSettlement, 7> bets;  // indexed by AnyBet
  const BetSettlement& Of(AnyBet bet) const { return bets[static_cast<std::size_t>(bet)]; }
};

// Every race of a venue's block of a result file (from its key line on), in file order: the
// payout lines under each race's finishing table. A race whose results are cancelled (中　止) has
// no block and is not listed.
std::vector<RacePayouts> ReadRacePayouts(std::string_view venueBlock);

// Where the payout lines and the summary table at the top of the venue's block disagree on one of
// the four bet types that stand in both: a damaged file, to be named rather than guessed.
struct PayoutDisagreement {
  int race = 0;
  BetType bet = BetType::Quinella;
  bool operator==(const PayoutDisagreement&) const = default;
};
std::vector<PayoutDisagreement> CompareWithSummary(const std::vector<RacePayouts>& races,
                                                   const VenueResult& summary);

// What a ticket of `bet` naming `boats` (in the order bought) is paid per 100 yen staked: the
// payout of every winning combination it covers, the special payout of 特払い, the whole stake
// back for 不成立, a race not held (`held` false) or a ticket naming a boat in `refundedBoats`
// (bit n: boat n's start void or no start), and nothing for a loss. A bet type the file gives
// nothing for is not settled yet (nullopt).
struct TicketReturn {
  long long yen = 0;      // per 100 yen staked
  bool hit = false;       // a winning combination was covered
  bool refund = false;    // the stake came back (不成立, 特払い, a race not held, a void start)
};
std::optional<TicketReturn> SettleTicket(AnyBet bet, const Combination& boats,
                                         const RacePayouts* race, unsigned refundedBoats);

// The bet type of the seven that one of the four recommended types is.
AnyBet AnyOf(BetType bet);

// The combinations a recommended ticket buys, in the order written: one, or the six orders of a
// trifecta box ("3&1&5"); none for an empty ticket or one that names no boats.
std::vector<Combination> CombinationsBought(BetType bet, std::string_view ticket);

// What a recommended ticket was paid per 100 yen on each combination it buys, summed, as
// SettleTicket settles each; nullopt while the race's payouts are not known.
struct RecommendedReturn {
  int combinations = 0;
  TicketReturn paid;
};
std::optional<RecommendedReturn> SettleRecommended(BetType bet, std::string_view ticket,
                                                   const RacePayouts* race, unsigned refundedBoats);

}  // namespace wakorin
