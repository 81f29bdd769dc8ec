#include "results/RacePayouts.h"

#include <algorithm>
#include <string>

#include "results/FinishTable.h"
#include "results/ResultFileLayout.h"
#include "results/ResultMatching.h"

namespace wakorin {
namespace {

// The names of the bet types as the payout lines write them (CP932), in AnyBet order.
constexpr std::array<std::string_view, 7> kNames{
    "\x92\x50\x8f\x9f",          // 単勝
    "\x95\xa1\x8f\x9f",          // 複勝
    "\x82\x51\x98\x41\x92\x50",  // ２連単
    "\x82\x51\x98\x41\x95\xa1",  // ２連複
    "\x8a\x67\x98\x41\x95\xa1",  // 拡連複
    "\x82\x52\x98\x41\x92\x50",  // ３連単
    "\x82\x52\x98\x41\x95\xa1",  // ３連複
};
constexpr std::string_view kPopularity = "\x90\x6c\x8b\x43";  // 人気

// The words of a line, into `tokens` (reused line after line: a block has hundreds of them).
void Tokens(std::string_view line, std::vector<std::string_view>& tokens) {
  tokens.clear();
  std::size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\r')) ++at;
    const std::size_t start = at;
    while (at < line.size() && line[at] != ' ' && line[at] != '\r') ++at;
    if (at > start) tokens.push_back(line.substr(start, at - start));
  }
}

std::optional<long long> Number(std::string_view text) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// "5-6-3" as a combination of `count` boats, each 1..6 and none twice.
std::optional<Combination> CombinationOf(std::string_view text, int count) {
  Combination combination;
  std::size_t at = 0;
  for (int k = 0; k < count; ++k) {
    if (at >= text.size() || text[at] < '1' || text[at] > '6') return std::nullopt;
    const auto boat = static_cast<std::uint8_t>(text[at] - '0');
    for (int j = 0; j < k; ++j) {
      if (combination.boats[static_cast<std::size_t>(j)] == boat) return std::nullopt;
    }
    combination.boats[static_cast<std::size_t>(k)] = boat;
    ++at;
    if (k + 1 < count) {
      if (at >= text.size() || text[at] != '-') return std::nullopt;
      ++at;
    }
  }
  if (at != text.size()) return std::nullopt;
  combination.count = static_cast<std::uint8_t>(count);
  return combination;
}

// Reads the payout tokens after a bet's name (or on its continuation line) into `bet`. False when
// they do not read: the bet is then left unsettled rather than guessed.
bool ReadPayouts(const std::vector<std::string_view>& tokens, std::size_t at, AnyBet type,
                 BetSettlement& bet) {
  while (at < tokens.size()) {
    if (tokens[at] == result_layout::kSpecial) {
      const auto yen = at + 1 < tokens.size() ? Number(tokens[at + 1]) : std::nullopt;
      if (!yen) return false;
      bet.state = BetSettlement::State::Special;
      bet.special = *yen;
      at += 2;
      continue;
    }
    if (tokens[at] == result_layout::kVoid) {
      bet.state = BetSettlement::State::Void;
      ++at;
      continue;
    }
    const auto combination = CombinationOf(tokens[at], BoatsOf(type));
    const auto yen = at + 1 < tokens.size() ? Number(tokens[at + 1]) : std::nullopt;
    if (!combination || !yen) return false;
    Payout payout{*combination, *yen, 0};
    at += 2;
    if (at + 1 < tokens.size() && tokens[at] == kPopularity) {
      const auto rank = Number(tokens[at + 1]);
      if (!rank) return false;
      payout.popularity = static_cast<int>(*rank);
      at += 2;
    }
    bet.state = BetSettlement::State::Paid;
    bet.paid.push_back(payout);
  }
  return true;
}

bool Covers(AnyBet bet, const Combination& ticket, const Combination& winner) {
  if (bet == AnyBet::Place) return ticket.count == 1 && winner.count == 1 && ticket.boats[0] == winner.boats[0];
  if (ticket.count != winner.count) return false;
  if (Ordered(bet)) return ticket == winner;
  return InOrder(ticket) == InOrder(winner);
}

std::optional<long long> Yen(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) text.remove_suffix(1);
  return Number(text);
}

// Whether the payout lines say of `bet` what the summary row does.
bool Agrees(const BetSettlement& settled, const ResultRow& row, BetType bet) {
  using State = BetSettlement::State;
  if (row.Void[bet]) return settled.state == State::Void;
  if (row.Special[bet]) return settled.state == State::Special && Yen(row.Payout(bet)) == settled.special;
  const auto winners = Winners(row, bet);
  if (winners.empty()) return settled.state == State::Missing;
  if (settled.state != State::Paid || settled.paid.size() != winners.size()) return false;
  for (const auto& [combination, payout] : winners) {
    const auto boats = CombinationOf(std::string_view(combination), bet == BetType::Quinella || bet == BetType::Exacta ? 2 : 3);
    const auto yen = Yen(payout);
    const bool found = boats && yen && std::any_of(settled.paid.begin(), settled.paid.end(), [&](const Payout& p) {
      return p.combination == *boats && p.yen == *yen;
    });
    if (!found) return false;
  }
  return true;
}

}  // namespace

std::vector<PayoutDisagreement> CompareWithSummary(const std::vector<RacePayouts>& races,
                                                   const VenueResult& summary) {
  std::vector<PayoutDisagreement> disagreements;
  for (const RacePayouts& race : races) {
    const ResultRow& row = summary.Race(race.race);
    for (BetType bet : kBetTypes) {
      if (row.Cancelled || !Agrees(race.Of(AnyOf(bet)), row, bet)) {
        disagreements.push_back({race.race, bet});
      }
    }
  }
  return disagreements;
}

