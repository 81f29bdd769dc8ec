#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace wakorin {

// A combination of boats (lanes 1..6), in the order written: 5-6-3 is {5, 6, 3}.
struct Combination {
  std::array<std::uint8_t, 3> boats{};
  std::uint8_t count = 0;
  bool operator==(const Combination&) const = default;
  // Whether lane `lane` is one of its boats.
  bool Names(int lane) const {
    for (std::size_t k = 0; k < count; ++k) {
      if (boats[k] == lane) return true;
    }
    return false;
  }
};

// The boats in ascending order: a box, a quinella and a trio name their boats in any order.
inline Combination InOrder(Combination c) {
  auto order = [&](std::size_t i, std::size_t j) {
    if (c.boats[i] > c.boats[j]) std::swap(c.boats[i], c.boats[j]);
  };
  if (c.count >= 2) order(0, 1);
  if (c.count == 3) {
    order(1, 2);
    order(0, 1);
  }
  return c;
}

// The combination as a result file writes it, lanes joined by '-' ("1-3", "5-1-3"): nullopt for
// anything else (blanks, a word, a damaged field).
std::optional<Combination> ParseCombination(std::string_view text);
// And back: the lanes joined by '-' as the result file writes them ("1-3", "5-1-3").
std::string CombinationAsWritten(const Combination& combination);

// One recommended ticket: its boats in the order bought (quinella and trio lower lane first) and,
// for a trifecta, whether it is bought as a box (its three boats in any order of finish). No boats:
// no ticket.
struct Ticket {
  Combination boats;
  bool box = false;

  bool Empty() const { return boats.count == 0; }
  // Combinations it buys: six for a box, one for any other ticket, none for no ticket.
  int Combinations() const { return Empty() ? 0 : box ? 6 : 1; }
  bool operator==(const Ticket&) const = default;
};

// The ticket of `boats` (lanes 1..6) in that order.
inline Ticket MakeTicket(std::initializer_list<int> boats, bool box = false) {
  Ticket ticket;
  ticket.box = box;
  for (int boat : boats) {
    if (ticket.boats.count < 3) ticket.boats.boats[ticket.boats.count++] = static_cast<std::uint8_t>(boat);
  }
  return ticket;
}

// The ticket's lanes as one number read digit by digit: 3-1-5 is 315; 0 for no ticket.
int TicketKey(const Ticket& ticket);

}  // namespace wakorin
