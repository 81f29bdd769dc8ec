#include <gtest/gtest.h>

#include "program/RaceCard.h"
#include "program/VenueBlockScan.h"
#include "program/VenueTable.h"
#include "tests/TempFiles.h"
#include "tests/support/Cp932.h"
#include "tests/support/ProgramFileBuilder.h"
#include "tests/support/FileRoads.h"

namespace wakorin {
namespace {

using testsupport::LocateVenueBlock;

using testsupport::BuildProgramFile;
using testsupport::BuildVenueBlock;
using testsupport::SampleVenue;
using testsupport::Sjis;
using testsupport::VenueBlockSpec;

// Marks race r and lane k so that a field read from the wrong line is caught.
VenueBlockSpec MarkedVenue(const std::string& code, int races) {
  VenueBlockSpec venue = SampleVenue(code, races, 7);
  for (int r = 1; r <= races; ++r) {
    auto& race = venue.races[static_cast<std::size_t>(r - 1)];
    race.rname = "RNAME" + std::to_string(r);
    race.rleng = "LENG" + std::to_string(r);
    race.rtime = "TIME" + std::to_string(r);
    for (int k = 1; k <= 6; ++k) {
      auto& racer = race.racers[static_cast<std::size_t>(k - 1)];
      racer.racerNo = std::to_string(1000 + 10 * r + k).substr(0, 4);
      racer.name = "N" + std::to_string(r) + "-" + std::to_string(k);
      racer.mtno = std::to_string(r) + std::to_string(k);
      racer.btwn = "B" + std::to_string(r) + "." + std::to_string(k);
      racer.kekka = {"1" + std::to_string(k), "2" + std::to_string(k), "3" + std::to_string(k),
                     "4" + std::to_string(k), "5" + std::to_string(k), "6" + std::to_string(k)};
    }
  }
  return venue;
}

void ExpectRace(const TRaceCard& card, int race) {
  EXPECT_EQ(card.RName, "RNAME" + std::to_string(race) +
                            std::string(12 - 5 - std::to_string(race).size(), ' '));
  EXPECT_EQ(card.RLeng.substr(0, 4 + std::to_string(race).size()), "LENG" + std::to_string(race));
  EXPECT_EQ(card.RTime.substr(0, 4 + std::to_string(race).size()), "TIME" + std::to_string(race));
  for (int k = 1; k <= 6; ++k) {
    const TRacerEntry& racer = card.Lane(k);
    EXPECT_EQ(racer.RacerNo, std::to_string(1000 + 10 * race + k).substr(0, 4));
    EXPECT_EQ(racer.Name.substr(0, 4 + (race >= 10)),
              "N" + std::to_string(race) + "-" + std::to_string(k));
    EXPECT_EQ(racer.MeetingResults[0], "1" + std::to_string(k));
    EXPECT_EQ(racer.MeetingResults[5], "6" + std::to_string(k));
  }
}

TEST(RaceCard, FieldsOfRaceOneAndTheLastRaceOfTwelve) {
  const VenueBlockSpec venue = MarkedVenue("01", 12);
  const std::string block = BuildVenueBlock(venue);
  ASSERT_EQ(block.substr(346 + 8, 5), "RNAME") << "title line of race 1 at 346";
  ExpectRace(ReadRaceCard(block, 1, VenueNameOfCode("01")), 1);
  ExpectRace(ReadRaceCard(block, 12, VenueNameOfCode("01")), 12);
  EXPECT_EQ(block.substr(10081 + 8, 7), "RNAME12");
  EXPECT_EQ(block.substr(10883 + 2, 4), ReadRaceCard(block, 12, "").Lane(6).RacerNo);
  EXPECT_EQ(block.substr(10964, 6), "01BEND");
}

TEST(RaceCard, EveryColumnOfARacerLine) {
  VenueBlockSpec venue = SampleVenue("02", 12, 3);
  auto& racer = venue.races[0].racers[2];
  racer = {"4346", Sjis("髙橋﨑子"), "38",    Sjis("福岡"), "57",
           "B1",   " 4.23",          "24.14", " 4.55",      "23.08",
           " 21",  "33.33",          "  7",   "41.36",      {" 1", " 2", " 3", " 4", " 5", " 6"}};
  const TRaceCard card = ReadRaceCard(BuildVenueBlock(venue), 1, VenueNameOfCode("02"));
  const TRacerEntry& lane3 = card.Lane(3);
  EXPECT_EQ(lane3.RacerNo, "4346");
  EXPECT_EQ(lane3.Name, Sjis("髙橋﨑子"));
  EXPECT_EQ(lane3.Old, "38");
  EXPECT_EQ(lane3.Syusin, Sjis("福岡"));
  EXPECT_EQ(lane3.Wght, "57");
  EXPECT_EQ(lane3.Clas, "B1");
  EXPECT_EQ(lane3.GWin, " 4.23");
  EXPECT_EQ(lane3.GWSd, "24.14");
  EXPECT_EQ(lane3.RWin, " 4.55");
  EXPECT_EQ(lane3.RWSd, "23.08");
  EXPECT_EQ(lane3.MtNo, " 21");  // blanks are kept
  EXPECT_EQ(lane3.MtWn, "33.33");
  EXPECT_EQ(lane3.BtNo, "  7");
  EXPECT_EQ(lane3.BtWn, "41.36");
  EXPECT_EQ(lane3.MeetingResults, (std::array<std::string, 6>{" 1", " 2", " 3", " 4", " 5", " 6"}));
  EXPECT_EQ(card.Sale, TicketSale::All);
}

TEST(RaceCard, MeetingHeaderIsTrimmedOfSingleByteBlanksOnly) {
  VenueBlockSpec venue = SampleVenue("03", 11, 1);
  venue.meetingName = "   " + Sjis("　桜花賞　") + "  \t";
  venue.count = Sjis("第　３日");
  venue.ddate = Sjis("２００６年　４月１５日");
  const TRaceCard card = ReadRaceCard(BuildVenueBlock(venue), 1, VenueNameOfCode("03"));
  EXPECT_EQ(card.DName, Sjis("　桜花賞　"));
  EXPECT_EQ(card.Count, Sjis("第　３日"));
  EXPECT_EQ(card.DDate, Sjis("２００６年　４月１５日"));
}

TEST(RaceCard, ElevenRaceVenuesAndTheirNeighboursAreFoundAndShown) {
  testing::TempDir dir;
  const std::string path = dir.Write(
      "B.TXT",
      BuildProgramFile({MarkedVenue("05", 11), MarkedVenue("06", 12), MarkedVenue("07", 11)}));
  for (const char* code : {"05", "06", "07"}) {
    auto block = LocateVenueBlock(path, code);
    ASSERT_TRUE(block.ok() && block->has_value()) << code;
    const int races = (*block)->raceCount;
    EXPECT_EQ(races, std::string(code) == "06" ? 12 : 11);
    ExpectRace(ReadRaceCard((*block)->bytes, races, VenueNameOfCode(code)), races);
  }
  // Race 11's title line of an 11-race block is at 9196.
  EXPECT_EQ(BuildVenueBlock(MarkedVenue("05", 11)).substr(9196 + 8, 7), "RNAME11");
}

TEST(RaceCard, TicketsOnSaleForEveryVenueAndNoneForAnUnknownName) {
  for (int n = 1; n <= 24; ++n) {
    const std::string code = (n < 10 ? "0" : "") + std::to_string(n);
    EXPECT_EQ(SaleAt(VenueNameOfCode(code)), TicketSale::All);
  }
  EXPECT_EQ(SaleAt("25"), TicketSale::None);
}

TEST(RaceCard, ShortOrDamagedBlocksGiveShortFieldsNeverAnOverread) {
  std::string block = BuildVenueBlock(MarkedVenue("01", 12));
  // A NUL inside a racer line ends that line's text there.
  block[743 + 10] = '\0';
  TRaceCard card = ReadRaceCard(block, 1, "");
  EXPECT_EQ(card.Lane(1).RacerNo.size(), 4u);
  EXPECT_EQ(card.Lane(1).Name.size(), 4u);
  EXPECT_EQ(card.Lane(1).Old, "");
  // Cut inside lane 2's line of race 1.
  const std::string cut = block.substr(0, 743 + 81 + 20);
  card = ReadRaceCard(cut, 1, "");
  EXPECT_EQ(card.Lane(2).Name.size(), 8u);
  EXPECT_EQ(card.Lane(2).GWin, "");
  EXPECT_EQ(card.Lane(6).RacerNo, "");
  for (int race : {0, -3, 13, 1000}) ReadRaceCard(block, race, "");  // no read outside
  EXPECT_EQ(ReadRaceCard("", 1, "").DName, "");
}

}  // namespace
}  // namespace wakorin

