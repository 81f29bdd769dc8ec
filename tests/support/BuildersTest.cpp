#include <gtest/gtest.h>
#include <iconv.h>

#include <stdexcept>
#include <string>

#include "tests/support/Cp932.h"
#include "tests/support/FixedText.h"
#include "tests/support/ProgramFileBuilder.h"
#include "tests/support/ResultFileBuilder.h"
#include "tests/support/StatsFileBuilder.h"

namespace wakorin::testsupport {
namespace {

// True when every byte sequence of `sjis` is a CP932 character.
bool IsValidCp932(const std::string& sjis) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  std::string in = sjis;
  std::string out(in.size() * 3 + 4, '\0');
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  return ok && inLeft == 0;
}

TEST(Cp932Test, ConvertsExtensionCharactersAndBlanks) {
  EXPECT_EQ(Sjis("髙"), "\xFB\xFC");
  EXPECT_EQ(Sjis("﨑"), "\xFA\xB1");
  EXPECT_EQ(Sjis("①"), "\x87\x40");
  EXPECT_EQ(Sjis("　"), "\x81\x40");
  EXPECT_EQ(Sjis("ﾀｶﾊｼ"), "\xC0\xB6\xCA\xBC");
  EXPECT_EQ(Sjis("1-4-2"), "1-4-2");
  EXPECT_EQ(Sjis(""), "");
}

TEST(Cp932Test, RejectsTextWithoutCp932Form) {
  EXPECT_THROW(Sjis("\xF0\x9F\x98\x80"), std::runtime_error);  // an emoji
  EXPECT_THROW(Sjis("\xFF"), std::runtime_error);              // not UTF-8
}

TEST(FixedTextTest, PadsAlignsAndRejectsOverlongFields) {
  EXPECT_EQ(Field("12", 4), "12  ");
  EXPECT_EQ(RightAligned("21", 3), " 21");
  EXPECT_THROW(Field("12345", 4), std::invalid_argument);
  EXPECT_THROW(RightAligned("1234", 3), std::invalid_argument);
  EXPECT_EQ(FullWidthNumber(4, 2), Sjis("　４"));
  EXPECT_EQ(FullWidthNumber(2006, 4), Sjis("２００６"));
  EXPECT_THROW(FullWidthNumber(100, 2), std::invalid_argument);
  EXPECT_EQ(PadFullWidth(Sjis("予選"), 12), Sjis("予選　　　　"));
  EXPECT_EQ(PadFullWidth("abc", 6), "abc \x81\x40");
}

TEST(FixedTextTest, FitAndTrimKeepDoubleByteCharactersWhole) {
  EXPECT_EQ(FitSjis(Sjis("桜花賞"), 5), Sjis("桜花") + " ");
  EXPECT_EQ(FitSjis(Sjis("a髙"), 2), "a ");
  EXPECT_EQ(TrimSjis("  " + Sjis("競走　　") + "  "), Sjis("競走"));
  // 0x40 after a lead byte is a trail byte, not part of a blank.
  EXPECT_EQ(TrimSjis(Sjis("ァ　")), Sjis("ァ"));
}

TEST(ProgramBuilderTest, RacerLineColumns) {
  RacerLine r;
  r.racerNo = "4346";
  r.name = Sjis("髙橋健太");
  r.mtno = " 21";
  r.kekka = {" 1", " 4", Sjis("Ｆ"), "", "", ""};
  const std::string line = BuildRacerLine(r, 3);
  ASSERT_EQ(line.size(), 79u);
  // Columns are 1-based: column c is line[c - 1].
  EXPECT_EQ(line.substr(0, 2), "3 ");
  EXPECT_EQ(line.substr(2, 4), "4346");
  EXPECT_EQ(line.substr(6, 8), Sjis("髙橋健太"));
  EXPECT_EQ(line.substr(14, 2), r.old);
  EXPECT_EQ(line.substr(16, 4), r.syusin);
  EXPECT_EQ(line.substr(20, 2), r.wght);
  EXPECT_EQ(line.substr(22, 2), r.clas);
  EXPECT_EQ(line.substr(24, 5), r.gwin);
  EXPECT_EQ(line.substr(29, 5), r.gwsd);
  EXPECT_EQ(line[34], ' ');
  EXPECT_EQ(line.substr(35, 5), r.rwin);
  EXPECT_EQ(line.substr(40, 5), r.rwsd);
  EXPECT_EQ(line[45], ' ');
  EXPECT_EQ(line.substr(46, 3), " 21");
  EXPECT_EQ(line.substr(49, 5), r.mtwn);
  EXPECT_EQ(line[54], ' ');
  EXPECT_EQ(line.substr(55, 3), r.btno);
  EXPECT_EQ(line.substr(58, 5), r.btwn);
  EXPECT_EQ(line.substr(63, 2), "  ");
  EXPECT_EQ(line.substr(65, 12), " 1 4" + Sjis("Ｆ") + std::string(6, ' '));
  EXPECT_EQ(line.substr(77, 2), "  ");
}

// Today's racer lines as the official files print them, blanks at the end left off; the
// quick-look number in columns 78..79 is one the builder leaves blank.
TEST(ProgramBuilderTest, TodaysRacerLinesAsPrinted) {
  struct Case {
    RacerLine racer;
    int lane;
    const char* printed;
  };
  const Case cases[] = {
      {{"4004",
        Sjis("山本浩輔"),
        "46",
        Sjis("長崎"),
        "53",
        "B1",
        " 4.32",
        "23.94",
        " 5.11",
        "31.58",
        " 24",
        "13.33",
        " 37",
        "44.44",
        {"5 ", "31", "", "", "", ""}},
       1,
       "1 4004山本浩輔46長崎53B1 4.32 23.94 5.11 31.58 24 13.33 37 44.44 5 31"},
      {{"3909",
        Sjis("佐々木康"),
        "50",
        Sjis("静岡"),
        "56",
        "A1",
        " 7.04",
        "57.69",
        " 9.10",
        "100.00",
        " 61",
        "31.19",
        " 72",
        "32.50",
        {}},
       5,
       "5 3909佐々木康50静岡56A1 7.04 57.69 9.10100.00 61 31.19 72 32.50"},
      {{"4512",
        Sjis("高野哲史"),
        "34",
        Sjis("兵庫"),
        "52",
        "A1",
        " 6.23",
        "47.45",
        " 5.41",
        "31.03",
        " 76",
        "47.62",
        " 59",
        "36.26",
        {"26", "1 ", "26", "21", "12", "34"}},
       6,
       "6 4512高野哲史34兵庫52A1 6.23 47.45 5.41 31.03 76 47.62 59 36.26 261 26211234"},
  };
  for (const Case& c : cases) {
    const std::string printed = Sjis(c.printed);
    EXPECT_EQ(BuildRacerLine(c.racer, c.lane, ProgramLayout::Current),
              printed + std::string(kRacerLineWidth - printed.size(), ' '));
  }
}

TEST(ProgramBuilderTest, RacerLinePadsShortFieldsAndRejectsLongOnes) {
  RacerLine r;
  r.racerNo = "12";
  EXPECT_EQ(BuildRacerLine(r, 1).substr(2, 4), "12  ");
  r.name = Sjis("長谷川健太");
  EXPECT_THROW(BuildRacerLine(r, 1), std::invalid_argument);
  EXPECT_THROW(BuildRacerLine(RacerLine{}, 10), std::invalid_argument);
  RacerLine k;
  k.kekka[5] = "123";
  EXPECT_THROW(BuildRacerLine(k, 1), std::invalid_argument);
}

// A block whose every race and lane carries distinct values, so a misplaced field shows.
VenueBlockSpec MarkedVenue(std::size_t races) {
  VenueBlockSpec plan;
  plan.code = "24";
  plan.races.assign(races, RaceRecord{});
  for (std::size_t r = 0; r < races; ++r) {
    plan.races[r].rname = "R" + std::to_string(r + 1);
    plan.races[r].rleng = "L" + std::to_string(r + 1);
    plan.races[r].rtime = "T" + std::to_string(r + 1);
    for (std::size_t k = 0; k < 6; ++k) {
      plan.races[r].racers[k].racerNo = std::to_string(1000 + 10 * (r + 1) + k + 1);
    }
  }
  return plan;
}

TEST(ProgramBuilderTest, VenueBlockOffsetsForTwelveAndElevenRaces) {
  for (std::size_t races : {12u, 11u}) {
    SCOPED_TRACE(races);
    const VenueBlockSpec plan = MarkedVenue(races);
    const std::string block = BuildVenueBlock(plan);
    ASSERT_EQ(block.size(), races == 12 ? 10972u : 10087u);
    EXPECT_EQ(block.substr(0, 8), "24BBGN\r\n");
    EXPECT_EQ(block.substr(127, 60), plan.meetingName);
    EXPECT_EQ(block.substr(194, 8), Sjis("第　３日"));
    EXPECT_EQ(block.substr(212, 22), Sjis("２００６年　４月１５日"));
    // Lines of the header end where the readers expect the next field to begin.
    for (std::size_t crlf : {69u, 71u, 123u, 125u, 187u, 189u, 271u, 273u, 340u, 342u}) {
      EXPECT_EQ(block.substr(crlf, 2), "\r\n") << crlf;
    }
    for (std::size_t r = 1; r <= races; ++r) {
      const std::size_t record = 344 + 885 * (r - 1);
      EXPECT_EQ(block.substr(record, 2), "\r\n");
      const std::size_t title = 346 + 885 * (r - 1);
      EXPECT_EQ(block.substr(title, 8),
                FullWidthNumber(static_cast<int>(r), 2) + Sjis("Ｒ") + "  ");
      EXPECT_EQ(block.substr(title + 8, 12), Field("R" + std::to_string(r), 12));
      EXPECT_EQ(block.substr(title + 30, 12), Field("L" + std::to_string(r), 12));
      EXPECT_EQ(block.substr(title + 60, 10), Field("T" + std::to_string(r), 10));
      EXPECT_EQ(block.substr(title + 71, 2), "\r\n");
      for (std::size_t k = 1; k <= 6; ++k) {
        const std::size_t lane = 743 + 885 * (r - 1) + 81 * (k - 1);
        EXPECT_EQ(block[lane], static_cast<char>('0' + k));
        EXPECT_EQ(block.substr(lane + 2, 4), std::to_string(1000 + 10 * r + k));
        EXPECT_EQ(block.substr(lane + 79, 2), "\r\n");
      }
    }
    const std::size_t end = 344 + 885 * races;
    EXPECT_EQ(block.substr(end), "24BEND\r\n");
    EXPECT_TRUE(IsValidCp932(BuildVenueBlock(VenueBlockSpec{})));
  }
}

TEST(ProgramBuilderTest, TwelfthRaceEndsRightBeforeTheEndLine) {
  const std::string block = BuildVenueBlock(MarkedVenue(12));
  EXPECT_EQ(block.substr(10081, 4), FullWidthNumber(12, 2));
  EXPECT_EQ(block.substr(10883 + 2, 4), "1126");
  EXPECT_EQ(block.substr(10962, 2), "\r\n");
  EXPECT_EQ(block.substr(10966, 4), "BEND");
}

TEST(ProgramBuilderTest, AnyRaceCountAndAnyCodeAreWrittenAsGiven) {
  VenueBlockSpec plan;
  plan.code = "9Z";
  plan.races.resize(1);
  const std::string one = BuildVenueBlock(plan);
  EXPECT_EQ(one.size(), VenueBlockSize(1));
  EXPECT_EQ(one.substr(0, 6), "9ZBBGN");
  plan.races.clear();
  EXPECT_EQ(BuildVenueBlock(plan), BuildVenueBlock(plan));
  EXPECT_EQ(BuildVenueBlock(plan).size(), 352u);
  plan.races.resize(100);
  EXPECT_THROW(BuildVenueBlock(plan), std::invalid_argument);
}

TEST(ProgramBuilderTest, HeaderFieldsArePaddedOrRejected) {
  VenueBlockSpec plan;
  plan.meetingName = "Cup";
  plan.count = "D3";
  EXPECT_EQ(BuildVenueBlock(plan).substr(127, 60), Field("Cup", 60));
  EXPECT_EQ(BuildVenueBlock(plan).substr(194, 8), "D3      ");
  plan.ddate = std::string(23, 'x');
  EXPECT_THROW(BuildVenueBlock(plan), std::invalid_argument);
  EXPECT_THROW(CentredMeetingName(std::string(61, 'x')), std::invalid_argument);
  EXPECT_EQ(CentredMeetingName(Sjis("競走")).substr(0, 14), std::string(10, ' ') + Sjis("競走"));
  EXPECT_EQ(CentredMeetingName(Sjis("競走")).size(), 60u);
}

TEST(ProgramBuilderTest, FileWrapsBlocksInStartAndClosingLines) {
  VenueBlockSpec a;
  a.code = "12";
  VenueBlockSpec b;
  b.code = "04";
  b.races.resize(11);
  const std::string file = BuildProgramFile({a, b}, "12345678");
  EXPECT_EQ(file.substr(0, 16), "12345678STARTB\r\n");
  EXPECT_EQ(file.substr(16, 6), "12BBGN");
  EXPECT_EQ(file.substr(16 + 10972, 6), "04BBGN");
  EXPECT_EQ(file.substr(16 + 10972 + 10087), "FINALB\r\n");
  EXPECT_EQ(BuildProgramFile({}, "", ""), "STARTB\r\n");
}

ResultRowSpec Row(int race) {
  ResultRowSpec row;
  row.trifecta = "1-4-" + std::to_string(race % 6 + 1);
  row.trifectaPay = Payout(1000 + race);
  row.trio = "1-2-" + std::to_string(race % 4 + 3);
  row.trioPay = Payout(500 + race);
  row.exacta = std::to_string(race % 6 + 1) + "-2";
  row.exactaPay = Payout(200 + race);
  row.quinella = "2-" + std::to_string(race % 4 + 3);
  row.quinellaPay = Payout(100 + race);
  return row;
}

TEST(ResultBuilderTest, PayoutRowColumns) {
  const std::string row = BuildResultRow(Row(3), 3);
  ASSERT_EQ(row.size(), 75u);
  EXPECT_EQ(row.substr(0, 13), std::string(11, ' ') + "3R");
  EXPECT_EQ(row.substr(15, 5), "1-4-4");
  EXPECT_EQ(row.substr(20, 8), "    1003");
  EXPECT_EQ(row.substr(32, 5), "1-2-6");
  EXPECT_EQ(row.substr(37, 8), "     503");
  EXPECT_EQ(row.substr(49, 3), "4-2");
  EXPECT_EQ(row.substr(52, 8), "     203");
  EXPECT_EQ(row.substr(64, 3), "2-6");
  EXPECT_EQ(row.substr(67, 8), "     103");
  EXPECT_EQ(BuildResultRow(ResultRowSpec{}, 10),
            std::string(10, ' ') + "10R" + std::string(62, ' '));
}

TEST(ResultBuilderTest, PayoutIsRightAlignedInEightColumns) {
  EXPECT_EQ(Payout(1180), "    1180");
  EXPECT_EQ(Payout(99999990), "99999990");
  EXPECT_THROW(Payout(123456789), std::invalid_argument);
  EXPECT_THROW(Payout(-10), std::invalid_argument);
}

TEST(ResultBuilderTest, TableFollowsTheHeaderByteAt408) {
  for (bool blank : {true, false}) {
    SCOPED_TRACE(blank);
    ResultBlockSpec plan;
    plan.code = "22";
    plan.blankAt408 = blank;
    for (int r = 1; r <= 11; ++r) plan.rows.push_back(Row(r));
    const std::string block = BuildResultBlock(plan);
    ASSERT_EQ(block.size(), 10600u);
    EXPECT_EQ(block.substr(0, 8), "22KBGN\r\n");
    EXPECT_EQ(block[408] == ' ', blank);
    const std::size_t table = blank ? 411 : 410;
    EXPECT_EQ(table, PayoutTableOffset(blank));
    EXPECT_EQ(block.substr(table - 2, 2), "\r\n");
    for (int r = 1; r <= 11; ++r) {
      const ResultRowSpec expected = Row(r);
      const std::size_t b = table + 77 * static_cast<std::size_t>(r - 1);
      EXPECT_EQ(block.substr(b + 15, 5), expected.trifecta);
      EXPECT_EQ(block.substr(b + 20, 8), expected.trifectaPay);
      EXPECT_EQ(block.substr(b + 32, 5), expected.trio);
      EXPECT_EQ(block.substr(b + 37, 8), expected.trioPay);
      EXPECT_EQ(block.substr(b + 49, 3), expected.exacta);
      EXPECT_EQ(block.substr(b + 52, 8), expected.exactaPay);
      EXPECT_EQ(block.substr(b + 64, 3), expected.quinella);
      EXPECT_EQ(block.substr(b + 67, 8), expected.quinellaPay);
      EXPECT_EQ(block.substr(b + 75, 2), "\r\n");
    }
    // The race that did not run is a blank row; the table closes with an empty line.
    EXPECT_EQ(block.substr(table + 77 * 11, 77), std::string(75, ' ') + "\r\n");
    EXPECT_EQ(block.substr(table + 924, 2), "\r\n");
    EXPECT_EQ(block.substr(block.size() - 8), "22KEND\r\n");
    EXPECT_TRUE(IsValidCp932(block));
  }
}

TEST(ResultBuilderTest, BlockIsExactlyTheRequestedLength) {
  ResultBlockSpec plan;
  plan.details.resize(12);
  for (std::size_t length = 10400; length <= 10420; ++length) {
    plan.length = length;
    const std::string block = BuildResultBlock(plan);
    ASSERT_EQ(block.size(), length);
    EXPECT_EQ(block.substr(length - 8), "01KEND\r\n");
    EXPECT_EQ(block.substr(length - 10, 2), "\r\n");
  }
  ResultBlockSpec bare;
  bare.length = MinimumResultBlockLength(true);
  EXPECT_EQ(BuildResultBlock(bare).size(), 1345u);
  bare.length = 1347;
  EXPECT_EQ(BuildResultBlock(bare).size(), 1347u);
  bare.length = 1346;  // one spare byte and no detail line to take it
  EXPECT_THROW(BuildResultBlock(bare), std::invalid_argument);
  bare.length = 1344;
  EXPECT_THROW(BuildResultBlock(bare), std::invalid_argument);
}

TEST(ResultBuilderTest, DetailsListTheFinishersAndMustFit) {
  ResultBlockSpec plan;
  RaceDetailSpec detail;
  detail.finishers[2].racerNo = "4711";
  detail.finishers[2].name = Sjis("山﨑　　　　　光");
  plan.details = {detail};
  const std::string block = BuildResultBlock(plan);
  EXPECT_NE(block.find(" 4711 " + Sjis("山﨑　　　　　光") + " "), std::string::npos);
  EXPECT_NE(block.find(Sjis("単勝")), std::string::npos);
  plan.details.assign(12, detail);
  plan.length = 9000;
  EXPECT_THROW(BuildResultBlock(plan), std::invalid_argument);
  plan.details.assign(13, detail);
  plan.length = 20000;
  EXPECT_THROW(BuildResultBlock(plan), std::invalid_argument);
  plan.details.clear();
  plan.rows.assign(13, ResultRowSpec{});
  EXPECT_THROW(BuildResultBlock(plan), std::invalid_argument);
  plan.rows.assign(1, ResultRowSpec{});
  plan.rows[0].exacta = "1-23";
  EXPECT_THROW(BuildResultBlock(plan), std::invalid_argument);
}

TEST(ResultBuilderTest, FileWrapsBlocksInStartAndClosingLines) {
  ResultBlockSpec a;
  ResultBlockSpec b;
  b.code = "09";
  b.length = 10401;
  b.details.resize(11);
  const std::string file = BuildResultFile({a, b});
  EXPECT_EQ(file.substr(0, 8), "STARTK\r\n");
  EXPECT_EQ(file.substr(8 + 10600, 6), "09KBGN");
  EXPECT_EQ(file.substr(8 + 10600 + 10401), "FINALK\r\n");
}

TEST(StatsBuilderTest, RecordOffsets) {
  StatsRecordSpec plan;
  plan.racerNo = "4346";
  for (int n = 1; n <= 6; ++n) {
    CourseFields& c = plan.courses[static_cast<std::size_t>(n - 1)];
    c.entryCount = "0" + std::to_string(10 + n);
    c.courseRate = "0" + std::to_string(100 * n + 10 * n + n);
    c.startTiming = "0" + std::to_string(10 + n);
    c.wins = "00" + std::to_string(n);
  }
  const std::string record = BuildStatsRecord(plan);
  ASSERT_EQ(record.size(), 412u);
  EXPECT_EQ(record.substr(0, 4), "4346");
  EXPECT_EQ(record.substr(4, 16), plan.name);
  for (int n = 1; n <= 6; ++n) {
    const std::size_t at = CourseOffset(n);
    EXPECT_EQ(at, 82u + 13u * static_cast<std::size_t>(n - 1));
    EXPECT_EQ(record.substr(at, 3), "0" + std::to_string(10 + n));
    EXPECT_EQ(record.substr(at + 3, 4), "0" + std::to_string(111 * n));
    EXPECT_EQ(record.substr(at + 7, 3), "0" + std::to_string(10 + n));
    EXPECT_EQ(record.substr(at + 10, 3), "00" + std::to_string(n));
  }
  EXPECT_EQ(record.substr(410), "\r\n");
  EXPECT_TRUE(IsValidCp932(record));
}

TEST(StatsBuilderTest, FieldsArePaddedOrRejected) {
  StatsRecordSpec plan;
  plan.racerNo = "7";
  plan.courses[2].entryCount = "";
  plan.tail = "";
  const std::string record = BuildStatsRecord(plan);
  ASSERT_EQ(record.size(), 412u);
  EXPECT_EQ(record.substr(0, 4), "7   ");
  EXPECT_EQ(record.substr(CourseOffset(3), 3), "   ");
  EXPECT_EQ(record.substr(160, 250), std::string(250, ' '));
  plan.courses[0].courseRate = "01234";
  EXPECT_THROW(BuildStatsRecord(plan), std::invalid_argument);
  StatsRecordSpec longName;
  longName.name += "x";
  EXPECT_THROW(BuildStatsRecord(longName), std::invalid_argument);
}

bool AllDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

TEST(StatsBuilderTest, StatsForGivesConvertibleFiguresForTheNumber) {
  const StatsRecordSpec plan = StatsFor("4321", 7);
  EXPECT_EQ(plan.racerNo, "4321");
  const std::string record = BuildStatsRecord(plan);
  EXPECT_EQ(record, BuildStatsRecord(StatsFor("4321", 7)));
  EXPECT_NE(record, BuildStatsRecord(StatsFor("4321", 8)));
  for (int n = 1; n <= 6; ++n) {
    const std::size_t at = CourseOffset(n);
    EXPECT_TRUE(AllDigits(record.substr(at, 13))) << n;
  }
  EXPECT_TRUE(IsValidCp932(record));
}

}  // namespace
}  // namespace wakorin::testsupport
