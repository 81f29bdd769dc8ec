#include <gtest/gtest.h>

#include "program/VenueEntry.h"
#include "program/VenueTable.h"
#include "tests/support/Cp932.h"

namespace wakorin {
namespace {

using testsupport::Sjis;

TEST(VenueTable, TranslatesBothWaysOverAllTwentyFourVenues) {
  for (int n = 1; n <= 24; ++n) {
    const std::string code = (n < 10 ? "0" : "") + std::to_string(n);
    const std::string name = VenueNameOfCode(code);
    ASSERT_EQ(name.size(), 6u) << code;
    EXPECT_EQ(VenueCodeOfName(name), code);
  }
  EXPECT_EQ(VenueNameOfCode("01"), Sjis("桐　生"));
  EXPECT_EQ(VenueNameOfCode("09"), Sjis("　津　"));
  EXPECT_EQ(VenueCodeOfName(Sjis("　津　")), "09");
  EXPECT_EQ(VenueNameOfCode("24"), Sjis("大　村"));
  EXPECT_EQ(VenueNameOfCode("12"), Sjis("住之江"));
}

TEST(VenueTable, AnythingNotInTheTableComesBackUnchanged) {
  for (std::string_view text : {"25", "1", " 1", "00", ""}) EXPECT_EQ(VenueNameOfCode(text), text);
  EXPECT_EQ(VenueNameOfCode(Sjis("０１")), Sjis("０１"));
  EXPECT_EQ(VenueCodeOfName(""), "");
  EXPECT_EQ(VenueCodeOfName(Sjis("桐 生")), Sjis("桐 生"));  // ASCII blank is not the full-width one
  EXPECT_EQ(VenueCodeOfName("25    "), "25    ");
}

TEST(VenueEntry, CarriesNameAndRaceCountAtFixedBytes) {
  const std::string entry = MakeVenueEntry("01", 12);
  EXPECT_EQ(entry, Sjis("桐　生    [全12R]"));
  EXPECT_EQ(entry.size(), 17u);
  EXPECT_EQ(VenueNameOfEntry(entry), Sjis("桐　生"));
  EXPECT_EQ(RaceCountOfEntry(entry), 12);
  EXPECT_EQ(RaceCountOfEntry(MakeVenueEntry("09", 11)), 11);
  EXPECT_EQ(RaceCountOfEntry("short"), 0);
}

TEST(VenueEntry, ListsTheLastBlockFirstAndLeavesOutUnknownCodes) {
  VenueIndex index;
  index.startFound = true;
  index.blocks = {{"01", 12}, {"99", 12}, {"12", 11}, {"24", 12}};
  const auto entries = BuildVenueEntries(index);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0], MakeVenueEntry("24", 12));
  EXPECT_EQ(entries[1], MakeVenueEntry("12", 11));
  EXPECT_EQ(entries[2], MakeVenueEntry("01", 12));
}

}  // namespace
}  // namespace wakorin