AnyBet AnyOf(BetType bet) {
  switch (bet) {
    case BetType::Quinella:
      return AnyBet::Quinella;
    case BetType::Exacta:
      return AnyBet::Exacta;
    case BetType::Trio:
      return AnyBet::Trio;
    case BetType::Trifecta:
      break;
  }
  return AnyBet::Trifecta;
}

int BoatsOf(AnyBet bet) {
  switch (bet) {
    case AnyBet::Win:
    case AnyBet::Place:
      return 1;
    case AnyBet::Exacta:
    case AnyBet::Quinella:
    case AnyBet::Wide:
      return 2;
    case AnyBet::Trifecta:
    case AnyBet::Trio:
      break;
  }
  return 3;
}

bool Ordered(AnyBet bet) {
  return bet == AnyBet::Exacta || bet == AnyBet::Trifecta || bet == AnyBet::Win;
}

std::vector<RacePayouts> ReadRacePayouts(std::string_view block) {
  std::vector<RacePayouts> races;
  std::vector<std::string_view> tokens;
  int current = -1;  // the bet type (AnyBet) whose continuation lines may follow, or none
  bool first = true;  // the block's own key line comes first
  for (std::size_t at = 0; at < block.size();) {
    std::size_t eol = block.find('\n', at);
    if (eol == std::string_view::npos) eol = block.size();
    const std::string_view line = block.substr(at, eol - at);
    at = eol + 1;
    // The venue's block ends at its end line, or at another venue's key line.
    if (line.size() >= 6 && (line.substr(2, 4) == "KEND" || (!first && line.substr(2, 4) == "KBGN"))) break;
    first = false;
    if (const int race = RaceOfHeading(line)) {
      races.push_back(RacePayouts{race, {}});
      current = -1;
      continue;
    }
    if (races.empty()) continue;
    // Payout lines stand indented by eight blanks or more; anything else (the finishing table,
    // its rule) ends the bet type whose continuation lines could follow. Told before the line is
    // cut into words: most lines of a block are finishing table rows.
    if (line.size() < 8 || line.substr(0, 8) != "        ") {
      if (line.find_first_not_of(" \r") != std::string_view::npos) current = -1;
      continue;
    }
    Tokens(line, tokens);
    if (tokens.empty()) continue;
    std::size_t from = 0;
    const auto named = std::find(kNames.begin(), kNames.end(), tokens[0]);
    if (named != kNames.end()) {
      current = static_cast<int>(named - kNames.begin());
      from = 1;
    } else if (current < 0) {
      continue;
    }
    BetSettlement& bet = races.back().bets[static_cast<std::size_t>(current)];
    if (!ReadPayouts(tokens, from, static_cast<AnyBet>(current), bet)) bet = BetSettlement{};
  }
  return races;
}

std::optional<TicketReturn> SettleTicket(AnyBet bet, const Combination& boats,
                                         const RacePayouts* race, unsigned refundedBoats) {
  TicketReturn back;
  if (race == nullptr) {
    back.yen = 100;
    back.refund = true;
    return back;
  }
  for (int k = 0; k < boats.count; ++k) {
    if (refundedBoats & (1u << boats.boats[static_cast<std::size_t>(k)])) {
      back.yen = 100;
      back.refund = true;
      return back;
    }
  }
  const BetSettlement& settled = race->Of(bet);
  switch (settled.state) {
    case BetSettlement::State::Missing:
      return std::nullopt;
    case BetSettlement::State::Void:
      back.yen = 100;
      back.refund = true;
      return back;
    case BetSettlement::State::Special:
      back.yen = settled.special;
      back.refund = true;
      return back;
    case BetSettlement::State::Paid:
      break;
  }
  for (const Payout& payout : settled.paid) {
    if (Covers(bet, boats, payout.combination)) {
      back.yen += payout.yen;
      back.hit = true;
    }
  }
  return back;
}

std::vector<Combination> CombinationsBought(BetType bet, const Ticket& ticket) {
  Combination written;
  for (std::size_t k = 0; k < ticket.boats.count; ++k) {
    const int lane = ticket.boats.boats[k];
    if (lane >= 1 && lane <= 6) written.boats[written.count++] = static_cast<std::uint8_t>(lane);
  }
  if (written.count != BoatsOf(AnyOf(bet))) return {};
  if (bet != BetType::Trifecta || !ticket.box) return {written};
  std::array<std::uint8_t, 3> boats = InOrder(written).boats;
  std::vector<Combination> every;
  do {
    every.push_back(Combination{boats, 3});
  } while (std::next_permutation(boats.begin(), boats.end()));
  return every;
}

std::optional<RecommendedReturn> SettleRecommended(BetType bet, const Ticket& ticket,
                                                   const RacePayouts* race, unsigned refundedBoats) {
  RecommendedReturn total;
  for (const Combination& boats : CombinationsBought(bet, ticket)) {
    const std::optional<TicketReturn> one = SettleTicket(AnyOf(bet), boats, race, refundedBoats);
    if (!one) return std::nullopt;
    ++total.combinations;
    total.paid.yen += one->yen;
    total.paid.hit = total.paid.hit || one->hit;
    total.paid.refund = total.paid.refund || one->refund;
  }
  return total;
}

}  // namespace wakorin
