#include "predict/TicketDisplay.h"

#include "predict/BetType.h"

namespace wakorin {
namespace {

constexpr std::string_view kExactaHeading =
    "\x90\x84\x8f\xa7\x20\x82\x51\x98\x41\x92\x50\x81\x40";  // 推奨 ２連単　
constexpr std::string_view kQuinellaHeading =
    "\x90\x84\x8f\xa7\x20\x82\x51\x98\x41\x95\xa1\x81\x40";  // 推奨 ２連複　
constexpr std::string_view kTrifectaHeading =
    "\x90\x84\x8f\xa7\x20\x82\x52\x98\x41\x92\x50\x81\x40";  // 推奨 ３連単　
constexpr std::string_view kTrioHeading =
    "\x90\x84\x8f\xa7\x20\x82\x52\x98\x41\x95\xa1\x81\x40";  // 推奨 ３連複　
constexpr std::string_view kNotOnSale =
    "\x81\x40\x94\xad\x94\x84\x82\xc8\x82\xb5\x81\x40";  // 　発売なし　
constexpr std::string_view kDash = "\x81\x7c";           // －
constexpr std::string_view kBox = "\x81\xdf";            // ≡

// The lane digit at 1-based character `position`, 0 when there is none.
int DigitAt(std::string_view ticket, std::size_t position) {
  if (ticket.size() < position) return 0;
  const char c = ticket[position - 1];
  return c >= '0' && c <= '9' ? c - '0' : 0;
}

TicketDigitCell LaneCell(int lane) {
  return {std::to_string(lane), lane};
}

}  // namespace

RecommendDisplay ComputeRecommend(std::string_view ticketsOnSale, int tab,
                                  const TicketLists& tickets, int twoBoatCount,
                                  int threeBoatCount) {
  return ComputeRecommend(BetsOnSale(ticketsOnSale), tab, tickets, twoBoatCount, threeBoatCount, {});
}

RecommendDisplay ComputeRecommend(const RecommendedTickets& slot, int tab,
                                  const PerBet<bool>& skipped) {
  const TicketLists lists{slot.tickets[BetType::Exacta], slot.tickets[BetType::Quinella],
                          slot.tickets[BetType::Trifecta], slot.tickets[BetType::Trio]};
  return ComputeRecommend(slot.onSale, tab, lists, 6, 6, skipped);
}

RecommendDisplay ComputeRecommend(const PerBet<bool>& onSale, int tab, const TicketLists& tickets,
                                  int twoBoatCount, int threeBoatCount,
                                  const PerBet<bool>& skipped) {
  RecommendDisplay d;
  const bool ordered = tab == 0;
  d.heading2 = d.heading3 = std::string(kNotOnSale);
  if (ordered && onSale[BetType::Exacta]) {
    d.heading2 = std::string(kExactaHeading);
    d.mode2 = 1;
  } else if (!ordered && onSale[BetType::Quinella]) {
    d.heading2 = std::string(kQuinellaHeading);
    d.mode2 = 2;
  }
  if (onSale[BetType::Trifecta]) {
    d.heading3 = std::string(ordered ? kTrifectaHeading : kTrioHeading);
    d.mode3 = ordered ? 1 : 2;
  }
  // A bet type the data mode does not bet on this race keeps its heading and shows no ticket.
  d.skipped2 = d.mode2 != 0 && skipped[d.mode2 == 1 ? BetType::Exacta : BetType::Quinella];
  d.skipped3 = d.mode3 != 0 && skipped[d.mode3 == 1 ? BetType::Trifecta : BetType::Trio];
  if (d.skipped2) twoBoatCount = 0;
  if (d.skipped3) threeBoatCount = 0;

  for (std::size_t row = 0; row < 6; ++row) {
    const int i = static_cast<int>(row) + 1;
    if (d.mode2 != 0 && i <= twoBoatCount) {
      const std::string& ticket = d.mode2 == 1 ? tickets.Ken2T[row] : tickets.Ken2F[row];
      if (const int a = DigitAt(ticket, 1); a != 0) {
        d.two[row] = {LaneCell(a), LaneCell(DigitAt(ticket, 3))};
        d.twoSeparator[row] = std::string(kDash);
      }
    }
    if (d.mode3 != 0 && i <= threeBoatCount) {
      const std::string& ticket = d.mode3 == 1 ? tickets.Ken3T[row] : tickets.Ken3F[row];
      if (const int a = DigitAt(ticket, 1); a != 0) {
        d.three[row] = {LaneCell(a), LaneCell(DigitAt(ticket, 3)), LaneCell(DigitAt(ticket, 5))};
        const bool box = d.mode3 == 1 && IsBoxTicket(ticket);
        d.threeSeparator[row] = std::string(box ? kBox : kDash);
      }
    }
  }
  return d;
}

}  // namespace wakorin
