// The finishing tables of a result block: places, void starts, courses and start timings.
#include <gtest/gtest.h>

#include "results/FinishTable.h"
#include "results/RecentForm.h"
#include "tests/support/ResultFileBuilder.h"

namespace wakorin {
namespace {

namespace ts = testsupport;

ts::RaceDetailSpec Detail(const std::array<const char*, 6>& places) {
  ts::RaceDetailSpec detail;
  for (std::size_t k = 0; k < 6; ++k) {
    ts::FinisherSpec& f = detail.finishers[k];
    f.place = places[k];
    f.lane = std::to_string(k + 1);
    f.racerNo = std::to_string(4001 + k);
    f.course = std::to_string(6 - k);  // everyone swapped round
    f.startTiming = " 0.1" + std::to_string(k);
  }
  return detail;
}

TEST(FinishTable, ReadsPlacesVoidStartsCoursesAndTimings) {
  ts::ResultBlockSpec block;
  block.code = "05";
  block.current = true;
  block.length = 14096;
  block.details.push_back(Detail({"03", "01", "02", "04", "05", "06"}));
  ts::RaceDetailSpec faults = Detail({"02", "F ", "01", "K0", "S1", "03"});
  faults.finishers[1].startTiming = "F0.01";
  faults.finishers[3].course = " ";
  faults.finishers[3].startTiming = "K .  ";
  block.details.push_back(faults);
  block.details.push_back(Detail({"01", "02", "02", "04", "05", "06"}));  // a dead heat for 2nd
  ts::ResultBlockSpec other = block;
  other.code = "06";
  other.details.resize(1);
  const std::string file = ts::BuildResultFile({other, block});

  const std::vector<RaceFinish> races = ReadFinishTables(file, "05");
  ASSERT_EQ(races.size(), 3u);
  EXPECT_EQ(races[0].race, 1);
  EXPECT_EQ(races[0].LaneAt(1), 2);
  EXPECT_EQ(races[0].LaneAt(3), 1);
  EXPECT_EQ(races[0].boats[0].course, 6);
  EXPECT_DOUBLE_EQ(races[0].boats[2].start, 0.12);
  const RaceFinish& second = races[1];
  EXPECT_EQ(second.LaneAt(1), 3);
  EXPECT_EQ(second.LaneAt(3), 6);
  EXPECT_TRUE(second.boats[1].Refunded());   // flying
  EXPECT_DOUBLE_EQ(second.boats[1].start, -0.01);
  EXPECT_TRUE(second.boats[3].Refunded());   // did not start
  EXPECT_EQ(second.boats[3].course, 0);
  EXPECT_FALSE(second.boats[3].timed);
  EXPECT_FALSE(second.boats[4].Refunded());  // disqualified after the start: tickets lose
  EXPECT_EQ(races[2].LaneAt(2), 0);          // shared
  EXPECT_TRUE(ReadFinishTables(file, "07").empty());
  EXPECT_EQ(ReadFinishTables(file, "06").size(), 1u);

  // Recent form: every start counted, the one that never started left out.
  FormBook book;
  book.AddResultFile(file);
  const auto flyer = book.FormOf("4002");
  ASSERT_TRUE(flyer);
  EXPECT_EQ(flyer->races, 4);  // three races here, one at the other venue
  EXPECT_DOUBLE_EQ(flyer->front, 2 - 5);
  EXPECT_EQ(book.FormOf("4004")->races, 3);
  EXPECT_FALSE(book.FormOf("9999"));

  // A day's forms fixed apart: later days fed to the book do not reach them.
  const FormBook frozen = book.Frozen({"4002", "9999", "4002"});
  book.AddResultFile(file);
  EXPECT_EQ(frozen.FormOf("4002")->races, 4);
  EXPECT_EQ(book.FormOf("4002")->races, 8);
  EXPECT_FALSE(frozen.FormOf("9999"));
  EXPECT_FALSE(frozen.FormOf("4004"));  // not asked for

  // The refunded lanes a check reads: the flying lane 2 and lane 4 that did not start.
  const std::array<unsigned, 12> refunded = RefundedLanes(file, "05");
  EXPECT_EQ(refunded[1], (1u << 2) | (1u << 4));
  EXPECT_EQ(refunded[0] | refunded[2], 0u);
}

// The lanes a check reads as refunded are those of the tables read whole, however the block ends.
std::array<unsigned, 12> RefundedFromTables(std::string_view file, std::string_view code) {
  std::array<unsigned, 12> refunded{};
  for (const RaceFinish& race : ReadFinishTables(file, code)) {
    for (const Finisher& boat : race.boats) {
      if (boat.Refunded()) refunded[static_cast<std::size_t>(race.race - 1)] |= 1u << boat.lane;
    }
  }
  return refunded;
}

TEST(FinishTable, DamagedBlocksYieldFewerBoatsNeverABadRead) {
  ts::ResultBlockSpec block;
  block.code = "05";
  block.current = true;
  block.length = 14096;
  block.details.push_back(Detail({"01", "02", "03", "04", "05", "06"}));
  block.details.push_back(Detail({"F ", "L1", "K0", "01", "02", "03"}));
  const std::string file = ts::BuildResultFile({block});
  for (std::size_t size = 0; size <= file.size(); size += 13) {
    EXPECT_EQ(RefundedLanes(file.substr(0, size), "05"), RefundedFromTables(file.substr(0, size), "05")) << size;
    // The rows handed one at a time (as the form book reads them) are the tables' rows.
    std::vector<std::pair<int, std::string>> tables, handed;
    for (const RaceFinish& race : ReadFinishTables(file.substr(0, size), "05")) {
      EXPECT_LE(race.boats.size(), 6u);
      for (const Finisher& boat : race.boats) {
        EXPECT_TRUE(boat.lane >= 1 && boat.lane <= 6);
        tables.emplace_back(race.race, boat.racerNo + boat.place + std::to_string(boat.lane));
      }
    }
    ForEachFinisher(file.substr(0, size), "05", [&](int race, const Finisher& boat) {
      handed.emplace_back(race, boat.racerNo + boat.place + std::to_string(boat.lane));
    });
    EXPECT_EQ(handed, tables) << size;
  }
}


// The form keeps each racer's latest starts only: once more are fed than it keeps, the oldest
// go first. Racer numbers that are no four digits are kept apart all the same.
TEST(FinishTable, FormKeepsTheLatestStartsOfEachRacer) {
  auto start = [](const std::string& racer, int place) {
    Finisher boat;
    boat.lane = 1;
    boat.racerNo = racer;
    boat.placeNo = place;
    boat.course = 1;
    boat.timed = true;
    boat.start = 0.1;
    return RaceFinish{1, {boat}};
  };
  struct Case {
    int keep;
    std::vector<int> places;  // fed in this order
    int races;
    double meanPlace;
  };
  for (const Case& c : std::vector<Case>{{3, {1, 2}, 2, 1.5},
                                         {3, {1, 2, 3, 4}, 3, 3.0},
                                         {3, {6, 1, 2, 3, 4, 5, 6, 1}, 3, 4.0},
                                         {1, {5, 4}, 1, 4.0},
                                         {0, {1, 2}, 0, 0.0}}) {
    for (const std::string& racer : {std::string("4321"), std::string(" 12a")}) {
      FormBook book(c.keep);
      for (int place : c.places) {
        book.AddRace(start(racer, place));
        book.AddRace(start("0001", 6));  // another racer between
      }
      const std::optional<RacerForm> form = book.FormOf(racer);
      const std::optional<RacerForm> frozen = book.Frozen({racer}).FormOf(racer);
      if (c.races == 0) {
        EXPECT_FALSE(form) << c.keep;
        EXPECT_FALSE(frozen) << c.keep;
        continue;
      }
      ASSERT_TRUE(form && frozen) << c.keep << " '" << racer << "'";
      EXPECT_EQ(form->races, c.races) << c.keep << " '" << racer << "'";
      EXPECT_DOUBLE_EQ(form->meanPlace, c.meanPlace) << c.keep << " '" << racer << "'";
      EXPECT_DOUBLE_EQ(frozen->meanPlace, c.meanPlace);
      EXPECT_FALSE(book.FormOf("4322"));
    }
  }
}

}  // namespace
}  // namespace wakorin
