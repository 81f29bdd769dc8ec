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

// One row of the summary grid. Texts are CP932 bytes; a bet type group not on sale is empty.
struct ResultRowDisplay {
  ResultCell quinella, exacta, trio, trifecta;
  std::string quinellaPayout, exactaPayout, trioPayout, trifectaPayout;
};

// Both two-boat results are shown when either two-boat type is on sale, both three-boat results
// when a three-boat type is; only the types on sale are matched. A hit tags the combination with
// the number of the first ticket that hit, e.g. "1-3(2)". A payout carries "円" unless its
// combination is blank. A race not run shows "中　止" and a void bet "不成立", neither ever a
// hit; in a dead heat a ticket hits when it matches any of the winning combinations, and the
// first one read is shown.
ResultRowDisplay FillResultRow(const RecommendedTickets& slot, const ResultRow& row);

}  // namespace wakorin
