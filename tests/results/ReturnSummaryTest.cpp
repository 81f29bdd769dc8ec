#include <gtest/gtest.h>

#include "tests/WorkedExample.h"

#include "program/RaceCard.h"
#include "results/ReturnSummary.h"

namespace wakorin {
namespace {

using Texts = std::array<std::string, 6>;
using testing::kKen2F;
using testing::kKen2T;
using testing::kKen3F;
using testing::kKen3T;

ResultRow Row(const char* trifecta, const char* trio, const char* exacta, const char* quinella) {
  return {quinella, "     210", exacta, "     320", trio, "     450", trifecta, "    1230"};
}

TEST(ReturnSummary, StakeCountsCombinationsAndReturnCountsHitPayouts) {
  const RecommendedTickets all = SlotFor(kSaleAll, kKen2T, kKen2F, kKen3T, kKen3F);
  CheckTally tally;
  tally.Add(all, Row("5-1-3", "1-3-5", "3-1", "1-3"));  // hits in all four
  EXPECT_EQ(tally.quinella.races, 1);
  EXPECT_EQ(tally.quinella.hits, 1);
  EXPECT_EQ(tally.quinella.stake, 600);
  EXPECT_EQ(tally.quinella.payout, 210);
  EXPECT_EQ(tally.exacta.payout, 320);
  EXPECT_EQ(tally.trio.payout, 450);
  // Three boxed tickets of six combinations and three single ones.
  EXPECT_EQ(tally.trifecta.stake, 3 * 600 + 3 * 100);
  EXPECT_EQ(tally.trifecta.payout, 1230);
  EXPECT_DOUBLE_EQ(tally.trifecta.ReturnPercent(), 1230 * 100.0 / 2100);

  tally.Add(all, Row("6-4-2", "2-4-6", "6-4", "4-6"));  // no hit
  EXPECT_EQ(tally.quinella.races, 2);
  EXPECT_EQ(tally.quinella.hits, 1);
  EXPECT_EQ(tally.quinella.stake, 1200);
  EXPECT_DOUBLE_EQ(tally.quinella.ReturnPercent(), 17.5);
}

TEST(ReturnSummary, BlankResultsRacesNotRunAndTypesNotOnSaleCountNowhere) {
  CheckTally tally;
  tally.Add(SlotFor(kSaleAll, kKen2T, kKen2F, kKen3T, kKen3F), Row("     ", "     ", "   ", "   "));
  tally.Add(RecommendedTickets{}, Row("1-2-3", "1-2-3", "1-2", "1-2"));  // slot of a race not run
  tally.Add(SlotFor(kSaleQuinella, kKen2T, kKen2F, kKen3T, kKen3F),
            Row("3-1-5", "1-3-5", "3-1", "1-3"));
  const Texts none{};
  tally.Add(SlotFor(kSaleAll, none, none, none, none), Row("3-1-5", "1-3-5", "3-1", "1-3"));
  EXPECT_EQ(tally.quinella.races, 1);
  EXPECT_EQ(tally.quinella.hits, 1);
  EXPECT_EQ(tally.exacta.races, 0);
  EXPECT_EQ(tally.exacta.stake, 0);
  EXPECT_EQ(tally.trio.races, 0);
  EXPECT_EQ(tally.trifecta.ReturnPercent(), 0.0);

  CheckTally total;
  total += tally;
  total += tally;
  EXPECT_EQ(total.quinella.races, 2);
  EXPECT_EQ(total.quinella.payout, 420);
  EXPECT_EQ(CombinationsOf("1&2&3"), 6);
  EXPECT_EQ(CombinationsOf("1-2-3"), 1);
  EXPECT_EQ(CombinationsOf(""), 0);
}

}  // namespace
}  // namespace wakorin
