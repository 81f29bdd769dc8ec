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

constexpr std::string_view kCancelled = "\x92\x86\x81\x40\x8e\x7e";  // 中　止
constexpr std::string_view kVoid = "\x95\x73\x90\xac\x97\xa7";       // 不成立

std::string TrimmedPayout(const std::string& payout) {
  const std::size_t first = payout.find_first_not_of(' ');
  return (first == std::string::npos ? std::string() : payout.substr(first)) + std::string(kYen);
}

// "5-1-2" as a trio is "1-2-5".
std::string SortedBoats(const std::string& combination) {
  std::string digits;
  for (char c : combination) {
    if (c != '-') digits += c;
  }
  std::sort(digits.begin(), digits.end());
  std::string sorted;
  for (char c : digits) {
    if (!sorted.empty()) sorted += '-';
    sorted += c;
  }
  return sorted;
}

// Marks the cell red with the first ticket number (1..6) for which `paidBy` finds a payout.
template <typename PaidBy>
void TagFirstHit(ResultCell& cell, PaidBy paidBy) {
  if (IsBlank(cell.text)) return;  // no result can be hit, whatever the tickets hold
  for (int j = 1; j <= 6; ++j) {
    if (const std::string* paid = paidBy(static_cast<std::size_t>(j - 1))) {
      cell.paid = *paid;
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
  // A ticket hits the row's combination of its bet type, or in a dead heat any further one.
  auto pays = [&](ResultRow::Bet bet, const std::string& combination, const std::string& payout,
                  const std::string& ticket) -> const std::string* {
    if (ticket == combination) return &payout;
    for (const auto& [tie, tiePayout] : row.Ties[bet]) {
      if (ticket == tie) return &tiePayout;
    }
    return nullptr;
  };
  auto place = [&](ResultCell& cell, std::string& payoutText, ResultRow::Bet bet,
                   const std::string& combination, const std::string& payout, bool onSale,
                   auto&& paidBy) {
    if (row.Cancelled || row.Void[bet]) {
      cell.text = std::string(row.Cancelled ? kCancelled : kVoid);
      return;  // nothing was paid, so nothing can be hit
    }
    cell.text = combination;
    payoutText = PayoutText(combination, payout);
    if (!row.Ties[bet].empty()) {
      cell.note = combination + " " + TrimmedPayout(payout);
      for (const auto& [tie, tiePayout] : row.Ties[bet])
        cell.note += " / " + tie + " " + TrimmedPayout(tiePayout);
    }
    if (onSale) TagFirstHit(cell, paidBy);
  };

  if (slot.TwoBoatOnSale()) {
    place(shown.quinella, shown.quinellaPayout, ResultRow::kQuinella, row.QuinellaCombination,
          row.QuinellaPayout, slot.quinellaOnSale, [&](std::size_t j) {
            return pays(ResultRow::kQuinella, row.QuinellaCombination, row.QuinellaPayout,
                        slot.Ken2F[j]);
          });
    place(shown.exacta, shown.exactaPayout, ResultRow::kExacta, row.ExactaCombination,
          row.ExactaPayout, slot.exactaOnSale, [&](std::size_t j) {
            return pays(ResultRow::kExacta, row.ExactaCombination, row.ExactaPayout, slot.Ken2T[j]);
          });
  }
  if (slot.ThreeBoatOnSale()) {
    place(shown.trio, shown.trioPayout, ResultRow::kTrio, row.TrioCombination, row.TrioPayout,
          slot.trioOnSale, [&](std::size_t j) {
            return pays(ResultRow::kTrio, row.TrioCombination, row.TrioPayout, slot.Ken3F[j]);
          });
    const bool trioResult = !IsBlank(row.TrioCombination);
    place(shown.trifecta, shown.trifectaPayout, ResultRow::kTrifecta, row.TrifectaCombination,
          row.TrifectaPayout, slot.trifectaOnSale, [&](std::size_t j) -> const std::string* {
            const std::string& ticket = slot.Ken3T[j];
            if (ticket.size() > 1 && ticket[1] == '&') {
              // A ticket joined by "&" covers its three boats in any order, which is its trio.
              if (trioResult && slot.Ken3F[j] == row.TrioCombination) return &row.TrifectaPayout;
              for (const auto& [tie, tiePayout] : row.Ties[ResultRow::kTrifecta]) {
                if (SortedBoats(tie) == slot.Ken3F[j]) return &tiePayout;
              }
              return nullptr;
            }
            return pays(ResultRow::kTrifecta, row.TrifectaCombination, row.TrifectaPayout, ticket);
          });
  }
  return shown;
}

}  // namespace wakorin
