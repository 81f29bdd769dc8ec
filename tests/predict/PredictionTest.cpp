#include <gtest/gtest.h>

#include "tests/support/TicketText.h"

#include "predict/Prediction.h"

namespace wakorin {
namespace {

const std::array<std::string, 6> kZeros{"0", "0", "0", "0", "0", "0"};

// Every lane most often in its own course, equal rates and timings.
LaneStats LaneOrder() {
  LaneStats stats{};
  for (int lane = 1; lane <= 6; ++lane) {
    auto& racer = stats[static_cast<std::size_t>(lane - 1)];
    racer.Found = true;
    for (int course = 1; course <= 6; ++course) {
      racer.Courses[static_cast<std::size_t>(course - 1)] = {lane == course ? 30 : 1, 500, 15};
    }
  }
  return stats;
}

TCourseStats& At(LaneStats& stats, int lane, int course) {
  return stats[static_cast<std::size_t>(lane - 1)].Courses[static_cast<std::size_t>(course - 1)];
}

TPrediction PredictOk(const LaneStats& stats, const std::array<std::string, 6>& motors = kZeros,
                      const std::array<std::string, 6>& boats = kZeros) {
  auto prediction = Predict(stats, motors, boats);
  EXPECT_TRUE(prediction.ok());
  return prediction ? *prediction : TPrediction{};
}

bool IsPermutation(const Six& entry) {
  std::array<int, 7> seen{};
  for (int k = 1; k <= 6; ++k) {
    if (entry[k] < 1 || entry[k] > 6 || seen[entry[k]]++) return false;
  }
  return true;
}

TEST(CourseEntry, LaneOrderTiesAndConflicts) {
  EXPECT_EQ(PredictOk(LaneOrder()).Entry, (Six{0, 1, 2, 3, 4, 5, 6}));

  LaneStats tie = LaneOrder();
  At(tie, 1, 1).EntryCount = 10;
  At(tie, 2, 1).EntryCount = 40;
  At(tie, 5, 1).EntryCount = 40;  // ties go to the higher lane
  EXPECT_EQ(PredictOk(tie).Entry[1], 5);

  LaneStats conflict = LaneOrder();
  const int counts[] = {40, 45, 3, 2, 1, 0};
  for (int lane = 1; lane <= 6; ++lane) At(conflict, lane, 1).EntryCount = counts[lane - 1];
  At(conflict, 2, 2).EntryCount = 99;  // lane 2 has course 1 and no longer competes
  At(conflict, 1, 2).EntryCount = 20;
  const Six entry = PredictOk(conflict).Entry;
  EXPECT_EQ(entry[1], 2);
  EXPECT_EQ(entry[2], 1);
  EXPECT_TRUE(IsPermutation(entry));
}

TEST(CourseEntry, StaysAPermutationWhateverTheCounts) {
  LaneStats negative = LaneOrder();
  for (int lane = 1; lane <= 6; ++lane) {
    for (int course = 1; course <= 6; ++course) At(negative, lane, course).EntryCount = -1;
  }
  EXPECT_EQ(PredictOk(negative).Entry, (Six{0, 6, 5, 4, 3, 2, 1}));
  At(negative, 3, 2).EntryCount = -50;
  At(negative, 6, 2).EntryCount = -99;
  EXPECT_TRUE(IsPermutation(PredictOk(negative).Entry));
  EXPECT_TRUE(IsPermutation(PredictOk(LaneStats{}).Entry));  // nobody found: all zero
}

// Entry fixed by rule: lane k takes course k against the counts, and everything after follows
// as if the counts themselves had kept lane order. The card's mark reaches the engine through
// the numbers taken from the card.
TEST(CourseEntry, FixedByRuleKeepsLaneOrderAgainstTheCounts) {
  LaneStats inOrder = LaneOrder();
  for (int lane = 1; lane <= 6; ++lane) {
    for (int course = 1; course <= 6; ++course) {
      At(inOrder, lane, course).CourseRate = 300 + 97 * ((lane * 5 + course * 3) % 7);
      At(inOrder, lane, course).StartTiming = 8 + (lane * 7 + course * 4) % 17;
    }
  }
  LaneStats reversed = inOrder;
  for (int lane = 1; lane <= 6; ++lane) {
    for (int course = 1; course <= 6; ++course) {
      At(reversed, lane, course).EntryCount = lane == 7 - course ? 30 : 1;
    }
  }
  ASSERT_EQ(PredictOk(reversed).Entry, (Six{0, 6, 5, 4, 3, 2, 1}));

  TRaceCard card;
  for (TRacerEntry& racer : card.Racers) racer.MtNo = racer.BtNo = "0";
  card.FixedEntry = true;
  auto fixed = Predict(reversed, NumbersOf(card));
  ASSERT_TRUE(fixed.ok());
  const TPrediction expected = PredictOk(inOrder);
  EXPECT_EQ(fixed->Entry, (Six{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(fixed->SlitRank, expected.SlitRank);
  EXPECT_EQ(fixed->SlitStep, expected.SlitStep);
  EXPECT_EQ(fixed->Turn, expected.Turn);
  EXPECT_EQ(fixed->Score, expected.Score);
  EXPECT_EQ(fixed->Order, expected.Order);
  EXPECT_EQ(fixed->Ken3T, expected.Ken3T);
  EXPECT_EQ(fixed->Ken2F, expected.Ken2F);
}

TEST(Slit, RanksComeFromTheColumnOfCourseTimings) {
  LaneStats stats = LaneOrder();
  for (int lane = 1; lane <= 6; ++lane) At(stats, lane, 1).StartTiming = 15;
  EXPECT_EQ(PredictOk(stats).SlitRank[1], 1);  // all equal
  const int timings[] = {15, 12, 15, 17, 18, 20};
  for (int lane = 1; lane <= 6; ++lane) At(stats, lane, 1).StartTiming = timings[lane - 1];
  EXPECT_EQ(PredictOk(stats).SlitRank[1], 2);
  At(stats, 1, 1).StartTiming = 17;
  At(stats, 4, 1).StartTiming = 15;
  EXPECT_EQ(PredictOk(stats).SlitRank[1], 4);
  // Lane 1's timing from course 2 plays no part in course 1's rank.
  At(stats, 1, 2).StartTiming = 1;
  EXPECT_EQ(PredictOk(stats).SlitRank[1], 4);
}

TEST(Slit, StepsAndTurnMoves) {
  struct Case {
    int timing, step;
    TurnMove move;
  };
  const Case cases[] = {
      {10, 0, TurnMove::Escape}, {0, 0, TurnMove::Escape}, {11, 1, TurnMove::Roll},
      {20, 1, TurnMove::Roll},   {21, 2, TurnMove::Cut},   {kMissingStartTiming, 3, TurnMove::Cut},
  };
  for (const Case& c : cases) {
    LaneStats stats = LaneOrder();
    At(stats, 3, 3).StartTiming = c.timing;
    const TPrediction p = PredictOk(stats);
    EXPECT_EQ(p.SlitStep[3], c.step) << c.timing;
    EXPECT_EQ(p.Turn[3], c.move) << c.timing;
  }
}

TEST(FinishingOrder, EqualScoresGoToTheHigherIndexFirst) {
  const TPrediction p = PredictOk(LaneOrder());
  EXPECT_EQ(p.Order, (Six{0, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(testsupport::Texts(p.Ken2T), (std::array<std::string, 6>{"6-5", "6-4", "5-4", "6-3", "6-2", "6-1"}));
}

TEST(FinishingOrder, WorkedExampleTickets) {
  LaneStats stats = LaneOrder();
  const int rates[] = {500, 300, 600, 100, 400, 200};  // order 3, 1, 5, 2, 6, 4
  for (int lane = 1; lane <= 6; ++lane) At(stats, lane, lane).CourseRate = rates[lane - 1];
  const TPrediction p = PredictOk(stats);
  EXPECT_EQ(p.Order, (Six{0, 3, 1, 5, 2, 6, 4}));
  using Texts = std::array<std::string, 6>;
  EXPECT_EQ(testsupport::Texts(p.Ken2T), (Texts{"3-1", "3-5", "1-5", "3-2", "3-6", "3-4"}));
  EXPECT_EQ(testsupport::Texts(p.Ken2F), (Texts{"1-3", "3-5", "1-5", "2-3", "3-6", "3-4"}));
  EXPECT_EQ(testsupport::Texts(p.Ken3T), (Texts{"3&1&5", "3&1&2", "3&5&2", "3-1-6", "1-5-2", "1-5-6"}));
  EXPECT_EQ(testsupport::Texts(p.Ken3F), (Texts{"1-3-5", "1-2-3", "2-3-5", "1-3-6", "1-2-5", "1-5-6"}));
}

TEST(FinishingOrder, ScoreUsesTheRateOfCourseEntryIAndTheRankOfCourseI) {
  LaneStats stats = LaneOrder();
  // Lane 2 takes course 1 and lane 1 course 2.
  At(stats, 2, 1).EntryCount = 50;
  At(stats, 1, 2).EntryCount = 50;
  At(stats, 1, 2).CourseRate = 777;  // CourseRate[Entry[1]][1]: lane 1's rate for course 2
  At(stats, 2, 1).CourseRate = 111;  // CourseRate[Entry[2]][2]: lane 2's rate for course 1
  At(stats, 2, 1).StartTiming = 30;  // course 1 comes last at the slit
  const TPrediction p =
      PredictOk(stats, {"10", " 2", "0", "0", "0", "0"}, {"4", "0", "0", "0", "0", "0"});
  ASSERT_EQ(p.Entry[1], 2);
  ASSERT_EQ(p.SlitRank[1], 6);
  EXPECT_EQ(p.Score[1], 777 - 50 * 6 - 5 * 10 - 3 * 4);
  EXPECT_EQ(p.Score[2], 111 - 50 * p.SlitRank[2] - 5 * 2);
}

TEST(FinishingOrder, EquipmentNumbersMustBeIntegers) {
  auto failed = Predict(LaneOrder(), {"1", "2", "   ", "4", "5", "6"}, kZeros);
  ASSERT_FALSE(failed.ok());
  EXPECT_EQ(failed.error().kind, Error::Kind::NotInteger);
  EXPECT_EQ(failed.error().text, "   ");
  EXPECT_EQ(Predict(LaneOrder(), kZeros, {"1", "x1", "", "", "", ""}).error().text, "x1");
}

}  // namespace
}  // namespace wakorin
