#include <gtest/gtest.h>

#include "tests/WorkedExample.h"

#include "program/RaceCard.h"
#include "results/ReturnSummary.h"

namespace wakorin {
namespace {

using Texts = TicketList;
using testsupport::T;
using testing::kKen2F;
using testing::kKen2T;
using testing::kKen3F;
using testing::kKen3T;

ResultRow Row(const char* trifecta, const char* trio, const char* exacta, const char* quinella) {
  return {quinella, "     210", exacta, "     320", trio, "     450", trifecta, "    1230"};
}

TEST(ReturnSummary, StakeCountsCombinationsAndReturnCountsHitPayouts) {
  const RecommendedTickets all = TicketsFromLists(TicketSale::All, kKen2T, kKen2F, kKen3T, kKen3F);
  CheckTally tally;
  tally.Add(all, Row("5-1-3", "1-3-5", "3-1", "1-3"));  // hits in all four
  EXPECT_EQ(tally[BetType::Quinella].races, 1);
  EXPECT_EQ(tally[BetType::Quinella].hits, 1);
  EXPECT_EQ(tally[BetType::Quinella].stake, 600);
  EXPECT_EQ(tally[BetType::Quinella].payout, 210);
  EXPECT_EQ(tally[BetType::Exacta].payout, 320);
  EXPECT_EQ(tally[BetType::Trio].payout, 450);
  // Three boxed tickets of six combinations and three single ones.
  EXPECT_EQ(tally[BetType::Trifecta].stake, 3 * 600 + 3 * 100);
  EXPECT_EQ(tally[BetType::Trifecta].payout, 1230);
  EXPECT_DOUBLE_EQ(tally[BetType::Trifecta].ReturnPercent(), 1230 * 100.0 / 2100);

  tally.Add(all, Row("6-4-2", "2-4-6", "6-4", "4-6"));  // no hit
  EXPECT_EQ(tally[BetType::Quinella].races, 2);
  EXPECT_EQ(tally[BetType::Quinella].hits, 1);
  EXPECT_EQ(tally[BetType::Quinella].stake, 1200);
  EXPECT_DOUBLE_EQ(tally[BetType::Quinella].ReturnPercent(), 17.5);
}

TEST(ReturnSummary, BlankResultsRacesNotRunAndTypesNotOnSaleCountNowhere) {
  CheckTally tally;
  tally.Add(TicketsFromLists(TicketSale::All, kKen2T, kKen2F, kKen3T, kKen3F), Row("     ", "     ", "   ", "   "));
  tally.Add(RecommendedTickets{}, Row("1-2-3", "1-2-3", "1-2", "1-2"));  // slot of a race not run
  tally.Add(TicketsFromLists(TicketSale::Quinella, kKen2T, kKen2F, kKen3T, kKen3F),
            Row("3-1-5", "1-3-5", "3-1", "1-3"));
  const Texts none{};
  tally.Add(TicketsFromLists(TicketSale::All, none, none, none, none), Row("3-1-5", "1-3-5", "3-1", "1-3"));
  EXPECT_EQ(tally[BetType::Quinella].races, 1);
  EXPECT_EQ(tally[BetType::Quinella].hits, 1);
  EXPECT_EQ(tally[BetType::Exacta].races, 0);
  EXPECT_EQ(tally[BetType::Exacta].stake, 0);
  EXPECT_EQ(tally[BetType::Trio].races, 0);
  EXPECT_EQ(tally[BetType::Trifecta].ReturnPercent(), 0.0);

  CheckTally total;
  total += tally;
  total += tally;
  EXPECT_EQ(total[BetType::Quinella].races, 2);
  EXPECT_EQ(total[BetType::Quinella].payout, 420);
  EXPECT_EQ(T("1&2&3").Combinations(), 6);
  EXPECT_EQ(T("1-2-3").Combinations(), 1);
  EXPECT_EQ(T("").Combinations(), 0);
}

// A bet type the data mode skipped (見送り) counts as skipped, never as a race bet and missed;
// with no result, or not on sale, it counts nowhere.
TEST(ReturnSummary, SkippedRacesCountApartFromRacesBet) {
  const Texts none{};
  // The data mode's tickets: none for a skipped bet type.
  const RecommendedTickets twoBoatOnly = TicketsFromLists(TicketSale::All, kKen2T, kKen2F, none, none);
  PerBet<bool> skipped{};
  skipped[BetType::Trio] = skipped[BetType::Trifecta] = true;
  CheckTally tally;
  tally.Add(twoBoatOnly, Row("5-1-3", "1-3-5", "3-1", "1-3"), 0, skipped);
  tally.Add(twoBoatOnly, Row("6-4-2", "2-4-6", "6-4", "4-6"), 0, skipped);
  tally.Add(twoBoatOnly, Row("     ", "     ", "   ", "   "), 0, skipped);  // no result
  tally.Add(TicketsFromLists(TicketSale::Quinella, kKen2T, kKen2F, none, none),
            Row("5-1-3", "1-3-5", "3-1", "1-3"), 0, PerBet<bool>{});
  EXPECT_EQ(tally[BetType::Trifecta].skipped, 2);
  EXPECT_EQ(tally[BetType::Trifecta].races, 0);
  EXPECT_EQ(tally[BetType::Trifecta].stake, 0);
  EXPECT_EQ(tally[BetType::Trio].skipped, 2);
  EXPECT_EQ(tally[BetType::Quinella].races, 3);
  EXPECT_EQ(tally[BetType::Quinella].skipped, 0);
  EXPECT_EQ(tally[BetType::Exacta].races, 2);

  CheckTally total;
  total += tally;
  total += tally;
  EXPECT_EQ(total[BetType::Trio].skipped, 4);
}

}  // namespace
}  // namespace wakorin