namespace wakorin {
namespace {

TEST(RaceCardToday, FieldsMoveWithTheLongerVenueLine) {
  VenueBlockSpec venue = MarkedVenue("12", 11);
  venue.layout = testsupport::ProgramLayout::Current;
  venue.meetingName = "  " + Sjis("桜花賞") + "  ";
  venue.count = Sjis("第　７日");
  venue.ddate = Sjis("２０２４年　４月　１日");
  const std::string block = BuildVenueBlock(venue);
  for (int race : {1, 11}) {
    const TRaceCard card = ReadRaceCard(block, race, VenueNameOfCode("12"), BlockLayout::BoatRaceVenueLine);
    ExpectRace(card, race);
    EXPECT_EQ(card.DName, Sjis("桜花賞"));
    EXPECT_EQ(card.Count, Sjis("第　７日"));
    EXPECT_EQ(card.DDate, Sjis("２０２４年　４月　１日"));
  }
  EXPECT_EQ(block.substr(349 + 8, 6), "RNAME1");
}

// Six-column rates, and the fixed-entry mark read from its own columns only: a race name may
// say 進入固定 too.
TEST(RaceCardToday, WideRatesAndTheFixedEntryMark) {
  for (auto layout : {testsupport::ProgramLayout::Classic, testsupport::ProgramLayout::Current}) {
    const bool current = layout == testsupport::ProgramLayout::Current;
    VenueBlockSpec venue = SampleVenue("15", 12, 4);
    venue.layout = layout;
    venue.races[0].rname = Sjis("進入固定戦");
    venue.races[1].fixedEntry = true;
    auto& racer = venue.races[1].racers[4];
    racer.gwsd = current ? "100.00" : "99.99";
    racer.rwsd = "0.00";
    racer.mtwn = "45.61";
    racer.btwn = current ? "100.00" : "88.89";
    racer.kekka = {"12", "34", "56", "S1", "F ", "K6"};
    const std::string block = BuildVenueBlock(venue);
    const BlockLayout read = current ? BlockLayout::BoatRaceVenueLine : BlockLayout::KyoteijoVenueLine;
    EXPECT_FALSE(ReadRaceCard(block, 1, VenueNameOfCode("15"), read).FixedEntry);
    const TRaceCard card = ReadRaceCard(block, 2, VenueNameOfCode("15"), read);
    EXPECT_TRUE(card.FixedEntry);
    EXPECT_FALSE(ReadRaceCard(block, 3, VenueNameOfCode("15"), read).FixedEntry);
    const TRacerEntry& lane5 = card.Lane(5);
    EXPECT_EQ(lane5.GWSd, current ? "100.00" : "99.99");
    EXPECT_EQ(lane5.RWSd, current ? "  0.00" : "0.00 ");
    EXPECT_EQ(lane5.MtWn, current ? " 45.61" : "45.61");
    EXPECT_EQ(lane5.BtWn, current ? "100.00" : "88.89");
    EXPECT_EQ(lane5.MeetingResults, racer.kekka);
  }
}

// The cards the check reads hold, field for field, what the whole card holds, on every race of
// the real days and of the sample day.
TEST(CardNumbers, SameFieldsAsTheWholeCard) {
  int cards = 0;
  for (const std::string& path : {std::string(WAKORIN_SAMPLES_DIR) + "/B060415.TXT",
                                 std::string(WAKORIN_REALDATA_DIR) + "/B240116.TXT",
                                 std::string(WAKORIN_REALDATA_DIR) + "/B240710.TXT"}) {
    const std::string bytes = testing::ReadAll(path);
    auto index = IndexVenueBlocksIn(bytes);
    ASSERT_TRUE(index.ok()) << path;
    for (const VenueIndexEntry& block : index->blocks) {
      const std::string_view venue = std::string_view(bytes).substr(block.offset, block.length);
      for (int r = 1; r <= block.raceCount; ++r) {
        const TRaceCard whole = ReadRaceCard(venue, r, {}, block.layout);
        const TRaceCard figures = ReadRaceCard(venue, r, {}, block.layout, CardFields::Figures);
        for (std::size_t k = 0; k < 6; ++k) {
          const TRacerEntry &a = figures.Racers[k], &b = whole.Racers[k];
          EXPECT_TRUE(a.RacerNo == b.RacerNo && a.Clas == b.Clas && a.GWin == b.GWin &&
                      a.GWSd == b.GWSd && a.RWin == b.RWin && a.RWSd == b.RWSd && a.MtWn == b.MtWn &&
                      a.BtWn == b.BtWn && a.Old == b.Old && a.Wght == b.Wght &&
                      a.MeetingResults == b.MeetingResults)
              << path << " " << block.code << " " << r << " lane " << k + 1;
        }
        const CardNumbers lean = ReadCardNumbers(venue, r, block.layout);
        EXPECT_EQ(lean.fixedEntry, whole.FixedEntry) << path << " " << block.code << " " << r;
        for (std::size_t k = 0; k < 6; ++k) {
          EXPECT_EQ(lean.racers[k], whole.Racers[k].RacerNo);
          EXPECT_EQ(lean.motors[k], whole.Racers[k].MtNo);
          EXPECT_EQ(lean.boats[k], whole.Racers[k].BtNo);
        }
        ++cards;
      }
    }
  }
  EXPECT_GT(cards, 200);
}

}  // namespace

}  // namespace wakorin
