#include "results/ResultMatching.h"

#include <algorithm>

#include "program/RaceCard.h"

namespace wakorin {
namespace {

constexpr std::string_view kYen = "\x89\x7e";  // "円"

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

// A combination with no result is blanks; it gets no yen sign.
std::string PayoutText(const std::string& combination, const std::string& payout) {
  return IsBlank(combination) ? payout : payout + std::string(kYen);
}

// Marks the cell red with the first ticket number (1..6) for which `hits` holds.
template <typename Hits>
void TagFirstHit(ResultCell& cell, Hits hits) {
  if (IsBlank(cell.text)) return;  // no result can be hit, whatever the tickets hold
  for (int j = 1; j <= 6; ++j) {
    if (hits(static_cast<std::size_t>(j - 1))) {
      cell.text += "(" + std::to_string(j) + ")";
      cell.hit = true;
      return;
    }
  }
}

}  // namespace

RecommendedTickets SlotFor(std::string_view ticketsOnSale, const std::array<std::string, 6>& ken2T,
                           const std::array<std::string, 6>& ken2F,
                           const std::array<std::string, 6>& ken3T,
                           const std::array<std::string, 6>& ken3F) {
  RecommendedTickets slot;
  const bool all = ticketsOnSale == kSaleAll;
  slot.quinellaOnSale =
      all || ticketsOnSale == kSaleExactaQuinella || ticketsOnSale == kSaleQuinella;
  slot.exactaOnSale = all || ticketsOnSale == kSaleExactaQuinella || ticketsOnSale == kSaleExacta;
  slot.trioOnSale = all;
  slot.trifectaOnSale = all;
  slot.Ken2T = ken2T;
  slot.Ken2F = ken2F;
  slot.Ken3T = ken3T;
  slot.Ken3F = ken3F;
  return slot;
}

ResultRowDisplay FillResultRow(const RecommendedTickets& slot, const ResultRow& row) {
  ResultRowDisplay shown;
  if (slot.TwoBoatOnSale()) {
    shown.quinella.text = row.QuinellaCombination;
    shown.quinellaPayout = PayoutText(row.QuinellaCombination, row.QuinellaPayout);
    shown.exacta.text = row.ExactaCombination;
    shown.exactaPayout = PayoutText(row.ExactaCombination, row.ExactaPayout);
    if (slot.quinellaOnSale) {
      TagFirstHit(shown.quinella,
                  [&](std::size_t j) { return slot.Ken2F[j] == row.QuinellaCombination; });
    }
    if (slot.exactaOnSale) {
      TagFirstHit(shown.exacta,
                  [&](std::size_t j) { return slot.Ken2T[j] == row.ExactaCombination; });
    }
  }
  if (slot.ThreeBoatOnSale()) {
    shown.trio.text = row.TrioCombination;
    shown.trioPayout = PayoutText(row.TrioCombination, row.TrioPayout);
    shown.trifecta.text = row.TrifectaCombination;
    shown.trifectaPayout = PayoutText(row.TrifectaCombination, row.TrifectaPayout);
    const bool trioResult = !IsBlank(row.TrioCombination);
    if (slot.trioOnSale) {
      TagFirstHit(shown.trio, [&](std::size_t j) { return slot.Ken3F[j] == row.TrioCombination; });
    }
    if (slot.trifectaOnSale) {
      // A ticket joined by "&" covers its three boats in any order, which is its trio.
      TagFirstHit(shown.trifecta, [&](std::size_t j) {
        const std::string& ticket = slot.Ken3T[j];
        if (ticket.size() > 1 && ticket[1] == '&') {
          return trioResult && slot.Ken3F[j] == row.TrioCombination;
        }
        return ticket == row.TrifectaCombination;
      });
    }
  }
  return shown;
}

}  // namespace wakorin
