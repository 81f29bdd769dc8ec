// A race's whole result read from real result files: the heading's conditions, every column of the
// finishing table, void starts, a race not held. Expected fields were read off the files by hand.
#include <gtest/gtest.h>

#include <string>

#include "results/RaceResult.h"
#include "tests/TempFiles.h"

namespace wakorin {
namespace {

std::string Utf8Free(const char* cp932) { return cp932; }

const RaceResult* Find(const std::vector<RaceResult>& races, int race) {
  for (const RaceResult& r : races) {
    if (r.race == race) return &r;
  }
  return nullptr;
}

TEST(RaceResult, ReadsEveryColumnOfRealRaces) {
  struct Case {
    const char* file;
    const char* venue;
    int race;
    const char* distance;
    const char* wind;
    const char* wave;
    std::size_t row;  // in the table's order
    const char* place;
    int lane;
    const char* racerNo;
    const char* motor;
    const char* boat;
    const char* exhibition;
    const char* start;
    const char* raceTime;
    bool refunded;
  };
  const Case cases[] = {
      {"K240710.TXT", "24", 1, "H1800m", "5m", "4cm", 0, "01", 5, "5249", "55", "62", "7.08", "0.18",
       "1.52.1", false},
      {"K240710.TXT", "24", 1, "H1800m", "5m", "4cm", 5, "06", 4, "3539", "48", "15", "7.21", "0.28", "",
       false},
      // A boat that did not start (K0) and a flying start (F) in one race.
      {"K240710.TXT", "18", 8, "H1800m", "2m", "2cm", 4, "K0", 4, "4193", "42", "26", "K .", "K .", "",
       true},
      {"K240710.TXT", "18", 8, "H1800m", "2m", "2cm", 5, "F", 6, "4883", "19", "37", "7.12", "F0.07", "",
       true},
      // No wind: 無風 stands where the direction does.
      {"K240401.TXT", "24", 12, "H1800m", "0m", "1cm", 0, "01", 0, "", "", "", "", "", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " " + c.venue + " " + std::to_string(c.race) + "R row " +
                 std::to_string(c.row));
    const std::string bytes = testing::ReadAll(std::string(WAKORIN_REALDATA_DIR) + "/" + c.file);
    if (bytes.empty()) GTEST_SKIP() << "no real files beside the project";
    const std::size_t key = bytes.find("\n" + std::string(c.venue) + "KBGN");
    ASSERT_NE(key, std::string::npos);
    const auto races = ReadRaceResults(VenueResultBlock(std::string_view(bytes).substr(key + 1), c.venue));
    const RaceResult* race = Find(races, c.race);
    ASSERT_NE(race, nullptr);
    EXPECT_EQ(race->distance, c.distance);
    EXPECT_EQ(race->wind, c.wind);
    EXPECT_EQ(race->wave, c.wave);
    ASSERT_EQ(race->boats.size(), 6u);
    const FinishLine& row = race->boats[c.row];
    EXPECT_EQ(row.boat.place, c.place);
    if (c.lane == 0) continue;  // the heading only
    EXPECT_EQ(row.boat.lane, c.lane);
    EXPECT_EQ(row.boat.racerNo, c.racerNo);
    EXPECT_EQ(row.motor, c.motor);
    EXPECT_EQ(row.boat.Refunded(), c.refunded);
    EXPECT_EQ(row.boatNo, c.boat);
    EXPECT_EQ(row.exhibition, c.exhibition);
    EXPECT_EQ(row.start, c.start);
    EXPECT_EQ(row.raceTime, c.raceTime);
    EXPECT_EQ(race->payouts.race, c.race);
  }
}

TEST(RaceResult, NamesConditionsAndRacesNotHeld) {
  const std::string july = testing::ReadAll(std::string(WAKORIN_REALDATA_DIR) + "/K240710.TXT");
  const std::string april = testing::ReadAll(std::string(WAKORIN_REALDATA_DIR) + "/K240401.TXT");
  if (july.empty() || april.empty()) GTEST_SKIP() << "no real files beside the project";
  const auto block = [](const std::string& bytes, const char* code) {
    const std::size_t key = bytes.find("\n" + std::string(code) + "KBGN");
    return VenueResultBlock(std::string_view(bytes).substr(key + 1), code);
  };
  const auto first = ReadRaceResults(block(july, "24"));
  ASSERT_EQ(first.size(), 12u);
  EXPECT_EQ(first[0].raceName, Utf8Free("\x97\x5c\x91\x49"));        // 予選
  EXPECT_EQ(first[0].weather, Utf8Free("\x93\xdc\x82\xe8"));         // 曇り
  EXPECT_EQ(first[0].windDirection, Utf8Free("\x93\xec\x90\xbc"));   // 南西
  EXPECT_EQ(first[0].technique, Utf8Free("\x94\xb2\x82\xab"));       // 抜き
  EXPECT_EQ(first[0].boats[0].name.substr(0, 2), Utf8Free("\x8e\x4f"));  // 三
  EXPECT_EQ(first[0].payouts.Of(AnyBet::Trifecta).paid[0].yen, 26580);

  // 大村 (06) on 2024-04-01 ran eight races: 9R to 12R stand as 中　止 in the summary only.
  const auto cut = ReadRaceResults(block(april, "06"));
  ASSERT_NE(Find(cut, 8), nullptr);
  EXPECT_FALSE(Find(cut, 8)->cancelled);
  for (int race = 9; race <= 12; ++race) {
    const RaceResult* r = Find(cut, race);
    ASSERT_NE(r, nullptr) << race;
    EXPECT_TRUE(r->cancelled);
    EXPECT_TRUE(r->boats.empty());
  }
  EXPECT_EQ(Find(cut, 13), nullptr);
}

}  // namespace
}  // namespace wakorin
