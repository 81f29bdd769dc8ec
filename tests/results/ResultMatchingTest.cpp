#include <gtest/gtest.h>

#include "tests/WorkedExample.h"

#include "program/RaceCard.h"
#include "results/ResultMatching.h"

namespace wakorin {
namespace {

using Tickets = std::array<std::string, 6>;

using testing::kKen2F;
using testing::kKen2T;
using testing::kKen3F;
using testing::kKen3T;

const std::string kYen = "\x89\x7e";

ResultRow Row(std::string quinella, std::string exacta, std::string trio, std::string trifecta) {
  return ResultRow{quinella, "     180", exacta,   "     350",
                   trio,     "    1230", trifecta, "    4560"};
}

RecommendedTickets Slot(std::string_view onSale) {
  return TicketsFromLists(onSale, kKen2T, kKen2F, kKen3T, kKen3F);
}

// Texts of the four combination cells, "*" after each red one.
std::array<std::string, 4> Cells(const ResultRowDisplay& shown) {
  std::array<std::string, 4> cells;
  const ResultCell* all[] = {&shown.cell[BetType::Quinella], &shown.cell[BetType::Exacta], &shown.cell[BetType::Trio], &shown.cell[BetType::Trifecta]};
  for (std::size_t i = 0; i < 4; ++i) cells[i] = all[i]->text + (all[i]->hit ? "*" : "");
  return cells;
}

using CellTexts = std::array<std::string, 4>;

TEST(ResultMatchingTest, TicketsOnSaleDecideTheBetTypes) {
  struct Case {
    std::string_view text;
    bool quinella, exacta, three;
  };
  for (const Case& c :
       {Case{kSaleExactaQuinella, true, true, false}, Case{kSaleExacta, false, true, false},
        Case{kSaleQuinella, true, false, false}, Case{kSaleAll, true, true, true},
        Case{"", false, false, false},
        Case{std::string_view(kSaleAll.data(), 6), false, false, false}}) {
    const RecommendedTickets slot = Slot(c.text);
    EXPECT_EQ(slot.onSale[BetType::Quinella], c.quinella) << c.text;
    EXPECT_EQ(slot.onSale[BetType::Exacta], c.exacta) << c.text;
    EXPECT_EQ(slot.onSale[BetType::Trio], c.three) << c.text;
    EXPECT_EQ(slot.onSale[BetType::Trifecta], c.three) << c.text;
    EXPECT_EQ(slot.tickets[BetType::Trifecta], kKen3T);
  }
}

TEST(ResultMatchingTest, HitsAreTaggedWithTheFirstTicketThatHit) {
  const RecommendedTickets all = Slot(kSaleAll);
  // Quinella ticket 1 and exacta ticket 5; the "&" ticket 1 covers 3-5-1 through its trio.
  ResultRowDisplay shown = FillResultRow(all, Row("1-3", "3-6", "1-3-5", "5-1-3"));
  EXPECT_EQ(Cells(shown), (CellTexts{"1-3(1)*", "3-6(5)*", "1-3-5(1)*", "5-1-3(1)*"}));
  EXPECT_EQ(shown.payout[BetType::Quinella], "     180" + kYen);
  EXPECT_EQ(shown.payout[BetType::Trifecta], "    4560" + kYen);

  // Tickets joined by "-" hit only in their order: 1-5-2 is ticket 5, 2-5-1 is no ticket; trio
  // 1-2-5 is ticket 5 as well.
  shown = FillResultRow(all, Row("2-5", "5-2", "1-2-5", "1-5-2"));
  EXPECT_EQ(Cells(shown), (CellTexts{"2-5", "5-2", "1-2-5(5)*", "1-5-2(5)*"}));
  EXPECT_EQ(Cells(FillResultRow(all, Row("2-5", "5-2", "1-2-5", "2-5-1")))[3], "2-5-1");

  // The same ticket twice: the first one is reported.
  RecommendedTickets twice = all;
  twice.tickets[BetType::Quinella] = {"1-2", "1-3", "1-3", "2-3", "3-6", "3-4"};
  twice.tickets[BetType::Trifecta][0] = "2&5&1";
  twice.tickets[BetType::Trio][0] = "1-2-5";
  shown = FillResultRow(twice, Row("1-3", "5-2", "1-2-5", "5-1-2"));
  EXPECT_EQ(Cells(shown), (CellTexts{"1-3(2)*", "5-2", "1-2-5(1)*", "5-1-2(1)*"}));
}

TEST(ResultMatchingTest, OnlyBetTypesOnSaleAreShownAndMatched) {
  const ResultRow row = Row("1-3", "3-1", "1-3-5", "3-1-5");
  ResultRowDisplay shown = FillResultRow(Slot(kSaleQuinella), row);
  EXPECT_EQ(Cells(shown), (CellTexts{"1-3(1)*", "3-1", "", ""}));
  EXPECT_EQ(shown.payout[BetType::Exacta], "     350" + kYen);
  EXPECT_EQ(shown.payout[BetType::Trio] + shown.payout[BetType::Trifecta], "");

  EXPECT_EQ(Cells(FillResultRow(Slot(kSaleExacta), row)), (CellTexts{"1-3", "3-1(1)*", "", ""}));
  EXPECT_EQ(Cells(FillResultRow(Slot(kSaleExactaQuinella), row)),
            (CellTexts{"1-3(1)*", "3-1(1)*", "", ""}));

  // An unknown sale text, and the empty slot of an 11-race venue's race 12.
  for (const RecommendedTickets& slot :
       {Slot("\x82\x52\x98\x41\x92\x50\x81\x40"), RecommendedTickets{}}) {
    shown = FillResultRow(slot, row);
    EXPECT_EQ(Cells(shown), (CellTexts{"", "", "", ""}));
    EXPECT_EQ(shown.payout[BetType::Quinella] + shown.payout[BetType::Exacta] + shown.payout[BetType::Trio] + shown.payout[BetType::Trifecta],
              "");
  }
}

TEST(ResultMatchingTest, BlankCombinationsHaveNoYenAndNeverHit) {
  RecommendedTickets blanks = Slot(kSaleAll);
  blanks.tickets[BetType::Quinella].fill("   ");
  blanks.tickets[BetType::Exacta].fill("   ");
  blanks.tickets[BetType::Trio].fill("     ");
  blanks.tickets[BetType::Trifecta].fill("     ");
  ResultRowDisplay shown = FillResultRow(blanks, Row("   ", "   ", "     ", "     "));
  EXPECT_EQ(Cells(shown), (CellTexts{"   ", "   ", "     ", "     "}));
  EXPECT_EQ(shown.payout[BetType::Quinella], "     180");
  EXPECT_EQ(shown.payout[BetType::Trifecta], "    4560");
  blanks.tickets[BetType::Trifecta][0] = "3&1&5";
  EXPECT_FALSE(FillResultRow(blanks, Row("   ", "   ", "     ", "5-1-3")).cell[BetType::Trifecta].hit);

  // A trio result without a trifecta result: the "&" ticket covering it does not hit.
  shown = FillResultRow(Slot(kSaleAll), Row("1-3", "3-1", "1-3-5", "     "));
  EXPECT_EQ(Cells(shown), (CellTexts{"1-3(1)*", "3-1(1)*", "1-3-5(1)*", "     "}));
  EXPECT_EQ(shown.payout[BetType::Trio], "    1230" + kYen);
  EXPECT_EQ(shown.payout[BetType::Trifecta], "    4560");
}

}  // namespace
}  // namespace wakorin
