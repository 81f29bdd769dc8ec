#include <gtest/gtest.h>

#include "tests/WorkedExample.h"

#include "program/RaceCard.h"
#include "results/ResultMatching.h"

namespace wakorin {
namespace {

using testsupport::CellText;
using testsupport::T;
using testsupport::Tickets;

using testing::kKen2F;
using testing::kKen2T;
using testing::kKen3F;
using testing::kKen3T;

ResultRow Row(std::string quinella, std::string exacta, std::string trio, std::string trifecta) {
  return ResultRow{quinella, "     180", exacta,   "     350",
                   trio,     "    1230", trifecta, "    4560"};
}

RecommendedTickets Slot(TicketSale onSale) {
  return TicketsFromLists(onSale, kKen2T, kKen2F, kKen3T, kKen3F);
}

// The four combination cells, "(n)*" after each one ticket n hit.
std::array<std::string, 4> Cells(const RaceMatch& shown) {
  std::array<std::string, 4> cells;
  for (std::size_t i = 0; i < 4; ++i) cells[i] = CellText(shown.bets[kBetTypes[i]]);
  return cells;
}

using CellTexts = std::array<std::string, 4>;

TEST(ResultMatchingTest, TicketsOnSaleDecideTheBetTypes) {
  struct Case {
    TicketSale sale;
    bool quinella, exacta, three;
  };
  for (const Case& c :
       {Case{TicketSale::ExactaQuinella, true, true, false}, Case{TicketSale::Exacta, false, true, false},
        Case{TicketSale::Quinella, true, false, false}, Case{TicketSale::All, true, true, true},
        Case{TicketSale::None, false, false, false}}) {
    const RecommendedTickets slot = Slot(c.sale);
    const int sale = static_cast<int>(c.sale);
    EXPECT_EQ(slot.onSale[BetType::Quinella], c.quinella) << sale;
    EXPECT_EQ(slot.onSale[BetType::Exacta], c.exacta) << sale;
    EXPECT_EQ(slot.onSale[BetType::Trio], c.three) << sale;
    EXPECT_EQ(slot.onSale[BetType::Trifecta], c.three) << sale;
    EXPECT_EQ(slot.tickets[BetType::Trifecta], kKen3T);
  }
}

TEST(ResultMatchingTest, HitsAreTaggedWithTheFirstTicketThatHit) {
  const RecommendedTickets all = Slot(TicketSale::All);
  // Quinella ticket 1 and exacta ticket 5; the "&" ticket 1 covers 3-5-1 through its trio.
  RaceMatch shown = MatchResultRow(all, Row("1-3", "3-6", "1-3-5", "5-1-3"));
  EXPECT_EQ(Cells(shown), (CellTexts{"1-3(1)*", "3-6(5)*", "1-3-5(1)*", "5-1-3(1)*"}));
  EXPECT_EQ(shown.bets[BetType::Quinella].won.yen, 180);
  EXPECT_EQ(shown.bets[BetType::Trifecta].won.yen, 4560);

  // Tickets joined by "-" hit only in their order: 1-5-2 is ticket 5, 2-5-1 is no ticket; trio
  // 1-2-5 is ticket 5 as well.
  shown = MatchResultRow(all, Row("2-5", "5-2", "1-2-5", "1-5-2"));
  EXPECT_EQ(Cells(shown), (CellTexts{"2-5", "5-2", "1-2-5(5)*", "1-5-2(5)*"}));
  EXPECT_EQ(Cells(MatchResultRow(all, Row("2-5", "5-2", "1-2-5", "2-5-1")))[3], "2-5-1");

  // The same ticket twice: the first one is reported.
  RecommendedTickets twice = all;
  twice.tickets[BetType::Quinella] = Tickets({"1-2", "1-3", "1-3", "2-3", "3-6", "3-4"});
  twice.tickets[BetType::Trifecta][0] = T("2&5&1");
  twice.tickets[BetType::Trio][0] = T("1-2-5");
  shown = MatchResultRow(twice, Row("1-3", "5-2", "1-2-5", "5-1-2"));
  EXPECT_EQ(Cells(shown), (CellTexts{"1-3(2)*", "5-2", "1-2-5(1)*", "5-1-2(1)*"}));
}

TEST(ResultMatchingTest, OnlyBetTypesOnSaleAreShownAndMatched) {
  const ResultRow row = Row("1-3", "3-1", "1-3-5", "3-1-5");
  RaceMatch shown = MatchResultRow(Slot(TicketSale::Quinella), row);
  EXPECT_EQ(Cells(shown), (CellTexts{"1-3(1)*", "3-1", "", ""}));
  EXPECT_EQ(shown.bets[BetType::Exacta].won.yen, 350);
  EXPECT_EQ(shown.bets[BetType::Trio].result, BetMatch::Result::NotShown);
  EXPECT_EQ(shown.bets[BetType::Trifecta].result, BetMatch::Result::NotShown);

  EXPECT_EQ(Cells(MatchResultRow(Slot(TicketSale::Exacta), row)), (CellTexts{"1-3", "3-1(1)*", "", ""}));
  EXPECT_EQ(Cells(MatchResultRow(Slot(TicketSale::ExactaQuinella), row)),
            (CellTexts{"1-3(1)*", "3-1(1)*", "", ""}));

  // A venue that sells nothing, and the empty slot of an 11-race venue's race 12.
  for (const RecommendedTickets& slot : {Slot(TicketSale::None), RecommendedTickets{}}) {
    shown = MatchResultRow(slot, row);
    EXPECT_EQ(Cells(shown), (CellTexts{"", "", "", ""}));
    for (BetType bet : kBetTypes) EXPECT_EQ(shown.bets[bet].result, BetMatch::Result::NotShown);
  }
}

TEST(ResultMatchingTest, BlankCombinationsNeverHit) {
  // No ticket at all, and a blank result row: shown as read, nothing hit.
  RecommendedTickets blanks = Slot(TicketSale::All);
  for (BetType bet : kBetTypes) blanks.tickets[bet].fill(Ticket{});
  RaceMatch shown = MatchResultRow(blanks, Row("   ", "   ", "     ", "     "));
  EXPECT_EQ(Cells(shown), (CellTexts{"   ", "   ", "     ", "     "}));
  EXPECT_EQ(shown.bets[BetType::Quinella].result, BetMatch::Result::Unreadable);
  EXPECT_EQ(shown.bets[BetType::Quinella].writtenPayout, "     180");
  blanks.tickets[BetType::Trifecta][0] = T("3&1&5");
  EXPECT_FALSE(MatchResultRow(blanks, Row("   ", "   ", "     ", "5-1-3")).bets[BetType::Trifecta].Hit());

  // A trio result without a trifecta result: the box covering it does not hit.
  shown = MatchResultRow(Slot(TicketSale::All), Row("1-3", "3-1", "1-3-5", "     "));
  EXPECT_EQ(Cells(shown), (CellTexts{"1-3(1)*", "3-1(1)*", "1-3-5(1)*", "     "}));

  // A combination field that is not lanes joined by '-' hits nothing, however its digits read,
  // and is shown as written rather than as a payout.
  for (const char* damaged : {"1=3", "13 ", "1-7", "3-1-"}) {
    const BetMatch cell = MatchResultRow(Slot(TicketSale::All), Row("1-3", damaged, "1-3-5", "     ")).bets[BetType::Exacta];
    EXPECT_FALSE(cell.Hit()) << damaged;
    EXPECT_EQ(cell.result, BetMatch::Result::Unreadable) << damaged;
    EXPECT_EQ(cell.writtenCombination, damaged);
  }
  // A payout that is no sum of yen: the combination still tells the hit, the payout is kept as
  // written; a blank row is no result.
  struct Case {
    const char* payout;
    BetMatch::Result result;
  };
  for (const Case& c : {Case{"    12a0", BetMatch::Result::Unreadable}, Case{"        ", BetMatch::Result::Unreadable},
                        Case{"       0", BetMatch::Result::Unreadable}, Case{"    1230", BetMatch::Result::Paid}}) {
    ResultRow row = Row("1-3", "3-1", "1-3-5", "3-1-5");
    row.TrioPayout = c.payout;
    const BetMatch cell = MatchResultRow(Slot(TicketSale::All), row).bets[BetType::Trio];
    EXPECT_EQ(cell.result, c.result) << c.payout;
    EXPECT_EQ(CellText(cell), "1-3-5(1)*") << c.payout;
    EXPECT_EQ(cell.writtenPayout, c.result == BetMatch::Result::Paid ? "" : c.payout);
  }
  ResultRow none = Row("1-3", "3-1", "1-3-5", "     ");
  none.TrifectaPayout = "        ";
  EXPECT_EQ(MatchResultRow(Slot(TicketSale::All), none).bets[BetType::Trifecta].result, BetMatch::Result::NoResult);
}

}  // namespace
}  // namespace wakorin
