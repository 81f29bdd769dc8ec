// Payout tables that are not twelve clean rows, in both eras, and today's longer header.
#include <gtest/gtest.h>

#include "tests/support/TicketText.h"

#include "program/RaceCard.h"
#include "results/ResultFile.h"
#include "results/ResultMatching.h"
#include "results/ReturnSummary.h"
#include "tests/TempFiles.h"
#include "tests/support/Cp932.h"
#include "tests/support/ResultFileBuilder.h"
#include "tests/support/FileRoads.h"

namespace wakorin {
namespace {

using testsupport::FindVenueResult;

namespace ts = testsupport;

ts::ResultRowSpec Row(int race) {
  const std::string a = std::to_string(race % 6 + 1);
  return {a + "-2-3", ts::Payout(1000 + race), "1-2-3", ts::Payout(500 + race),
          a + "-2",   ts::Payout(300 + race),  "1-2",   ts::Payout(200 + race)};
}

VenueResult Search(const std::vector<ts::ResultBlockSpec>& blocks, const std::string& code,
                   int before) {
  testing::TempDir dir;
  const std::string path = dir.Write("K240401.TXT", ts::BuildResultFile(blocks));
  ResultSearchObserver quiet;
  auto search = FindVenueResult(path, code, before, quiet);
  EXPECT_TRUE(search.ok());
  EXPECT_EQ(search->end, ResultSearchEnd::Found) << code;
  return search->result;
}

ts::ResultBlockSpec Block(const std::string& code, bool current, int races) {
  ts::ResultBlockSpec block;
  block.code = code;
  block.current = current;
  block.length = current ? 14096 : 10600;
  for (int r = 1; r <= races; ++r) block.rows.push_back(Row(r));
  return block;
}

TEST(ResultTable, TodaysHeaderPutsTheFirstRowAt414) {
  const VenueResult result =
      Search({Block("24", true, 12), Block("21", true, 11), Block("20", true, 12)}, "21", 1);
  EXPECT_EQ(result.Race(1).TrifectaCombination, "2-2-3");
  EXPECT_EQ(result.Race(11).QuinellaPayout, ts::Payout(211));
  const VenueResult last =
      Search({Block("24", true, 12), Block("21", true, 11), Block("20", true, 12)}, "20", 2);
  EXPECT_EQ(last.Race(12).ExactaCombination, "1-2");
}

TEST(ResultTable, CancelledRacesAndVoidBetsAreFoundByLabelAndNeverHit) {
  for (bool current : {false, true}) {
    ts::ResultBlockSpec block = Block("06", current, 12);
    for (int r = 9; r <= 12; ++r) block.rows[static_cast<std::size_t>(r - 1)].cancelled = true;
    block.rows[2].exacta = ts::VoidBet();
    const VenueResult result = Search({Block("05", current, 12), block}, "06", 1);
    EXPECT_EQ(result.Race(8).TrifectaCombination, "3-2-3") << current;
    EXPECT_EQ(result.Race(8).TrifectaPayout, ts::Payout(1008));
    EXPECT_TRUE(result.Race(9).Cancelled);
    EXPECT_TRUE(result.Race(12).Cancelled);
    EXPECT_FALSE(result.Race(8).Cancelled);
    EXPECT_TRUE(result.Race(3).Void[BetType::Exacta]);
    EXPECT_EQ(result.Race(3).QuinellaCombination, "1-2");  // the other bets of the row stand

    const TicketList two = testsupport::Tickets({"4-2", "1-2", "1-2", "1-2", "1-2", "1-2"});
    const TicketList three = testsupport::Tickets({"1&2&3", "1-2-3", "", "", "", ""});
    const TicketList trio = testsupport::Tickets({"1-2-3", "1-2-3", "", "", "", ""});
    const RecommendedTickets tickets = TicketsFromLists(TicketSale::All, two, two, three, trio);
    const RaceMatch cancelled = MatchResultRow(tickets, result.Race(9));
    for (BetType bet : kBetTypes) {
      EXPECT_EQ(cancelled.bets[bet].result, BetMatch::Result::Cancelled);
      EXPECT_FALSE(cancelled.bets[bet].Hit());
    }
    const RaceMatch voided = MatchResultRow(tickets, result.Race(3));
    EXPECT_EQ(voided.bets[BetType::Exacta].result, BetMatch::Result::Void);
    EXPECT_FALSE(voided.bets[BetType::Exacta].Hit());
    EXPECT_TRUE(voided.bets[BetType::Quinella].Hit());  // quinella 1-2 was paid as usual

    CheckTally tally;
    for (int r = 1; r <= 12; ++r) tally.Add(tickets, result.Race(r));
    EXPECT_EQ(tally[BetType::Trifecta].races, 8);  // cancelled races count nowhere
    EXPECT_EQ(tally[BetType::Exacta].races, 7);    // nor a void bet
  }
}

TEST(ResultTable, DeadHeatHitsAnyWinningCombination) {
  ts::ResultBlockSpec block = Block("12", true, 12);
  ts::ResultRowSpec tie;
  tie.trifecta = "1-3-2";
  tie.trifectaPay = ts::Payout(2500);
  tie.trio = "     ";
  tie.trioPay = "        ";
  tie.exacta = "1-3";
  tie.exactaPay = ts::Payout(640);
  tie.quinella = "1-3";
  tie.quinellaPay = ts::Payout(520);
  block.rows[4] = {"1-2-3", ts::Payout(1200), "1-2-3", ts::Payout(400),
                   "1-2",   ts::Payout(300),  "1-2",   ts::Payout(250)};
  block.rows[4].deadHeat.push_back(tie);
  const VenueResult result = Search({block}, "12", 0);
  const ResultRow& row = result.Race(5);
  ASSERT_EQ(row.Ties[BetType::Exacta].size(), 1u);
  EXPECT_EQ(row.Ties[BetType::Exacta][0].first, "1-3");
  EXPECT_TRUE(row.Ties[BetType::Trio].empty());
  EXPECT_EQ(result.Race(6).TrifectaCombination, "1-2-3");  // rows after the tie keep their races

  const TicketList exacta = testsupport::Tickets({"2-1", "1-3", "", "", "", ""});
  const TicketList quinella = testsupport::Tickets({"1-3", "", "", "", "", ""});
  const TicketList trifecta = testsupport::Tickets({"2&1&4", "1-3-2", "", "", "", ""});
  const TicketList trio = testsupport::Tickets({"1-2-4", "1-2-3", "", "", "", ""});
  const RaceMatch shown =
      MatchResultRow(TicketsFromLists(TicketSale::All, exacta, quinella, trifecta, trio), row);
  // The red cell shows the combination the hitting ticket covers, with its own payout, so that
  // the grid and the footer agree; the tooltip keeps every winning combination.
  const BetMatch& hit = shown.bets[BetType::Exacta];
  EXPECT_EQ(testsupport::CellText(hit), "1-3(2)*");
  EXPECT_EQ(hit.won.yen, 640);
  ASSERT_EQ(hit.deadHeat.size(), 2u);
  EXPECT_EQ(hit.deadHeat[0].combination, *ParseCombination("1-2"));
  EXPECT_EQ(hit.deadHeat[0].yen, 300);
  EXPECT_EQ(hit.deadHeat[1].combination, *ParseCombination("1-3"));
  EXPECT_EQ(hit.deadHeat[1].yen, 640);
  EXPECT_EQ(testsupport::CellText(shown.bets[BetType::Quinella]), "1-3(1)*");
  EXPECT_EQ(testsupport::CellText(shown.bets[BetType::Trifecta]), "1-3-2(2)*");
  EXPECT_EQ(shown.bets[BetType::Trifecta].won.yen, 2500);
  // With no hit the first combination shows.
  const RaceMatch missed = MatchResultRow(TicketsFromLists(TicketSale::All, {}, {}, {}, {}), row);
  EXPECT_EQ(testsupport::CellText(missed.bets[BetType::Exacta]), "1-2");
  EXPECT_EQ(missed.bets[BetType::Exacta].won.yen, 300);

  CheckTally tally;
  tally.Add(TicketsFromLists(TicketSale::All, exacta, quinella, trifecta, trio), row);
  EXPECT_EQ(tally[BetType::Exacta].payout, 640);
  EXPECT_EQ(tally[BetType::Quinella].payout, 520);
}

// A bettor is paid for every winning combination a ticket covers: a boxed ticket covering both
// combinations of a dead heat is paid both, and two tickets hitting the two are both paid; the
// hit still counts once per race.
TEST(ResultTable, DeadHeatReturnsAsPaid) {
  ResultRow row{"1-2", ts::Payout(250), "1-2", ts::Payout(300), "1-2-3", ts::Payout(400),
                "1-2-3", ts::Payout(1200)};
  row.Ties[BetType::Trifecta] = {{"1-3-2", ts::Payout(2500)}};
  row.Ties[BetType::Exacta] = {{"1-3", ts::Payout(640)}};
  const TicketList exacta = testsupport::Tickets({"1-3", "4-5", "1-2", "", "", ""});
  const TicketList trifecta = testsupport::Tickets({"1&2&3", "1-3-2", "", "", "", ""});
  const TicketList trio = testsupport::Tickets({"1-2-3", "1-2-3", "", "", "", ""});
  const RecommendedTickets slot = TicketsFromLists(TicketSale::All, exacta, {}, trifecta, trio);
  CheckTally tally;
  tally.Add(slot, row);
  EXPECT_EQ(tally[BetType::Exacta].payout, 640 + 300);
  EXPECT_EQ(tally[BetType::Exacta].hits, 1);
  EXPECT_EQ(tally[BetType::Trifecta].payout, 1200 + 2500 + 2500);  // the box twice, ticket 2 once
  EXPECT_EQ(tally[BetType::Trifecta].hits, 1);
  EXPECT_EQ(testsupport::CellText(MatchResultRow(slot, row).bets[BetType::Exacta]), "1-3(1)*");
}

// A venue still racing holds only a notice; its search must not read the next venue's bytes as
// its table, and the venues after it are found as before.
TEST(ResultTable, VenueWithoutResultsYetIsReportedNotReadOnward) {
  for (bool current : {false, true}) {
    const std::string file = "STARTK\r\n" + ts::BuildResultBlock(Block("05", current, 12)) +
                             ts::BuildPendingResultBlock("06") +
                             ts::BuildResultBlock(Block("07", current, 12)) + "FINALK\r\n";
    for (int before : {1, 0}) {
      ResultSearchObserver quiet;
      auto pending = FindVenueResultIn(file, "06", before, quiet);
      ASSERT_TRUE(pending.ok());
      EXPECT_EQ(pending->end, ResultSearchEnd::NotPublished) << current;
      EXPECT_EQ(pending->result.Race(1).TrifectaCombination, "") << current;
    }
    ResultSearchObserver quiet;
    auto next = FindVenueResultIn(file, "07", 2, quiet);
    ASSERT_TRUE(next.ok());
    ASSERT_EQ(next->end, ResultSearchEnd::Found);
    EXPECT_EQ(next->result.Race(12).QuinellaPayout, ts::Payout(212));
  }
}

// The unlabelled row of a dead heat belongs to the race above it, the last race's included,
// even when the twelve rows before it are clean.
TEST(ResultTable, DeadHeatAfterTheLastRow) {
  for (bool current : {false, true}) {
    ts::ResultBlockSpec block = Block("22", current, 12);
    ts::ResultRowSpec tie{"1-3-6", ts::Payout(980), "1-3-6", ts::Payout(450), "   ", "        ",
                          "   ", "        "};
    block.rows[11].deadHeat.push_back(tie);
    const VenueResult result = Search({block}, "22", 0);
    const ResultRow& last = result.Race(12);
    ASSERT_EQ(last.Ties[BetType::Trifecta].size(), 1u) << current;
    EXPECT_EQ(last.Ties[BetType::Trio][0].second, ts::Payout(450));
    EXPECT_EQ(result.Race(11).TrifectaCombination, "6-2-3");
  }
}

TEST(ResultTable, CleanClassicTablesKeepTheFixedReading) {
  // A classic table whose rows are not where labels are looked for still reads at fixed offsets.
  ts::ResultBlockSpec block = Block("03", false, 12);
  testing::TempDir dir;
  std::string file = ts::BuildResultFile({block});
  const std::size_t table = 8 + ts::PayoutTableOffset(true);
  for (std::size_t r = 0; r < 12; ++r) file.replace(table + 77 * r, 13, std::string(13, '#'));
  const std::string path = dir.Write("K.TXT", file);
  ResultSearchObserver quiet;
  auto search = FindVenueResult(path, "03", 0, quiet);
  ASSERT_TRUE(search.ok());
  EXPECT_EQ(search->result.Race(4).TrifectaCombination, "5-2-3");
  EXPECT_EQ(search->result.Race(12).QuinellaPayout, ts::Payout(212));
}

// The table reads at most 32 KiB from its key, and sees the block's end line only when those bytes
// hold it whole: a block cut short by the next venue's key is a notice-only block when it has
// ended, else its table reads as blanks. Both searches, with and without the day's outline.
TEST(ResultTable, EndLineCountsOnlyWithinTheBytesReadFromTheKey) {
  constexpr std::size_t kScan = 32 * 1024;
  const struct {
    std::size_t endLine;  // from the key
    ResultSearchEnd end;
  } cases[] = {
      {kScan - 6, ResultSearchEnd::NotPublished},  // its last byte the last one read
      {kScan - 5, ResultSearchEnd::Found},
      {kScan + 100, ResultSearchEnd::Found},
  };
  for (const auto& c : cases) {
    std::string file = "STARTK\r\n06KBGN\r\n07KBGN";
    file.resize(8 + c.endLine, ' ');
    file += "06KEND\r\nFINALK\r\n";
    const ResultFileOutline outline = OutlineResultFile(file);
    ResultSearchObserver quiet;
    for (const auto& search :
         {FindVenueResultIn(file, "06", 0, quiet), FindVenueResultIn(file, "06", 0, quiet, outline)}) {
      ASSERT_TRUE(search.ok());
      EXPECT_EQ(search->end, c.end) << c.endLine;
      if (c.end == ResultSearchEnd::Found) {
        EXPECT_EQ(search->result.Race(1).TrifectaCombination, "     ");  // nothing of venue 07
      }
    }
  }
}

}  // namespace
}  // namespace wakorin
