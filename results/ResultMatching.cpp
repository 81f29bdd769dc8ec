#include "results/ResultMatching.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/ByteField.h"
#include "base/Decimal.h"
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
constexpr std::string_view kSpecial = "\x93\xc1\x95\xa5\x82\xa2";    // 特払い

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

// The winning combinations of a bet and their payouts, the row's own first; none for a race not
// run, a void bet, a special payout or a bet without a result.
std::vector<std::pair<std::string, std::string>> Winners(const ResultRow& row,
                                                         ResultRow::Bet bet) {
  if (row.Cancelled || row.Void[bet] || row.Special[bet] || IsBlank(row.Combination(bet))) {
    return {};
  }
  std::vector<std::pair<std::string, std::string>> winners{{row.Combination(bet), row.Payout(bet)}};
  winners.insert(winners.end(), row.Ties[bet].begin(), row.Ties[bet].end());
  return winners;
}

long long Yen(const std::string& payout) {
  auto yen = ParseDecimal(TrimControlAndBlanks(payout));
  return yen && *yen > 0 ? *yen : 0;
}

}  // namespace

bool RecommendedTickets::OnSale(ResultRow::Bet bet) const {
  switch (bet) {
    case ResultRow::kQuinella: return quinellaOnSale;
    case ResultRow::kExacta: return exactaOnSale;
    case ResultRow::kTrio: return trioOnSale;
    case ResultRow::kTrifecta: break;
  }
  return trifectaOnSale;
}

const std::array<std::string, 6>& RecommendedTickets::Tickets(ResultRow::Bet bet) const {
  switch (bet) {
    case ResultRow::kQuinella: return Ken2F;
    case ResultRow::kExacta: return Ken2T;
    case ResultRow::kTrio: return Ken3F;
    case ResultRow::kTrifecta: break;
  }
  return Ken3T;
}

bool Covers(const RecommendedTickets& slot, ResultRow::Bet bet, std::size_t j,
            const std::string& combination) {
  if (j >= 6 || IsBlank(combination)) return false;
  const std::string& ticket = slot.Tickets(bet)[j];
  if (bet == ResultRow::kTrifecta && ticket.size() > 1 && ticket[1] == '&') {
    return slot.Ken3F[j] == SortedBoats(combination);
  }
  return ticket == combination;
}

long long PaidFor(const RecommendedTickets& slot, ResultRow::Bet bet, const ResultRow& row) {
  if (!slot.OnSale(bet) || row.Cancelled || row.Void[bet]) return 0;
  if (row.Special[bet]) {
    long long combinations = 0;
    for (const std::string& ticket : slot.Tickets(bet)) combinations += CombinationsOf(ticket);
    return combinations * Yen(row.Payout(bet));
  }
  long long paid = 0;
  for (const auto& [combination, payout] : Winners(row, bet)) {
    for (std::size_t j = 0; j < 6; ++j) {
      if (Covers(slot, bet, j, combination)) paid += Yen(payout);
    }
  }
  return paid;
}

int CombinationsOf(const std::string& ticket) {
  if (ticket.empty()) return 0;
  return ticket.size() > 1 && ticket[1] == '&' ? 6 : 1;
}

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
  auto place = [&](ResultCell& cell, std::string& payoutText, ResultRow::Bet bet) {
    if (row.Cancelled || row.Void[bet]) {
      cell.text = std::string(row.Cancelled ? kCancelled : kVoid);
      return;  // nothing was paid, so nothing can be hit
    }
    if (row.Special[bet]) {
      cell.text = std::string(kSpecial);
      if (!IsBlank(row.Payout(bet))) payoutText = row.Payout(bet) + std::string(kYen);
      return;  // a refund, not a hit
    }
    const auto winners = Winners(row, bet);
    cell.text = row.Combination(bet);
    payoutText = PayoutText(row.Combination(bet), row.Payout(bet));
    if (winners.size() > 1) {
      for (const auto& [combination, payout] : winners) {
        if (!cell.note.empty()) cell.note += " / ";
        cell.note += combination + " " + TrimmedPayout(payout);
      }
    }
    if (!slot.OnSale(bet)) return;
    for (std::size_t j = 0; j < 6; ++j) {
      for (const auto& [combination, payout] : winners) {
        if (!Covers(slot, bet, j, combination)) continue;
        cell.text = combination + "(" + std::to_string(j + 1) + ")";
        cell.hit = true;
        cell.paid = payout;
        payoutText = PayoutText(combination, payout);
        return;
      }
    }
  };
  if (slot.TwoBoatOnSale()) {
    place(shown.quinella, shown.quinellaPayout, ResultRow::kQuinella);
    place(shown.exacta, shown.exactaPayout, ResultRow::kExacta);
  }
  if (slot.ThreeBoatOnSale()) {
    place(shown.trio, shown.trioPayout, ResultRow::kTrio);
    place(shown.trifecta, shown.trifectaPayout, ResultRow::kTrifecta);
  }
  return shown;
}

}  // namespace wakorin
