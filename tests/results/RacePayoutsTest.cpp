// Every bet type of a race read from the payout lines of real result files, and any ticket settled
// against them; each expected figure was read off the files by hand.
#include <gtest/gtest.h>

#include <string>

#include "results/RacePayouts.h"
#include "tests/TempFiles.h"

namespace wakorin {
namespace {

std::string VenueBlock(const std::string& file, const std::string& code) {
  const std::string bytes = testing::ReadAll(std::string(WAKORIN_REALDATA_DIR) + "/" + file);
  const std::size_t at = bytes.find("\n" + code + "KBGN");
  return at == std::string::npos ? std::string() : bytes.substr(at + 1);
}

const RacePayouts* Race(const std::vector<RacePayouts>& races, int race) {
  for (const RacePayouts& r : races) {
    if (r.race == race) return &r;
  }
  return nullptr;
}

Combination Boats(std::initializer_list<int> boats) {
  Combination c;
  for (int b : boats) c.boats[c.count++] = static_cast<std::uint8_t>(b);
  return c;
}

TEST(RacePayouts, ReadsEveryBetTypeWithItsPopularity) {
  const std::string block = VenueBlock("K240710.TXT", "24");
  if (block.empty()) GTEST_SKIP() << "no real files beside the project";
  const std::vector<RacePayouts> races = ReadRacePayouts(block);
  ASSERT_EQ(races.size(), 12u);
  const RacePayouts& first = races[0];
  ASSERT_EQ(first.race, 1);
  const BetSettlement& wide = first.Of(AnyBet::Wide);
  ASSERT_EQ(wide.paid.size(), 3u);
  EXPECT_EQ(wide.paid[1].combination, Boats({3, 5}));
  EXPECT_EQ(wide.paid[1].yen, 520);
  EXPECT_EQ(wide.paid[1].popularity, 8);
  ASSERT_EQ(first.Of(AnyBet::Place).paid.size(), 2u);
  EXPECT_EQ(first.Of(AnyBet::Place).paid[1].combination, Boats({6}));
  EXPECT_EQ(first.Of(AnyBet::Trifecta).paid[0].popularity, 58);
  EXPECT_EQ(first.Of(AnyBet::Win).paid[0].popularity, 0);
}

TEST(RacePayouts, AnyTicketIsSettledByOneRule) {
  struct Case {
    const char* what;
    const char* file;
    const char* venue;
    int race;
    AnyBet bet;
    Combination boats;
    unsigned refunded;  // bit n: boat n's start void
    long long yen;
    bool hit, refund;
  };
  const Case cases[] = {
      // 大村 2024-07-10 1R: 5-6-3, 単勝 770, 複勝 5 and 6 510 each, 拡連複 5-6 1360 3-5 520 3-6 470.
      {"win", "K240710.TXT", "24", 1, AnyBet::Win, Boats({5}), 0, 770, true, false},
      {"win lost", "K240710.TXT", "24", 1, AnyBet::Win, Boats({6}), 0, 0, false, false},
      {"place, second boat", "K240710.TXT", "24", 1, AnyBet::Place, Boats({6}), 0, 510, true, false},
      {"place lost", "K240710.TXT", "24", 1, AnyBet::Place, Boats({3}), 0, 0, false, false},
      {"exacta the wrong way", "K240710.TXT", "24", 1, AnyBet::Exacta, Boats({6, 5}), 0, 0, false, false},
      {"quinella either way", "K240710.TXT", "24", 1, AnyBet::Quinella, Boats({6, 5}), 0, 2370, true, false},
      {"wide, third pair", "K240710.TXT", "24", 1, AnyBet::Wide, Boats({6, 3}), 0, 470, true, false},
      {"trifecta", "K240710.TXT", "24", 1, AnyBet::Trifecta, Boats({5, 6, 3}), 0, 26580, true, false},
      {"trio any order", "K240710.TXT", "24", 1, AnyBet::Trio, Boats({6, 3, 5}), 0, 2670, true, false},
      // 丸亀 1R: ２連単 and ２連複 特払い 70; ３連単 6-5-4 157100.
      {"special payout", "K240710.TXT", "15", 1, AnyBet::Exacta, Boats({1, 2}), 0, 70, false, true},
      {"special payout, quinella", "K240710.TXT", "15", 1, AnyBet::Quinella, Boats({6, 5}), 0, 70, false, true},
      {"paid beside a special", "K240710.TXT", "15", 1, AnyBet::Trifecta, Boats({6, 5, 4}), 0, 157100, true, false},
      // 2024-01-16 venue 23 7R: 拡連複 and ３連複 不成立, boats 1-3 flew; ３連単 5-4-6 440.
      {"void bet", "K240116.TXT", "23", 7, AnyBet::Wide, Boats({4, 5}), 0, 100, false, true},
      {"void trio", "K240116.TXT", "23", 7, AnyBet::Trio, Boats({4, 5, 6}), 0, 100, false, true},
      {"a boat that flew", "K240116.TXT", "23", 7, AnyBet::Exacta, Boats({1, 5}), 0b1110, 100, false, true},
      {"paid beside void bets", "K240116.TXT", "23", 7, AnyBet::Trifecta, Boats({5, 4, 6}), 0b1110, 440, true, false},
      // 福岡 12R: a dead heat for third, 1-3-4 560 and 1-3-6 980; 拡連複 five pairs.
      {"dead heat, one", "K240116.TXT", "22", 12, AnyBet::Trifecta, Boats({1, 3, 6}), 0, 980, true, false},
      {"dead heat, trio", "K240116.TXT", "22", 12, AnyBet::Trio, Boats({4, 3, 1}), 0, 300, true, false},
      {"dead heat, wide", "K240116.TXT", "22", 12, AnyBet::Wide, Boats({6, 3}), 0, 310, true, false},
      // 2024-01-16 venue 03, 10R-12R 中　止: the race is not held, every ticket refunded.
      {"race not held", "K240116.TXT", "03", 11, AnyBet::Trifecta, Boats({1, 2, 3}), 0, 100, false, true},
  };
  for (const Case& c : cases) {
    const std::string block = VenueBlock(c.file, c.venue);
    if (block.empty()) GTEST_SKIP() << "no real files beside the project";
    const std::vector<RacePayouts> races = ReadRacePayouts(block);
    const std::optional<TicketReturn> back = SettleTicket(c.bet, c.boats, Race(races, c.race), c.refunded);
    ASSERT_TRUE(back) << c.what;
    EXPECT_EQ(back->yen, c.yen) << c.what;
    EXPECT_EQ(back->hit, c.hit) << c.what;
    EXPECT_EQ(back->refund, c.refund) << c.what;
  }
}

// On every venue of the real days the payout lines say what the summary table says; a payout line
// changed by one digit is found out.
TEST(RacePayouts, AgreeWithTheSummaryTable) {
  for (const char* file : {"K240116.TXT", "K240401.TXT", "K240710.TXT"}) {
    const std::string bytes = testing::ReadAll(std::string(WAKORIN_REALDATA_DIR) + "/" + file);
    if (bytes.empty()) GTEST_SKIP() << "no real files beside the project";
    int venues = 0;
    for (std::size_t at = bytes.find("KBGN"); at != std::string::npos; at = bytes.find("KBGN", at + 4)) {
      const std::string code = bytes.substr(at - 2, 2);
      ResultSearchObserver quiet;
      auto summary = FindVenueResultIn(bytes, code, 0, quiet);
      ASSERT_TRUE(summary.ok());
      if (summary->end != ResultSearchEnd::Found) continue;
      const auto races = ReadRacePayouts(std::string_view(bytes).substr(at - 2));
      EXPECT_FALSE(races.empty()) << file << " " << code;
      EXPECT_TRUE(CompareWithSummary(races, summary->result).empty()) << file << " " << code;
      ++venues;
    }
    EXPECT_GT(venues, 8) << file;
  }
  std::string damaged = testing::ReadAll(std::string(WAKORIN_REALDATA_DIR) + "/K240710.TXT");
  const std::size_t detail = damaged.find("26580", damaged.find("26580") + 5);
  ASSERT_NE(detail, std::string::npos);
  damaged[detail + 3] = '9';
  ResultSearchObserver quiet;
  auto summary = FindVenueResultIn(damaged, "24", 0, quiet);
  ASSERT_TRUE(summary.ok());
  const auto races = ReadRacePayouts(std::string_view(damaged).substr(damaged.find("24KBGN")));
  const std::vector<PayoutDisagreement> expected{{1, BetType::Trifecta}};
  EXPECT_EQ(CompareWithSummary(races, summary->result), expected);
}

// A recommended box buys its six orders: the one that won is paid, the race's others are not.
TEST(RacePayouts, RecommendedBoxIsSettledOverItsSixOrders) {
  const std::string block = VenueBlock("K240401.TXT", "24");
  if (block.empty()) GTEST_SKIP() << "no real files beside the project";
  const std::vector<RacePayouts> races = ReadRacePayouts(block);
  const RacePayouts* first = Race(races, 1);  // 大村 1R: ３連単 1-3-4 1,180 yen
  ASSERT_NE(first, nullptr);
  const auto box = SettleRecommended(BetType::Trifecta, "4&1&3", first, 0);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->combinations, 6);
  EXPECT_EQ(box->paid.yen, 1180);
  EXPECT_TRUE(box->paid.hit);
  const auto ordered = SettleRecommended(BetType::Trifecta, "1-4-3", first, 0);
  ASSERT_TRUE(ordered);
  EXPECT_EQ(ordered->combinations, 1);
  EXPECT_FALSE(ordered->paid.hit);
  EXPECT_FALSE(SettleRecommended(BetType::Trifecta, "", first, 0)->combinations);
}

}  // namespace
}  // namespace wakorin
