#pragma once

#include <array>
#include <string>
#include <string_view>

#include "results/ResultFile.h"

namespace wakorin {

// The recommended tickets of one race of the check and the bet types matched for it. A slot that
// no prediction filled has no bet type on sale and empty tickets.
struct RecommendedTickets {
  bool quinellaOnSale = false;
  bool exactaOnSale = false;
  bool trioOnSale = false;
  bool trifectaOnSale = false;
  std::array<std::string, 6> Ken2T;  // exacta, e.g. "3-1"
  std::array<std::string, 6> Ken2F;  // quinella, lower lane first, e.g. "1-3"
  std::array<std::string, 6> Ken3T;  // trifecta, "3&1&5" (any order of finish) or "3-1-6"
  std::array<std::string, 6> Ken3F;  // trio, ascending, e.g. "1-3-5"

  bool TwoBoatOnSale() const { return quinellaOnSale || exactaOnSale; }
  bool ThreeBoatOnSale() const { return trioOnSale || trifectaOnSale; }
  bool OnSale(ResultRow::Bet bet) const;
  const std::array<std::string, 6>& Tickets(ResultRow::Bet bet) const;
};

// A slot from the race card's tickets-on-sale text (compared byte for byte; an unknown text puts
// nothing on sale) and the four ticket lists of the race's prediction.
RecommendedTickets SlotFor(std::string_view ticketsOnSale, const std::array<std::string, 6>& ken2T,
                           const std::array<std::string, 6>& ken2F,
                           const std::array<std::string, 6>& ken3T,
                           const std::array<std::string, 6>& ken3F);

// A combination cell of the summary grid: its text and whether it shows on red (a hit) or on
// black.
struct ResultCell {
  std::string text;
  bool hit = false;
  std::string paid;  // the payout of the combination hit, as read
  std::string note;  // every winning combination and payout of a dead heat (CP932)
};

// Combinations a ticket buys: a trifecta ticket joined by "&" covers its boats in any order.
int CombinationsOf(const std::string& ticket);

// Whether ticket j (0..5) of a bet type covers a winning combination: the same text, or for a
// trifecta ticket joined by "&" its three boats in any order (its trio ticket).
bool Covers(const RecommendedTickets& slot, ResultRow::Bet bet, std::size_t j,
            const std::string& combination);

// Yen paid for a bet type's six tickets as a bettor holding them is paid: each ticket for every
// winning combination it covers (a boxed ticket can cover both combinations of a dead heat), and
// for a special payout the refund for every combination bought. 0 when the type is not on sale.
long long PaidFor(const RecommendedTickets& slot, ResultRow::Bet bet, const ResultRow& row);

// One row of the summary grid. Texts are CP932 bytes; a bet type group not on sale is empty.
struct ResultRowDisplay {
  ResultCell quinella, exacta, trio, trifecta;
  std::string quinellaPayout, exactaPayout, trioPayout, trifectaPayout;
};

// Both two-boat results are shown when either two-boat type is on sale, both three-boat results
// when a three-boat type is; only the types on sale are matched. A hit tags the combination with
// the number of the first ticket that hit, e.g. "1-3(2)". A payout carries "円" unless its
// combination is blank. A race not run shows "中　止", a void bet "不成立" and a special payout
// "特払い" with its refund, none ever a hit. In a dead heat a ticket hits when it covers any of
// the winning combinations: the cell shows the combination the first hitting ticket covers, with
// that combination's own payout, or the first combination read when none hit.
ResultRowDisplay FillResultRow(const RecommendedTickets& slot, const ResultRow& row);

}  // namespace wakorin
