#include "predict/BetType.h"

#include "program/RaceCard.h"

namespace wakorin {

PerBet<bool> BetsOnSale(std::string_view ticketsOnSale) {
  PerBet<bool> onSale;
  const bool all = ticketsOnSale == kSaleAll;
  const bool both = all || ticketsOnSale == kSaleExactaQuinella;
  onSale[BetType::Quinella] = both || ticketsOnSale == kSaleQuinella;
  onSale[BetType::Exacta] = both || ticketsOnSale == kSaleExacta;
  onSale[BetType::Trio] = all;
  onSale[BetType::Trifecta] = all;
  return onSale;
}

bool IsBoxTicket(std::string_view ticket) {
  return ticket.size() > 1 && ticket[1] == '&';
}

int CombinationsOf(std::string_view ticket) {
  if (ticket.empty()) return 0;
  return IsBoxTicket(ticket) ? 6 : 1;
}

}  // namespace wakorin
