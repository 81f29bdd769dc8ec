#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "program/TicketSale.h"

namespace wakorin {

// The four bet types, in the order the result grid, its footer and the checker show them.
enum class BetType { Quinella, Exacta, Trio, Trifecta };
inline constexpr std::array<BetType, 4> kBetTypes{BetType::Quinella, BetType::Exacta,
                                                  BetType::Trio, BetType::Trifecta};

constexpr bool IsTwoBoat(BetType bet) { return bet == BetType::Quinella || bet == BetType::Exacta; }

// One value for each bet type.
template <typename T>
struct PerBet {
  // Value-initialised this way rather than with "{}", which one of our compilers cannot take
  // for arrays of arrays.
  std::array<T, 4> values = std::array<T, 4>();

  T& operator[](BetType bet) { return values[static_cast<std::size_t>(bet)]; }
  const T& operator[](BetType bet) const { return values[static_cast<std::size_t>(bet)]; }
  bool operator==(const PerBet& other) const { return values == other.values; }
};

// The bet types a venue's sale covers.
PerBet<bool> BetsOnSale(TicketSale sale);


}  // namespace wakorin
