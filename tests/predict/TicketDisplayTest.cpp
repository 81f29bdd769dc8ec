#include <gtest/gtest.h>

#include "tests/WorkedExample.h"

#include "predict/TicketDisplay.h"
#include "program/RaceCard.h"

namespace wakorin {
namespace {

using Texts = TicketList;
using testing::kKen2F;
using testing::kKen2T;
using testing::kKen3F;
using testing::kKen3T;
const TicketLists kTickets{kKen2T, kKen2F, kKen3T, kKen3F};

// The sheets' headings and marks by name; the window words them.
const std::string kExacta = "exacta", kQuinella = "quinella", kTrifecta = "trifecta",
                  kTrio = "trio", kNone = "none", kDash = "-", kBox = "box";

std::string Heading2(const RecommendDisplay& d) {
  return d.mode2 == 1 ? kExacta : d.mode2 == 2 ? kQuinella : kNone;
}
std::string Heading3(const RecommendDisplay& d) {
  return d.mode3 == 1 ? kTrifecta : d.mode3 == 2 ? kTrio : kNone;
}
std::string Join(TicketJoin join) {
  return join == TicketJoin::Dash ? kDash : join == TicketJoin::Box ? kBox : "";
}

std::string Digits(const RecommendDisplay& d, bool three, std::size_t row) {
  std::string digits;
  if (three) {
    for (const auto& cell : d.three[row]) digits += cell.lane == 0 ? "." : std::to_string(cell.lane);
  } else {
    for (const auto& cell : d.two[row]) digits += cell.lane == 0 ? "." : std::to_string(cell.lane);
  }
  return digits;
}

// The sheets of a venue's sale, no bet type skipped.
RecommendDisplay Sheets(TicketSale sale, int tab, const TicketLists& tickets, int two, int three) {
  return ComputeRecommend(BetsOnSale(sale), tab, tickets, two, three, {});
}

void ExpectEmpty(const RecommendDisplay& d) {
  for (std::size_t row = 0; row < 6; ++row) {
    EXPECT_EQ(Digits(d, false, row), "..");
    EXPECT_EQ(Digits(d, true, row), "...");
    EXPECT_EQ(Join(d.twoJoin[row]), "");
    EXPECT_EQ(Join(d.threeJoin[row]), "");
    for (const auto& cell : d.three[row]) {
      EXPECT_EQ(cell.lane, 0);
    }
  }
}

TEST(TicketDisplay, AllBetTypesOnSaleOrderedAndUnordered) {
  RecommendDisplay d = Sheets(TicketSale::All, 0, kTickets, 6, 6);
  EXPECT_EQ(Heading2(d), kExacta);
  EXPECT_EQ(Heading3(d), kTrifecta);
  EXPECT_EQ(Digits(d, false, 0), "31");
  EXPECT_EQ(Digits(d, true, 0), "315");
  EXPECT_EQ(Digits(d, true, 5), "156");
  for (std::size_t row = 0; row < 6; ++row) {
    EXPECT_EQ(Join(d.twoJoin[row]), kDash);
    EXPECT_EQ(Join(d.threeJoin[row]), row < 3 ? kBox : kDash);
  }
  // Exacta row 1: lanes 3 and 1; trifecta row 1 ends in lane 5.
  EXPECT_EQ(d.two[0][0].lane, 3);
  EXPECT_EQ(d.two[0][1].lane, 1);
  EXPECT_EQ(d.three[0][2].lane, 5);

  d = Sheets(TicketSale::All, 1, kTickets, 6, 6);
  EXPECT_EQ(Heading2(d), kQuinella);
  EXPECT_EQ(Heading3(d), kTrio);
  EXPECT_EQ(Digits(d, false, 3), "23");
  EXPECT_EQ(Digits(d, true, 0), "135");
  for (std::size_t row = 0; row < 6; ++row) EXPECT_EQ(Join(d.threeJoin[row]), kDash);
  EXPECT_EQ(Sheets(TicketSale::All, 7, kTickets, 6, 6).mode2, 2);  // any other tab
}

TEST(TicketDisplay, TwoBoatSales) {
  RecommendDisplay d = Sheets(TicketSale::ExactaQuinella, 0, kTickets, 6, 6);
  EXPECT_EQ(Heading2(d), kExacta);
  EXPECT_EQ(Heading3(d), kNone);
  EXPECT_EQ(Digits(d, true, 0), "...");
  EXPECT_EQ(Sheets(TicketSale::ExactaQuinella, 1, kTickets, 6, 6).mode2, 2);

  d = Sheets(TicketSale::Exacta, 0, kTickets, 6, 6);
  EXPECT_EQ(Heading2(d), kExacta);
  EXPECT_EQ(Heading3(d), kNone);
  EXPECT_EQ(Digits(d, false, 5), "34");
  d = Sheets(TicketSale::Exacta, 1, kTickets, 6, 6);
  EXPECT_EQ(Heading2(d), kNone);
  EXPECT_EQ(Heading3(d), kNone);
  ExpectEmpty(d);

  d = Sheets(TicketSale::Quinella, 0, kTickets, 6, 6);
  EXPECT_EQ(Heading2(d), kNone);
  ExpectEmpty(d);
  d = Sheets(TicketSale::Quinella, 1, kTickets, 6, 6);
  EXPECT_EQ(Heading2(d), kQuinella);
  EXPECT_EQ(Digits(d, false, 0), "13");
}

TEST(TicketDisplay, NothingOnSaleCountsAndEmptyTickets) {
  {
    const RecommendDisplay d = Sheets(TicketSale::None, 0, kTickets, 6, 6);
    EXPECT_EQ(Heading2(d), kNone);
    EXPECT_EQ(Heading3(d), kNone);
    ExpectEmpty(d);
  }
  RecommendDisplay d = Sheets(TicketSale::All, 0, kTickets, 2, 4);
  EXPECT_EQ(Digits(d, false, 1), "35");
  EXPECT_EQ(Digits(d, false, 2), "..");
  EXPECT_EQ(Digits(d, true, 3), "316");
  EXPECT_EQ(Digits(d, true, 4), "...");
  const Texts none{};
  ExpectEmpty(Sheets(TicketSale::All, 0, TicketLists{none, none, none, none}, 6, 6));
}

}  // namespace
}  // namespace wakorin
