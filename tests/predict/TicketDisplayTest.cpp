#include <gtest/gtest.h>

#include "tests/WorkedExample.h"

#include "predict/TicketDisplay.h"
#include "program/RaceCard.h"

namespace wakorin {
namespace {

using Texts = std::array<std::string, 6>;
using testing::kKen2F;
using testing::kKen2T;
using testing::kKen3F;
using testing::kKen3T;
const TicketLists kTickets{kKen2T, kKen2F, kKen3T, kKen3F};

const std::string kExacta = "\x90\x84\x8f\xa7\x20\x82\x51\x98\x41\x92\x50\x81\x40";
const std::string kQuinella = "\x90\x84\x8f\xa7\x20\x82\x51\x98\x41\x95\xa1\x81\x40";
const std::string kTrifecta = "\x90\x84\x8f\xa7\x20\x82\x52\x98\x41\x92\x50\x81\x40";
const std::string kTrio = "\x90\x84\x8f\xa7\x20\x82\x52\x98\x41\x95\xa1\x81\x40";
const std::string kNone = "\x81\x40\x94\xad\x94\x84\x82\xc8\x82\xb5\x81\x40";
const std::string kDash = "\x81\x7c";
const std::string kBox = "\x81\xdf";

std::string Digits(const RecommendDisplay& d, bool three, std::size_t row) {
  std::string digits;
  if (three) {
    for (const auto& cell : d.three[row]) digits += cell.text.empty() ? "." : cell.text;
  } else {
    for (const auto& cell : d.two[row]) digits += cell.text.empty() ? "." : cell.text;
  }
  return digits;
}

void ExpectEmpty(const RecommendDisplay& d) {
  for (std::size_t row = 0; row < 6; ++row) {
    EXPECT_EQ(Digits(d, false, row), "..");
    EXPECT_EQ(Digits(d, true, row), "...");
    EXPECT_EQ(d.twoSeparator[row], "");
    EXPECT_EQ(d.threeSeparator[row], "");
    for (const auto& cell : d.three[row]) {
      EXPECT_EQ(cell.lane, 0);
    }
  }
}

TEST(TicketDisplay, AllBetTypesOnSaleOrderedAndUnordered) {
  RecommendDisplay d = ComputeRecommend(kSaleAll, 0, kTickets, 6, 6);
  EXPECT_EQ(d.heading2, kExacta);
  EXPECT_EQ(d.heading3, kTrifecta);
  EXPECT_EQ(Digits(d, false, 0), "31");
  EXPECT_EQ(Digits(d, true, 0), "315");
  EXPECT_EQ(Digits(d, true, 5), "156");
  for (std::size_t row = 0; row < 6; ++row) {
    EXPECT_EQ(d.twoSeparator[row], kDash);
    EXPECT_EQ(d.threeSeparator[row], row < 3 ? kBox : kDash);
  }
  // Exacta row 1: lanes 3 and 1; trifecta row 1 ends in lane 5.
  EXPECT_EQ(d.two[0][0].lane, 3);
  EXPECT_EQ(d.two[0][1].lane, 1);
  EXPECT_EQ(d.three[0][2].lane, 5);

  d = ComputeRecommend(kSaleAll, 1, kTickets, 6, 6);
  EXPECT_EQ(d.heading2, kQuinella);
  EXPECT_EQ(d.heading3, kTrio);
  EXPECT_EQ(Digits(d, false, 3), "23");
  EXPECT_EQ(Digits(d, true, 0), "135");
  for (std::size_t row = 0; row < 6; ++row) EXPECT_EQ(d.threeSeparator[row], kDash);
  EXPECT_EQ(ComputeRecommend(kSaleAll, 7, kTickets, 6, 6).heading2, kQuinella);  // any other tab
}

TEST(TicketDisplay, TwoBoatSaleTexts) {
  RecommendDisplay d = ComputeRecommend(kSaleExactaQuinella, 0, kTickets, 6, 6);
  EXPECT_EQ(d.heading2, kExacta);
  EXPECT_EQ(d.heading3, kNone);
  EXPECT_EQ(Digits(d, true, 0), "...");
  EXPECT_EQ(ComputeRecommend(kSaleExactaQuinella, 1, kTickets, 6, 6).heading2, kQuinella);

  d = ComputeRecommend(kSaleExacta, 0, kTickets, 6, 6);
  EXPECT_EQ(d.heading2, kExacta);
  EXPECT_EQ(d.heading3, kNone);
  EXPECT_EQ(Digits(d, false, 5), "34");
  d = ComputeRecommend(kSaleExacta, 1, kTickets, 6, 6);
  EXPECT_EQ(d.heading2, kNone);
  EXPECT_EQ(d.heading3, kNone);
  ExpectEmpty(d);

  d = ComputeRecommend(kSaleQuinella, 0, kTickets, 6, 6);
  EXPECT_EQ(d.heading2, kNone);
  ExpectEmpty(d);
  d = ComputeRecommend(kSaleQuinella, 1, kTickets, 6, 6);
  EXPECT_EQ(d.heading2, kQuinella);
  EXPECT_EQ(Digits(d, false, 0), "13");
}

TEST(TicketDisplay, UnknownSaleTextCountsAndEmptyTickets) {
  for (std::string_view sale :
       {std::string_view(""), std::string_view("\x82\x52\x98\x41\x92\x50")}) {
    const RecommendDisplay d = ComputeRecommend(sale, 0, kTickets, 6, 6);
    EXPECT_EQ(d.heading2, kNone);
    EXPECT_EQ(d.heading3, kNone);
    ExpectEmpty(d);
  }
  RecommendDisplay d = ComputeRecommend(kSaleAll, 0, kTickets, 2, 4);
  EXPECT_EQ(Digits(d, false, 1), "35");
  EXPECT_EQ(Digits(d, false, 2), "..");
  EXPECT_EQ(Digits(d, true, 3), "316");
  EXPECT_EQ(Digits(d, true, 4), "...");
  const Texts none{};
  ExpectEmpty(ComputeRecommend(kSaleAll, 0, TicketLists{none, none, none, none}, 6, 6));
}

}  // namespace
}  // namespace wakorin
