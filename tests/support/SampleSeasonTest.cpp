#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "tests/support/FixedText.h"
#include "tests/support/ProgramFileBuilder.h"
#include "tests/support/SampleSeason.h"

namespace wakorin::testsupport {
namespace {

using std::chrono::year_month_day;

constexpr year_month_day kDay{std::chrono::year{2006}, std::chrono::April, std::chrono::day{15}};

int Number(const std::string& text) {
  return std::stoi(TrimSjis(text));
}

TEST(SampleVenueTest, FillsEveryRaceWithDistinctRacersAndSteadyEquipment) {
  for (int races : {12, 11}) {
    SCOPED_TRACE(races);
    const VenueBlockSpec venue = SampleVenue("17", races, 3);
    ASSERT_EQ(venue.races.size(), static_cast<std::size_t>(races));
    EXPECT_EQ(BuildVenueBlock(venue).size(), VenueBlockSize(static_cast<std::size_t>(races)));
    EXPECT_EQ(BuildVenueBlock(venue), BuildVenueBlock(SampleVenue("17", races, 3)));

    std::map<std::string, int> runs;
    std::map<std::string, std::pair<std::string, std::string>> equipment;
    std::set<std::string> motors;
    for (const RaceRecord& race : venue.races) {
      std::set<std::string> inRace;
      for (const RacerLine& r : race.racers) {
        EXPECT_TRUE(inRace.insert(r.racerNo).second) << "racer twice in one race";
        ++runs[r.racerNo];
        const auto [it, added] = equipment.emplace(r.racerNo, std::make_pair(r.mtno, r.btno));
        if (added) {
          EXPECT_TRUE(motors.insert(r.mtno).second) << "motor shared by two racers";
        } else {
          EXPECT_EQ(it->second, std::make_pair(r.mtno, r.btno)) << "equipment changed";
        }
        EXPECT_EQ(r.name.size(), 8u);
      }
    }
    for (const auto& [racer, count] : runs) EXPECT_LE(count, 2) << racer;
    EXPECT_GT(std::count_if(runs.begin(), runs.end(), [](const auto& e) { return e.second == 2; }),
              static_cast<long>(runs.size()) / 2);
  }
}

TEST(SampleVenueTest, DeadlinesIncreaseRaceByRace) {
  const VenueBlockSpec venue = SampleVenue("04", 12, 9);
  auto minutes = [](const std::string& rtime) {
    // Full-width digits: the second byte of each is 0x4F + digit.
    auto digit = [&](std::size_t i) { return static_cast<unsigned char>(rtime[2 * i + 1]) - 0x4F; };
    return (digit(0) * 10 + digit(1)) * 60 + digit(3) * 10 + digit(4);
  };
  for (std::size_t r = 1; r < venue.races.size(); ++r) {
    const int gap = minutes(venue.races[r].rtime) - minutes(venue.races[r - 1].rtime);
    EXPECT_GE(gap, 25);
    EXPECT_LE(gap, 35);
  }
}

class SampleSeasonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    season_ = std::make_unique<SampleSeason>(11, 1600);
    for (int code = 1; code <= 24; ++code) {
      season_->AddVenue((code < 10 ? "0" : "") + std::to_string(code), code % 3 == 0 ? 11 : 12);
    }
    const auto first = std::chrono::sys_days{kDay};
    for (int d = 0; d < 3; ++d) days_.push_back(season_->Day(first + std::chrono::days{d}));
  }

  std::unique_ptr<SampleSeason> season_;
  std::vector<std::vector<SampleVenueDay>> days_;
};

TEST_F(SampleSeasonTest, ResultsAgreeWithEachOtherAndWithTheFinishers) {
  int races = 0, laneOneWins = 0;
  for (const auto& day : days_) {
    for (const SampleVenueDay& venue : day) {
      const ResultBlockSpec& results = venue.results;
      ASSERT_EQ(results.rows.size(), venue.program.races.size());
      EXPECT_GE(results.length, 10400u);
      EXPECT_LE(results.length, 10900u);
      EXPECT_EQ(BuildResultBlock(results).size(), results.length);
      for (std::size_t r = 0; r < results.rows.size(); ++r) {
        const ResultRowSpec& row = results.rows[r];
        const RaceDetailSpec& detail = results.details[r];
        ++races;
        laneOneWins += row.trifecta[0] == '1' ? 1 : 0;
        const std::string order =
            std::string(1, row.trifecta[0]) + row.trifecta[2] + row.trifecta[4];
        EXPECT_EQ(detail.finishers[0].lane + detail.finishers[1].lane + detail.finishers[2].lane,
                  order);
        EXPECT_EQ(row.exacta, row.trifecta.substr(0, 3));
        std::string trio = order;
        std::sort(trio.begin(), trio.end());
        EXPECT_EQ(row.trio, (std::string{trio[0], '-', trio[1], '-', trio[2]}));
        std::string pair = order.substr(0, 2);
        std::sort(pair.begin(), pair.end());
        EXPECT_EQ(row.quinella, (std::string{pair[0], '-', pair[1]}));
        for (const std::string* pay :
             {&row.trifectaPay, &row.trioPay, &row.exactaPay, &row.quinellaPay}) {
          ASSERT_EQ(pay->size(), 8u);
          EXPECT_EQ(*pay, Payout(Number(*pay)));
          EXPECT_GE(Number(*pay), 100);
          EXPECT_EQ(Number(*pay) % 10, 0);
        }
        EXPECT_LE(Number(row.trioPay), Number(row.trifectaPay));
        EXPECT_LE(Number(row.exactaPay), Number(row.trifectaPay));
        // The racer shown finishing in a lane is the one the card put in that lane.
        for (const FinisherSpec& f : detail.finishers) {
          EXPECT_EQ(
              f.racerNo,
              venue.program.races[r].racers[static_cast<std::size_t>(f.lane[0] - '1')].racerNo);
        }
      }
    }
  }
  ASSERT_GT(races, 800);
  EXPECT_GT(laneOneWins, races * 40 / 100);
  EXPECT_LT(laneOneWins, races * 62 / 100);
}

