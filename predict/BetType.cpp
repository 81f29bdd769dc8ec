#include "predict/BetType.h"

#include "predict/Ticket.h"

namespace wakorin {

PerBet<bool> BetsOnSale(TicketSale sale) {
  PerBet<bool> onSale;
  const bool all = sale == TicketSale::All;
  const bool both = all || sale == TicketSale::ExactaQuinella;
  onSale[BetType::Quinella] = both || sale == TicketSale::Quinella;
  onSale[BetType::Exacta] = both || sale == TicketSale::Exacta;
  onSale[BetType::Trio] = all;
  onSale[BetType::Trifecta] = all;
  return onSale;
}

std::optional<Combination> ParseCombination(std::string_view text) {
  if (text.size() != 3 && text.size() != 5) return std::nullopt;
  Combination combination;
  for (std::size_t at = 0; at < text.size(); at += 2) {
    const char lane = text[at];
    if (lane < '1' || lane > '6' || (at > 0 && text[at - 1] != '-')) return std::nullopt;
    combination.boats[combination.count++] = static_cast<std::uint8_t>(lane - '0');
  }
  return combination;
}

std::string CombinationAsWritten(const Combination& combination) {
  std::string text;
  for (std::size_t k = 0; k < combination.count; ++k) {
    if (k > 0) text += '-';
    text += static_cast<char>('0' + combination.boats[k]);
  }
  return text;
}

int TicketKey(const Ticket& ticket) {
  int key = 0;
  for (std::size_t k = 0; k < ticket.boats.count; ++k) key = key * 10 + ticket.boats.boats[k];
  return key;
}

}  // namespace wakorin
