// The learner on small generated seasons whose answer is known, read from program and result
// files as the real ones are; and how a bet is settled.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "predict/DataForecast.h"
#include "predict/Learner.h"
#include "program/RaceCard.h"
#include "program/VenueTable.h"
#include "results/FinishTable.h"
#include "results/LearningDay.h"
#include "tests/support/FixedText.h"
#include "tests/support/ProgramFileBuilder.h"
#include "tests/support/ResultFileBuilder.h"

namespace wakorin {
namespace {

namespace ts = testsupport;

// Racers with motor rates drawn at random, and the lanes in the order they finish.
struct Race {
  std::array<ts::RacerLine, 6> racers = ts::DefaultRacers();
  std::array<int, 6> order{};  // lanes, first to last
};

std::string Combination(const std::array<int, 6>& order, int boats, bool sorted) {
  std::vector<int> lanes(order.begin(), order.begin() + boats);
  if (sorted) std::sort(lanes.begin(), lanes.end());
  std::string text;
  for (int lane : lanes) text += (text.empty() ? "" : "-") + std::to_string(lane);
  return text;
}

// One venue's day of 12 races: the program file and the result file with payouts and
// finishing tables.
std::pair<std::string, std::string> Day(const std::vector<Race>& races) {
  ts::VenueBlockSpec program;
  program.code = "24";
  program.layout = ts::ProgramLayout::Current;
  program.races.clear();
  ts::ResultBlockSpec result;
  result.code = "24";
  result.current = true;
  result.length = 14096;
  for (const Race& race : races) {
    ts::RaceRecord record;
    record.racers = race.racers;
    program.races.push_back(record);
    result.rows.push_back({Combination(race.order, 3, false), ts::Payout(3000),
                           Combination(race.order, 3, true), ts::Payout(900),
                           Combination(race.order, 2, false), ts::Payout(700),
                           Combination(race.order, 2, true), ts::Payout(400)});
    ts::RaceDetailSpec detail;
    for (std::size_t p = 0; p < 6; ++p) {
      ts::FinisherSpec& f = detail.finishers[p];
      const int lane = race.order[p];
      f.place = "0" + std::to_string(p + 1);
      f.lane = std::to_string(lane);
      f.racerNo = race.racers[static_cast<std::size_t>(lane - 1)].racerNo;
      f.course = std::to_string(lane);
    }
    result.details.push_back(detail);
  }
  return {ts::BuildProgramFile({program}), ts::BuildResultFile({result})};
}

// A season of `days` days of 12 races; `decide` orders each race's lanes.
template <typename Decide>
std::vector<LearnRace> Season(int days, unsigned seed, Decide decide) {
  std::mt19937 random(seed);
  std::vector<LearnRace> all;
  for (int d = 0; d < days; ++d) {
    std::vector<Race> races(12);
    for (Race& race : races) {
      for (ts::RacerLine& racer : race.racers) {
        racer.mtwn = ts::RightAligned(std::to_string(20 + random() % 40) + ".00", 5);
      }
      std::iota(race.order.begin(), race.order.end(), 1);
      std::shuffle(race.order.begin(), race.order.end(), random);
      decide(race);
    }
    const auto [program, results] = Day(races);
    std::vector<std::string> problems;
    std::vector<LearnRace> day = ReadLearningDay(program, results, 20240101 + d, nullptr, &problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
    EXPECT_EQ(day.size(), 12u);
    all.insert(all.end(), day.begin(), day.end());
  }
  return all;
}

double Motor(const ts::RacerLine& racer) { return std::stod(racer.mtwn); }

TEST(Learner, ALaneThatAlwaysWinsIsLearned) {
  const auto learn = Season(40, 1, [](Race& race) {
    std::rotate(race.order.begin(), std::find(race.order.begin(), race.order.end(), 4),
                std::find(race.order.begin(), race.order.end(), 4) + 1);
  });
  ASSERT_EQ(learn.front().order[0], 4);
  const DataModel model = Learn(learn, {}).value();
  EXPECT_EQ(model.races, 480);
  TRaceCard card;
  card.Sale = SaleAt(VenueNameOfCode("24"));
  const DataForecast forecast = ForecastDataRace(card, "24", model);
  // The penalty on the weights keeps the chance short of certainty.
  EXPECT_GT(forecast.win[3], 0.8);
  EXPECT_GT(forecast.top2[3], 0.85);
  for (std::size_t k : {0u, 1u, 2u, 4u, 5u}) EXPECT_LT(forecast.win[k], 0.06) << k;
  for (BetType bet : kBetTypes) {
    EXPECT_FALSE(forecast.skipped[bet]);  // no tuning days: every race is bet
    EXPECT_TRUE(forecast.tickets.tickets[bet][0].boats.Names(4));
  }
  EXPECT_EQ(forecast.tickets.tickets[BetType::Exacta][0].boats.boats[0], 4);
  const double sum = std::accumulate(forecast.win.begin(), forecast.win.end(), 0.0);
  EXPECT_NEAR(sum, 1.0, 1e-12);
  EXPECT_NEAR(std::accumulate(forecast.top3.begin(), forecast.top3.end(), 0.0), 3.0, 1e-9);
}

TEST(Learner, AFigureThatDecidesTheRaceIsFound) {
  // The better motor finishes ahead, whatever the lane.
  auto byMotor = [](Race& race) {
    std::stable_sort(race.order.begin(), race.order.end(), [&](int a, int b) {
      return Motor(race.racers[static_cast<std::size_t>(a - 1)]) >
             Motor(race.racers[static_cast<std::size_t>(b - 1)]);
    });
  };
  const auto learn = Season(25, 2, byMotor);
  const DataModel model = Learn(learn, {}).value();
  const auto test = Season(3, 3, byMotor);
  int right = 0;
  for (const LearnRace& race : test) {
    const DataForecast forecast = ForecastFigures(race.figures, model);
    right += forecast.candidates[BetType::Exacta][0] == MakeTicket({race.order[0], race.order[1]});
  }
  EXPECT_GE(right, static_cast<int>(test.size()) * 8 / 10);
  // And it is the motor that the model weighs most, at every place.
  const std::vector<std::string>& names = FeatureNames();
  for (const std::vector<double>& weights : model.weights) {
    const auto top = std::max_element(weights.begin(), weights.end());
    EXPECT_EQ(names[static_cast<std::size_t>(top - weights.begin())], "motor");
  }
}

TEST(Learner, TheSameRacesGiveTheSameModelFile) {
  const auto learn = Season(6, 4, [](Race&) {});
  const auto tune = Season(3, 5, [](Race&) {});
  EXPECT_EQ(WriteDataModel(Learn(learn, tune).value()), WriteDataModel(Learn(learn, tune).value()));
}

// A stop is heard wherever it comes: the learning ends at once, with no model; a progress that
// never says stop changes nothing.
TEST(Learner, StopsWhenItsProgressSaysSo) {
  const auto learn = Season(6, 4, [](Race&) {});
  const auto tune = Season(3, 5, [](Race&) {});
  LearnOptions options;
  options.refit = true;  // the longest road: every fit twice
  int asked = 0;
  const std::optional<DataModel> whole =
      Learn(learn, tune, options, [&](std::string_view, int, int) { return ++asked > 0; });
  ASSERT_TRUE(whole.has_value());
  EXPECT_EQ(WriteDataModel(*whole), WriteDataModel(Learn(learn, tune, options).value()));
  // Every fit asks at each of its iterations, so there are dozens of places to stop.
  ASSERT_GE(asked, 6 * 3);
  for (int stopAt : {1, 2, asked / 2, asked - 1, asked}) {
    int calls = 0;
    const std::optional<DataModel> stopped =
        Learn(learn, tune, options, [&](std::string_view, int, int) { return ++calls < stopAt; });
    EXPECT_FALSE(stopped.has_value()) << "stop at call " << stopAt;
    EXPECT_EQ(calls, stopAt) << "asked again after the stop at call " << stopAt;
  }
}

TEST(Learner, SettlesAsABettorIsPaid) {
  BetOutcome won;
  won.settled = true;
  won.winners = {{13, 450}};
  BetOutcome deadHeat = won;
  deadHeat.winners.emplace_back(14, 800);
  BetOutcome special;
  special.settled = true;
  special.special = 70;
  const std::array<bool, 6> none{};
  std::array<bool, 6> lane5Flying{};
  lane5Flying[4] = true;
  struct Case {
    const char* what;
    BetOutcome outcome;
    std::array<bool, 6> refunded;
    std::vector<int> tickets;
    long long stake, paid, refunds;
    bool hit;
  } cases[] = {
      {"a hit among six", won, none, {12, 13, 14, 15, 16, 23}, 600, 450, 0, true},
      {"a miss", won, none, {12, 14}, 200, 0, 0, false},
      {"both sides of a dead heat", deadHeat, none, {13, 14, 15}, 300, 1250, 0, true},
      {"a void start's tickets come back", won, lane5Flying, {13, 15, 25, 26}, 400, 650, 200, true},
      {"a special payout refunds every ticket", special, none, {12, 13, 14}, 300, 210, 0, false},
      {"a race without a result costs nothing", BetOutcome{}, none, {13}, 0, 0, 0, false},
  };
  for (const Case& c : cases) {
    const RaceReturn r = Settle(c.outcome, c.refunded, c.tickets);
    EXPECT_EQ(r.stake, c.stake) << c.what;
    EXPECT_EQ(r.paid, c.paid) << c.what;
    EXPECT_EQ(r.refunds, c.refunds) << c.what;
    EXPECT_EQ(r.hit, c.hit) << c.what;
  }
}

TEST(Learner, SummaryIntervalHoldsTheReturn) {
  std::vector<RaceReturn> races(200, RaceReturn{600, 0, 0, false});
  for (std::size_t k = 0; k < races.size(); k += 4) races[k] = RaceReturn{600, 2000, 0, true};
  races.push_back(RaceReturn{});  // skipped
  const ReturnFigures f = Summarise(races);
  EXPECT_EQ(f.races, 201);
  EXPECT_EQ(f.bet, 200);
  EXPECT_EQ(f.hits, 50);
  EXPECT_NEAR(f.Percent(), 100.0 * 50 * 2000 / (200 * 600), 1e-9);
  EXPECT_LT(f.low, f.Percent());
  EXPECT_GT(f.high, f.Percent());
  EXPECT_EQ(Summarise(races).low, f.low);  // a fixed seed
}

}  // namespace
}  // namespace wakorin

namespace wakorin {
namespace {

// The gain of a rule is paired race by race: two races, the rule buying only the one that paid.
// Resampled, the pair is both losers (0 - 0), both winners (200 - 200) or one of each
// (200 - 100): the gain is 100 points, its interval [0, 100].
TEST(GainOver, ResamplesBothListsOverTheSameRaces) {
  const std::vector<RaceReturn> every{{600, 0, 0, false}, {600, 1200, 0, true}};
  const std::vector<RaceReturn> rule{{0, 0, 0, false}, {600, 1200, 0, true}};
  const GainFigures gain = GainOver(rule, every);
  EXPECT_DOUBLE_EQ(gain.points, 100.0);
  EXPECT_DOUBLE_EQ(gain.low, 0.0);
  EXPECT_DOUBLE_EQ(gain.high, 100.0);
  EXPECT_DOUBLE_EQ(GainOver(every, every).high, 0.0);
}

}  // namespace
}  // namespace wakorin
