#include "results/TicketForms.h"

#include <algorithm>

#include "results/FinishTable.h"
#include "results/ResultFile.h"
#include "results/ResultFileLayout.h"

namespace wakorin {
namespace {

TicketFault CheckSet(const std::vector<int>& boats) {
  unsigned seen = 0;
  for (int boat : boats) {
    if (boat < 1 || boat > 6) return TicketFault::BoatOutOfRange;
    if (seen & (1u << boat)) return TicketFault::BoatTwice;
    seen |= 1u << boat;
  }
  return TicketFault::None;
}

Combination Written(AnyBet bet, std::array<std::uint8_t, 3> boats, int count) {
  if (!Ordered(bet)) {
    // Lowest boat first (three compare-and-swaps; no sort call for three bytes).
    auto order = [&](std::size_t i, std::size_t j) {
      if (static_cast<int>(j) < count && boats[j] < boats[i]) std::swap(boats[i], boats[j]);
    };
    order(0, 1);
    order(1, 2);
    order(0, 1);
  }
  Combination c;
  c.boats = boats;
  c.count = static_cast<std::uint8_t>(count);
  return c;
}

void AddOnce(std::vector<Combination>& list, const Combination& c) {
  if (std::find(list.begin(), list.end(), c) == list.end()) list.push_back(c);
}

}  // namespace

TicketExpansion ExpandTicket(AnyBet bet, TicketForm form, const std::array<std::vector<int>, 3>& places) {
  TicketExpansion out;
  const int count = BoatsOf(bet);
  for (const auto& set : places) {
    if (const TicketFault fault = CheckSet(set); fault != TicketFault::None) {
      out.fault = fault;
      return out;
    }
  }
  // Each place's set (a box draws every place from the same boats).
  std::array<std::vector<int>, 3> sets;
  for (int k = 0; k < count; ++k) {
    sets[static_cast<std::size_t>(k)] = form == TicketForm::Box ? places[0] : places[static_cast<std::size_t>(k)];
  }
  if (form == TicketForm::Single) {
    for (int k = 0; k < 3; ++k) {
      if (places[static_cast<std::size_t>(k)].size() != (k < count ? 1u : 0u)) {
        out.fault = TicketFault::WrongCount;
        return out;
      }
    }
  }
  for (int k = count; k < 3; ++k) sets[static_cast<std::size_t>(k)] = {0};
  for (int a : sets[0]) {
    for (int b : sets[1]) {
      for (int c : sets[2]) {
        if (count >= 2 && a == b) continue;
        if (count == 3 && (a == c || b == c)) continue;
        AddOnce(out.combinations, Written(bet, {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b),
                                                 static_cast<std::uint8_t>(c)}, count));
      }
    }
  }
  if (out.combinations.empty()) {
    // One combination naming a boat twice is a boat twice; a set too small covers nothing.
    out.fault = form == TicketForm::Single ? TicketFault::BoatTwice : TicketFault::NoCombination;
  }
  // Ticket-machine order: by first boat, then second, then third.
  std::sort(out.combinations.begin(), out.combinations.end(), [](const Combination& x, const Combination& y) {
    return x.boats < y.boats;
  });
  return out;
}

DayPayouts::DayPayouts(std::string_view file) {
  const ResultFileOutline outline = OutlineResultFile(file);
  for (const auto& [code, offset] : outline.keys) {
    if (code.size() != 2 || Find(code) != nullptr) continue;  // a venue twice counts once
    // The venue's block, up to the next venue's key: each reader below starts at its key.
    std::string_view block = file.substr(offset);
    const std::size_t next = block.find(result_layout::kKeyTail, 6);
    if (next != std::string_view::npos && next >= 2) block = block.substr(0, next - 2);
    // A block holding only the notice that its results come after the last race: not settled.
    if (block.find(result_layout::kNotPublished) != std::string_view::npos) continue;
    Venue venue;
    venue.code[0] = code[0];
    venue.code[1] = code[1];
    venue.races = ReadRacePayouts(block);
    // No race at all is a venue not published yet, unless the day was called off (every row
    // 中　止): then it stands with no race, and every ticket is refunded.
    if (venue.races.empty() && block.find(result_layout::kCancelled) == std::string_view::npos) continue;
    // A payout under a race that its summary table contradicts is damage: that bet type of that
    // race is left unsettled rather than paid from one of the two guesses. The summary is read
    // from the key the outline found: searched for, each venue would cost a pass over the file.
    ResultSearchObserver quiet;
    if (auto summary = FindVenueResultIn(file, code, 0, quiet, outline);
        summary && summary->end == ResultSearchEnd::Found) {
      for (const PayoutDisagreement& wrong : CompareWithSummary(venue.races, summary->result)) {
        for (RacePayouts& race : venue.races) {
          if (race.race == wrong.race) race.bets[static_cast<std::size_t>(AnyOf(wrong.bet))] = BetSettlement{};
        }
      }
    }
    // Of the finishing tables only the refunded lanes, read without building the tables.
    const std::array<unsigned, 12> refunded = RefundedLanes(block, code);
    for (const RacePayouts& race : venue.races) {
      venue.refunded.push_back(race.race >= 1 && race.race <= 12 ? refunded[static_cast<std::size_t>(race.race - 1)] : 0);
    }
    venues_.push_back(std::move(venue));
  }
}

const DayPayouts::Venue* DayPayouts::Find(std::string_view code) const {
  for (const Venue& venue : venues_) {
    if (code.size() == 2 && venue.code[0] == code[0] && venue.code[1] == code[1]) return &venue;
  }
  return nullptr;
}

std::optional<TicketReturn> DayPayouts::Settle(std::string_view venueCode, int race, AnyBet bet,
                                               const Combination& boats) const {
  const Venue* venue = Find(venueCode);
  if (venue == nullptr) return std::nullopt;
  for (std::size_t k = 0; k < venue->races.size(); ++k) {
    if (venue->races[k].race == race) return SettleTicket(bet, boats, &venue->races[k], venue->refunded[k]);
  }
  // A published venue without the race: it was not held, and every ticket is refunded.
  return SettleTicket(bet, boats, nullptr, 0);
}

}  // namespace wakorin
