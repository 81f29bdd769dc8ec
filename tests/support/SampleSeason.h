#pragma once

#include <chrono>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tests/support/ProgramFileBuilder.h"
#include "tests/support/ResultFileBuilder.h"
#include "tests/support/SampleData.h"

namespace wakorin::testsupport {

// One venue's day: its race program block and the matching result block.
struct SampleVenueDay {
  VenueBlockSpec program;
  ResultBlockSpec results;
};

// Made-up racing days: venues with meetings running over several days, each meeting with its
// own racers, motors and boats, races whose results follow from the racers and the courses,
// and payouts in proportion to how unlikely each combination was. Deterministic for a seed.
class SampleSeason {
 public:
  // Makes `poolSize` racers up front; meetings that need more racers than are free add some.
  SampleSeason(unsigned seed, std::size_t poolSize);
  ~SampleSeason();
  SampleSeason(const SampleSeason&) = delete;
  SampleSeason& operator=(const SampleSeason&) = delete;

  // Adds a venue running `races` races a day (0..99).
  void AddVenue(std::string code, int races);

  // Every venue's program and results for `date`, in the order the venues were added. Each call
  // is the next day of every meeting; a finished meeting is followed by a new one.
  std::vector<SampleVenueDay> Day(std::chrono::year_month_day date);

  // Every racer made, in the order made.
  const std::vector<SampleRacer>& Racers() const;

  // Numbers of the racers that stood on a race card of any day generated.
  const std::set<std::string>& Appeared() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// A statistics file of every racer `season` made, those on the cards and the rest of the pool,
// in an order shuffled by `rng` so that no reader can count on the file's order.
std::string SeasonStatsFile(const SampleSeason& season, SampleRng& rng);

// "２００６年　４月１５日" (22 bytes CP932).
std::string ProgramDate(std::chrono::year_month_day date);

// "2006/ 4/15".
std::string ResultDate(std::chrono::year_month_day date);

}  // namespace wakorin::testsupport