TEST_F(SampleSeasonTest, CardsCarryTheMeetingResultsForward) {
  int continued = 0;
  for (std::size_t v = 0; v < days_[0].size(); ++v) {
    if (days_[1][v].program.count == Sjis("第　１日")) continue;  // a new meeting began
    std::map<std::string, std::vector<std::string>> before, after;
    for (const RaceRecord& race : days_[0][v].program.races) {
      for (const RacerLine& r : race.racers)
        before[r.racerNo].assign(r.kekka.begin(), r.kekka.end());
    }
    std::map<std::string, int> ranToday;
    for (const auto& row : days_[0][v].results.details) {
      for (const FinisherSpec& f : row.finishers) ++ranToday[f.racerNo];
    }
    for (const RaceRecord& race : days_[1][v].program.races) {
      for (const RacerLine& r : race.racers) {
        const auto found = before.find(r.racerNo);
        if (found == before.end()) continue;  // did not race on the first day
        ++continued;
        const auto filled = [](const std::vector<std::string>& k) {
          return std::count_if(k.begin(), k.end(), [](const std::string& s) { return !s.empty(); });
        };
        const std::vector<std::string> now(r.kekka.begin(), r.kekka.end());
        EXPECT_EQ(filled(now), std::min<long>(6, filled(found->second) + ranToday[r.racerNo]));
        for (std::size_t j = 0; j < 6; ++j) {
          if (!found->second[j].empty()) {
            EXPECT_EQ(now[j], found->second[j]);
          }
        }
      }
    }
  }
  EXPECT_GT(continued, 100);
}

TEST_F(SampleSeasonTest, EveryCardRacerIsKnownAndRacesOneVenueADay) {
  std::set<std::string> known;
  for (const SampleRacer& r : season_->Racers()) EXPECT_TRUE(known.insert(r.racerNo).second);
  for (const std::string& racer : season_->Appeared()) EXPECT_EQ(known.count(racer), 1u);
  for (const auto& day : days_) {
    std::map<std::string, std::string> venueOf;
    for (const SampleVenueDay& venue : day) {
      for (const RaceRecord& race : venue.program.races) {
        for (const RacerLine& r : race.racers) {
          const auto [it, added] = venueOf.emplace(r.racerNo, venue.program.code);
          EXPECT_EQ(it->second, venue.program.code) << r.racerNo;
        }
      }
    }
  }
}

TEST(SampleStatsTest, FiguresStayInTheirRanges) {
  SampleRng rng(5);
  int innerTaken = 0, racers = 0;
  long innerRate = 0, outerRate = 0;
  for (int i = 0; i < 300; ++i) {
    const SampleRacer racer = MakeSampleRacer(3000 + i, rng);
    const StatsRecordSpec plan = SampleStats(racer);
    EXPECT_EQ(plan.name.size(), 16u);
    EXPECT_EQ(BuildStatsRecord(plan).size(), 412u);
    int entries = 0;
    for (const CourseFields& c : plan.courses) {
      EXPECT_GE(Number(c.entryCount), 0);
      EXPECT_LE(Number(c.entryCount), 40);
      EXPECT_LE(Number(c.courseRate), 1000);
      EXPECT_GE(Number(c.startTiming), 10);
      EXPECT_LE(Number(c.startTiming), 25);
      EXPECT_LE(Number(c.wins), Number(c.entryCount));
      entries += Number(c.entryCount);
    }
    innerRate += Number(plan.courses[0].courseRate);
    outerRate += Number(plan.courses[5].courseRate);
    EXPECT_GT(entries, 20);
    if (racer.style == 1) {
      ++racers;
      innerTaken += Number(plan.courses[0].entryCount) > Number(plan.courses[5].entryCount) ? 1 : 0;
    }
  }
  EXPECT_GT(racers, 10);
  EXPECT_EQ(innerTaken, racers);
  // Course 1 pays off far more often than course 6.
  EXPECT_GT(innerRate, 2 * outerRate);
}

TEST(SampleStatsTest, SomeNamesUseExtensionCharacters) {
  SampleRng rng(1);
  int taka = 0, saki = 0;
  for (int i = 0; i < 1000; ++i) {
    const std::string name = MakeSampleRacer(2000 + i, rng).cardName;
    taka += name.find("\xFB\xFC") != std::string::npos ? 1 : 0;
    saki += name.find("\xFA\xB1") != std::string::npos ? 1 : 0;
  }
  EXPECT_GT(taka, 5);
  EXPECT_GT(saki, 5);
  EXPECT_LT(taka + saki, 150);
}

}  // namespace
}  // namespace wakorin::testsupport
