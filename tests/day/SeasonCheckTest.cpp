// A season's days checked: its running return rate and months, the six favourites counted beside
// the tickets, and a check that stops.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "base/ByteFile.h"
#include "day/SeasonCheck.h"
#include "predict/Learner.h"
#include "results/TicketForms.h"

namespace wakorin {
namespace {

const std::string kReal = WAKORIN_REALDATA_DIR;

BetTally Bet(long long stake, long long payout, long long refund = 0) {
  BetTally t;
  t.races = stake > 0 ? 1 : 0;
  t.stake = stake;
  t.payout = payout;
  t.refund = refund;
  return t;
}

TEST(SeasonCheck, RunningReturnAndMonthsWorkedByHand) {
  std::vector<SeasonTotals::Day> days(3);
  days[0].date = 20240131;
  days[0].tally[BetType::Quinella] = Bet(1000, 800);
  days[0].favourites[BetType::Quinella] = Bet(600, 300);
  days[1].date = 20240201;
  days[1].tally[BetType::Quinella] = Bet(1000, 1400, 100);
  days[1].favourites[BetType::Quinella] = Bet(600, 900);
  days[2].date = 20240215;
  days[2].tally[BetType::Exacta] = Bet(200, 0);

  const std::vector<SeasonPoint> points = CumulativeReturns(days);
  ASSERT_EQ(points.size(), 3u);
  const struct {
    double quinella, exacta, all, favourites;
  } expected[] = {
      {80.0, 0.0, 80.0, 50.0},
      {115.0, 0.0, 115.0, 100.0},           // (800 + 1400 + 100) / 2000
      {115.0, 0.0, 2300.0 / 2200 * 100, 100.0},  // exacta's 200 lost joins the whole
  };
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(points[i].date, days[i].date);
    EXPECT_DOUBLE_EQ(points[i].rate[BetType::Quinella], expected[i].quinella) << i;
    EXPECT_DOUBLE_EQ(points[i].rate[BetType::Exacta], expected[i].exacta) << i;
    EXPECT_DOUBLE_EQ(points[i].allRate, expected[i].all) << i;
    EXPECT_DOUBLE_EQ(points[i].favourites[BetType::Quinella], expected[i].favourites) << i;
    EXPECT_DOUBLE_EQ(points[i].rate[BetType::Trifecta], 0.0) << "nothing staked: 0, not a division by 0";
  }

  const auto months = MonthTotals(days);
  ASSERT_EQ(months.size(), 2u);
  EXPECT_EQ(months[0].first, 202401);
  EXPECT_EQ(months[0].second[BetType::Quinella].stake, 1000);
  EXPECT_EQ(months[1].first, 202402);
  EXPECT_EQ(months[1].second[BetType::Quinella].payout, 1400);
  EXPECT_EQ(months[1].second[BetType::Quinella].refund, 100);
  EXPECT_EQ(months[1].second[BetType::Exacta].stake, 200);
}

// The favourites' figures, worked the other way: each of the six tickets settled alone against
// the result file's payouts, as the bet log settles a fan's ticket.
TEST(SeasonCheck, FavouritesAgreeWithTicketsSettledOneByOne) {
  if (!std::filesystem::exists(kReal + "/K240710.TXT")) GTEST_SKIP() << "no real days";
  const DayListing listing = ListRaceDays({kReal + "/B240710.TXT"});
  SeasonStats stats(kReal + "/fan1904.txt");
  stats.Prepare(listing.days);
  SeasonOptions options;
  options.stats = &stats;
  options.favourites = true;
  SeasonTotals totals;
  ASSERT_TRUE(CheckSeason(listing, options, [&](SeasonDay&& day) { totals.Add(day); }));
  ASSERT_EQ(totals.days.size(), 1u);

  auto bytes = ByteFile::ReadWhole(kReal + "/K240710.TXT");
  ASSERT_TRUE(bytes);
  const DayPayouts payouts(**bytes);
  PerBet<long long> paid{};
  for (const auto& [code, races] : totals.racesByVenue) {
    for (int race = 1; race <= races; ++race) {
      for (BetType bet : kBetTypes) {
        for (const Ticket& ticket : FixedFavourites()[bet]) {
          for (const Combination& boats : CombinationsBought(bet, ticket)) {
            const auto settled = payouts.Settle(code, race, AnyOf(bet), boats);
            if (settled && settled->hit) paid[bet] += settled->yen;
          }
        }
      }
    }
  }
  // The check counts 丸亀 1R's special payout of the two-boat bets (特払い 70 yen) as paid, on
  // each of the six tickets; the log settles it as money back, not a hit.
  const PerBet<long long> special{{6 * 70, 6 * 70, 0, 0}};
  for (BetType bet : kBetTypes) {
    EXPECT_GT(totals.favourites[bet].payout, 0) << static_cast<int>(bet);
    EXPECT_EQ(totals.favourites[bet].payout, paid[bet] + special[bet]) << static_cast<int>(bet);
    EXPECT_EQ(totals.favourites[bet].stake, 600LL * totals.favourites[bet].races);
  }
}

TEST(SeasonCheck, StoppedBeforeItBeginsTakesNoDay) {
  if (!std::filesystem::exists(kReal + "/K240710.TXT")) GTEST_SKIP() << "no real days";
  const DayListing listing = ListRaceDays({kReal});
  ASSERT_FALSE(DaysToCheck(listing, 0, 99999999).empty());
  std::atomic<bool> stop{true};
  SeasonStats stats(kReal + "/fan1904.txt");
  SeasonOptions options;
  options.stats = &stats;
  options.stop = &stop;
  int taken = 0;
  EXPECT_FALSE(CheckSeason(listing, options, [&](SeasonDay&&) { ++taken; }));
  EXPECT_EQ(taken, 0);
}

}  // namespace
}  // namespace wakorin
