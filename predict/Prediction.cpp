#include "predict/Prediction.h"

#include <algorithm>

#include "base/Decimal.h"

namespace wakorin {
namespace {

// Positions in the finishing order that make up ticket k.
constexpr std::array<std::array<int, 2>, 6> kKenPos2{
    {{1, 2}, {1, 3}, {2, 3}, {1, 4}, {1, 5}, {1, 6}}};
constexpr std::array<std::array<int, 3>, 6> kKenPos3{
    {{1, 2, 3}, {1, 2, 4}, {1, 3, 4}, {1, 2, 5}, {2, 3, 4}, {2, 3, 5}}};

// Equipment deductions: 5 x the motor number and 3 x the boat number. The motor weighs more
// than the hull in a race, so its term takes the larger weight.
constexpr int kMotorWeight = 5;
constexpr int kBoatWeight = 3;

const TCourseStats& Stats(const LaneStats& stats, int lane, int course) {
  return stats[static_cast<std::size_t>(lane - 1)].Course(course);
}

// Course 1 to 6 in turn goes to the lane with the largest count for it, ties to the higher
// lane. A lane that has its course is out of the running for good, whatever the counts say
// (a file can hold negative counts), so every lane gets exactly one course.
Six CourseEntry(const LaneStats& stats) {
  Six entry{};
  std::array<bool, 7> withdrawn{};
  for (int k = 1; k <= 6; ++k) {
    int best = 0;
    for (int i = 1; i <= 6; ++i) {
      if (withdrawn[i]) continue;
      if (best == 0 || Stats(stats, best, k).EntryCount <= Stats(stats, i, k).EntryCount) best = i;
    }
    entry[k] = best;
    withdrawn[best] = true;
  }
  return entry;
}

}  // namespace

TurnMove TurnMoveFor(int step) {
  if (step <= 0) return TurnMove::Escape;
  if (step == 1) return TurnMove::Roll;
  return TurnMove::Cut;
}

Outcome<TPrediction> Predict(const LaneStats& stats, const std::array<std::string, 6>& motorNumbers,
                             const std::array<std::string, 6>& boatNumbers, bool fixedEntry) {
  Six motor{};
  Six boat{};
  for (std::size_t lane = 0; lane < 6; ++lane) {
    auto m = ParseDecimal(motorNumbers[lane]);
    if (!m) return m.error();
    auto b = ParseDecimal(boatNumbers[lane]);
    if (!b) return b.error();
    motor[lane + 1] = *m;
    boat[lane + 1] = *b;
  }

  TPrediction p;
  p.Entry = fixedEntry ? Six{0, 1, 2, 3, 4, 5, 6} : CourseEntry(stats);

  // Every timing compared for course k is a course-k timing.
  for (int k = 1; k <= 6; ++k) {
    const int own = Stats(stats, p.Entry[k], k).StartTiming;
    int earlier = 0;
    for (int j = 1; j <= 6; ++j) earlier += own > Stats(stats, p.Entry[j], k).StartTiming;
    p.SlitRank[k] = 1 + earlier;
    p.SlitStep[k] = (own - 1) / 10;  // truncates toward zero: timings 0..10 give step 0
  }

  for (int k = 1; k <= 6; ++k) p.Turn[k] = TurnMoveFor(p.SlitStep[k]);

  // The rate is lane i's for the course numbered Entry[i], and the slit rank that of course i.
  for (int i = 1; i <= 6; ++i) {
    p.Score[i] = Stats(stats, i, p.Entry[i]).CourseRate - 50 * p.SlitRank[i] -
                 kMotorWeight * motor[i] - kBoatWeight * boat[i];
  }

  // Highest score first, ties to the higher index; each index is placed once.
  std::array<bool, 7> placed{};
  for (int place = 1; place <= 6; ++place) {
    int best = 0;
    for (int i = 1; i <= 6; ++i) {
      if (!placed[i] && (best == 0 || p.Score[i] >= p.Score[best])) best = i;
    }
    p.Order[place] = best;
    placed[best] = true;
  }

  for (std::size_t k = 0; k < 6; ++k) {
    const int a = p.Order[kKenPos2[k][0]];
    const int b = p.Order[kKenPos2[k][1]];
    p.Ken2T[k] = MakeTicket({a, b});
    p.Ken2F[k] = MakeTicket({std::min(a, b), std::max(a, b)});
    std::array<int, 3> three{p.Order[kKenPos3[k][0]], p.Order[kKenPos3[k][1]],
                             p.Order[kKenPos3[k][2]]};
    p.Ken3T[k] = MakeTicket({three[0], three[1], three[2]}, k < 3);
    std::sort(three.begin(), three.end());
    p.Ken3F[k] = MakeTicket({three[0], three[1], three[2]});
  }
  return p;
}

}  // namespace wakorin
