#include "results/ResultMatching.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/ByteField.h"
#include "base/Decimal.h"
#include "results/ResultFileLayout.h"

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

using result_layout::kCancelled;
using result_layout::kSpecial;
using result_layout::kVoid;

std::string TrimmedPayout(const std::string& payout) {
  const std::size_t first = payout.find_first_not_of(' ');
  return (first == std::string::npos ? std::string() : payout.substr(first)) + std::string(kYen);
}

long long Yen(const std::string& payout) {
  auto yen = ParseDecimal(TrimControlAndBlanks(payout));
  return yen && *yen > 0 ? *yen : 0;
}

using Combinations = std::vector<std::pair<std::string, std::string>>;

// Shows the combination covered by the first ticket that hits, tagged with its number, and that
// combination's own payout.
void TagFirstHit(const RecommendedTickets& slot, BetType bet, const Combinations& winners,
                 ResultCell& cell, std::string& payoutText) {
  for (std::size_t j = 0; j < 6; ++j) {
    for (const auto& [combination, payout] : winners) {
      if (!Covers(slot, bet, j, combination)) continue;
      cell.text = combination + "(" + std::to_string(j + 1) + ")";
      cell.hit = true;
      cell.paid = payout;
      cell.combination = combination;
      cell.ticket = static_cast<int>(j + 1);
      cell.payout = payout;
      payoutText = PayoutText(combination, payout);
      return;
    }
  }
}

}  // namespace

bool HasWinners(const ResultRow& row, BetType bet) {
  return !(row.Cancelled || row.Void[bet] || row.Special[bet] || IsBlank(row.Combination(bet)));
}

std::vector<std::pair<std::string, std::string>> Winners(const ResultRow& row, BetType bet) {
  if (!HasWinners(row, bet)) return {};
  std::vector<std::pair<std::string, std::string>> winners{{row.Combination(bet), row.Payout(bet)}};
  winners.insert(winners.end(), row.Ties[bet].begin(), row.Ties[bet].end());
  return winners;
}

long long PaidFor(const RecommendedTickets& slot, BetType bet, const ResultRow& row) {
  if (!slot.onSale[bet] || row.Cancelled || row.Void[bet]) return 0;
  if (row.Special[bet]) {
    long long combinations = 0;
    for (const std::string& ticket : slot.tickets[bet]) combinations += CombinationsOf(ticket);
    return combinations * Yen(row.Payout(bet));
  }
  // The winning combinations as they stand in the row, uncopied: this runs for every race.
  long long paid = 0;
  auto pay = [&](const std::string& combination, const std::string& payout) {
    for (std::size_t j = 0; j < 6; ++j) {
      if (Covers(slot, bet, j, combination)) paid += Yen(payout);
    }
  };
  if (!HasWinners(row, bet)) return paid;
  pay(row.Combination(bet), row.Payout(bet));
  for (const auto& [combination, payout] : row.Ties[bet]) pay(combination, payout);
  return paid;
}

ResultRowDisplay FillResultRow(const RecommendedTickets& slot, const ResultRow& row) {
  ResultRowDisplay shown;
  for (BetType bet : kBetTypes) {
    if (!(IsTwoBoat(bet) ? slot.TwoBoatOnSale() : slot.ThreeBoatOnSale())) continue;
    ResultCell& cell = shown.cell[bet];
    std::string& payoutText = shown.payout[bet];
    if (row.Cancelled || row.Void[bet]) {
      cell.text = std::string(row.Cancelled ? kCancelled : kVoid);
      cell.combination = cell.text;
      continue;  // nothing was paid, so nothing can be hit
    }
    if (row.Special[bet]) {
      cell.text = std::string(kSpecial);
      cell.combination = cell.text;
      if (!IsBlank(row.Payout(bet))) {
        payoutText = row.Payout(bet) + std::string(kYen);
        cell.payout = row.Payout(bet);
      }
      continue;  // a refund, not a hit
    }
    const auto winners = Winners(row, bet);
    cell.text = row.Combination(bet);
    cell.combination = cell.text;
    cell.payout = row.Payout(bet);
    payoutText = PayoutText(row.Combination(bet), row.Payout(bet));
    if (winners.size() > 1) {
      for (const auto& [combination, payout] : winners) {
        if (!cell.note.empty()) cell.note += " / ";
        cell.note += combination + " " + TrimmedPayout(payout);
      }
    }
    if (slot.onSale[bet]) TagFirstHit(slot, bet, winners, cell, payoutText);
  }
  return shown;
}

}  // namespace wakorin
