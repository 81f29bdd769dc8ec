#pragma once

// Tickets and matched cells written as text, for tables of test cases: "3-1", "3&1&5" (a box).
#include <array>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>

#include "predict/RecommendedTickets.h"
#include "predict/Ticket.h"
#include "results/ResultFileLayout.h"
#include "results/ResultMatching.h"

namespace wakorin {

namespace testsupport {

// "3-1" -> {3, 1}; "3&1&5" -> the box of 3, 1, 5; "" -> no ticket. Lanes are single digits.
inline Ticket T(std::string_view text) {
  Ticket ticket;
  for (char c : text) {
    if (c >= '0' && c <= '9' && ticket.boats.count < 3) {
      ticket.boats.boats[ticket.boats.count++] = static_cast<std::uint8_t>(c - '0');
    }
    if (c == '&') ticket.box = true;
  }
  return ticket;
}

inline std::string Text(const Ticket& ticket) {
  std::string text;
  for (std::size_t k = 0; k < ticket.boats.count; ++k) {
    if (k > 0) text += ticket.box ? '&' : '-';
    text += static_cast<char>('0' + ticket.boats.boats[k]);
  }
  return text;
}

// Six tickets in recommended order; fewer texts leave the rest empty.
inline TicketList Tickets(std::initializer_list<std::string_view> texts) {
  TicketList list;
  std::size_t j = 0;
  for (std::string_view text : texts) {
    if (j < list.size()) list[j++] = T(text);
  }
  return list;
}

inline std::array<std::string, 6> Texts(const TicketList& list) {
  std::array<std::string, 6> texts;
  for (std::size_t j = 0; j < 6; ++j) texts[j] = Text(list[j]);
  return texts;
}

// A matched cell in short: the combination ("1-3"), "(n)*" after it when ticket n hit, the
// result file's own word (CP932) for a race not run, a void bet or a special payout, a damaged
// row as written.
inline std::string CellText(const BetMatch& cell) {
  std::string text;
  switch (cell.result) {
    case BetMatch::Result::NotShown:
    case BetMatch::Result::NoResult: return "";
    case BetMatch::Result::Cancelled: return std::string(result_layout::kCancelled);
    case BetMatch::Result::Void: return std::string(result_layout::kVoid);
    case BetMatch::Result::Special: return std::string(result_layout::kSpecial);
    case BetMatch::Result::Unreadable: text = cell.writtenCombination; break;
    case BetMatch::Result::Paid: text = CombinationAsWritten(cell.won.combination); break;
  }
  return text + (cell.Hit() ? "(" + std::to_string(cell.ticket) + ")*" : "");
}

}  // namespace testsupport

// Failure messages name a ticket as its text.
inline void PrintTo(const Ticket& ticket, std::ostream* out) {
  *out << '"' << testsupport::Text(ticket) << '"';
}

}  // namespace wakorin
